#include "archive/MemberKind.h"

namespace {

// ASCII-only case folding: bytes of double-byte characters are left alone.
bool EndsWithIgnoringCase(const std::string& text, const char* suffix4) {
  for (size_t i = 0; i < 4; ++i) {
    char c = text[text.size() - 4 + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != suffix4[i]) return false;
  }
  return true;
}

}  // namespace

StoredMemberKind ClassifyStoredMember(const std::string& path) {
  if (path.size() <= 4) return StoredMemberKind::Plain;
  if (EndsWithIgnoringCase(path, ".mp3")) return StoredMemberKind::Mp3;
  if (EndsWithIgnoringCase(path, ".cue")) return StoredMemberKind::CueSheet;
  return StoredMemberKind::Plain;
}
