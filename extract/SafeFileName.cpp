#include "extract/SafeFileName.h"

#include <cstdint>
#include <cstring>

#include "platform/CodePage.h"

namespace {

bool IsForbiddenSingleByte(uint8_t byte) {
  return byte < 0x20 || byte == 0x7F || std::strchr("<>:\"/\\|?*", byte) != nullptr;
}

// Trail bytes of a double-byte character in code page 932; anything else means a broken pair.
bool IsTrailByte(uint8_t byte) {
  return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

char ToUpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Windows treats these names as devices in any folder, whatever extension follows.
bool IsDeviceName(const std::string& name) {
  std::string stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') {
    stem.pop_back();
  }
  for (char& c : stem) {
    c = ToUpperAscii(c);
  }
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
  for (const char* device : kDevices) {
    if (stem == device) {
      return true;
    }
  }
  if (stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0)) {
    return stem[3] >= '0' && stem[3] <= '9';
  }
  return false;
}

}  // namespace

std::string MakeSafeFileName(const std::string& name) {
  std::string safe;
  safe.reserve(name.size() + 1);
  for (size_t i = 0; i < name.size(); ++i) {
    const uint8_t byte = static_cast<uint8_t>(name[i]);
    if (codepage::IsLeadByte(byte)) {
      if (i + 1 < name.size() && IsTrailByte(static_cast<uint8_t>(name[i + 1]))) {
        safe.append(name, i, 2);
        ++i;
      } else {
        safe.push_back('_');
      }
    } else if (IsForbiddenSingleByte(byte)) {
      safe.push_back('_');
    } else {
      safe.push_back(static_cast<char>(byte));
    }
  }
  // Only single-byte characters can be dots or spaces at the end: a trail byte is never 0x20 or 0x2E.
  for (size_t i = safe.size(); i > 0 && (safe[i - 1] == '.' || safe[i - 1] == ' '); --i) {
    safe[i - 1] = '_';
  }
  if (IsDeviceName(safe)) {
    safe.insert(safe.begin(), '_');
  }
  return safe;
}
