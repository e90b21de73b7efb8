#include "media/CueFile.h"

#include "media/Mp3File.h"

namespace media {

namespace {

constexpr size_t kPiece = 4;
constexpr char kIndexKeyword[] = "INDEX 01 ";
constexpr size_t kIndexKeywordLength = sizeof(kIndexKeyword) - 1;

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// One "%d" conversion: white space, an optional sign, at least one digit. The value wraps at 32
// bits, as the sheet's arithmetic does. False when no digit is there.
bool ScanInt(const std::string& s, size_t& pos, uint32_t& value) {
  size_t i = pos;
  while (i < s.size() && IsSpace(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i >= s.size() || s[i] < '0' || s[i] > '9') return false;
  uint32_t v = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) v = v * 10u + static_cast<uint32_t>(s[i] - '0');
  value = negative ? 0u - v : v;
  pos = i;
  return true;
}

// "%d:%d:%d" over `rest`; numbers not matched stay 0.
void ScanTime(const std::string& rest, uint32_t numbers[3]) {
  size_t pos = 0;
  for (int n = 0; n < 3; ++n) {
    if (n > 0) {
      if (pos >= rest.size() || rest[pos] != ':') return;
      ++pos;
    }
    if (!ScanInt(rest, pos, numbers[n])) return;
  }
}

}  // namespace

std::string DropZeroPieces(const uint8_t* data, size_t size) {
  std::string text;
  for (size_t piece = 0; piece < size; piece += kPiece) {
    const size_t end = size - piece < kPiece ? size : piece + kPiece;
    for (size_t i = piece; i < end && data[i] != 0; ++i) text += static_cast<char>(data[i]);
  }
  return text;
}

std::vector<uint32_t> ParseIndexTimes(const std::string& text) {
  std::vector<uint32_t> times;
  size_t pos = 0;
  for (;;) {
    const size_t feed = text.find('\n', pos);
    const size_t lineEnd = feed == std::string::npos ? text.size() : feed;
    if (lineEnd == pos) break;  // an empty line ends the sheet
    size_t start = pos;
    while (start < lineEnd && text[start] == ' ') ++start;
    if (lineEnd - start >= kIndexKeywordLength && text.compare(start, kIndexKeywordLength, kIndexKeyword) == 0) {
      const size_t rest = start + kIndexKeywordLength;
      uint32_t n[3] = {0, 0, 0};
      ScanTime(text.substr(rest, lineEnd - rest), n);
      // Unsigned so that odd values wrap instead of overflowing.
      times.push_back(60000u * n[0] + 1000u * n[1] + 10u * n[2]);
    }
    if (feed == std::string::npos) break;
    pos = feed + 1;
  }
  times.push_back(0xFFFFFFFFu);
  return times;
}

}  // namespace media

CueFile::CueFile(const File& member) : File(member) {}

void CueFile::ReadText() {
  text.clear();
  ArchiveReader in(archivePath);
  if (in.IsOpen()) ReadTextFrom(in);
}

void CueFile::ReadTextFrom(ArchiveReader& in) {
  text.clear();
  try {
    const uint32_t size = compressedSize < media::kMaxCueBytes ? compressedSize : media::kMaxCueBytes;
    // Whole pieces per read, so the four-byte pieces line up with the member's start.
    uint8_t buffer[4096];
    for (uint32_t done = 0; done < size;) {
      const size_t want = size - done < sizeof(buffer) ? size - done : sizeof(buffer);
      const size_t got = in.ReadAt(uint64_t{dataOffset} + done, buffer, want);
      text += media::DropZeroPieces(buffer, got);
      if (got < want) break;  // the archive ends inside the member
      done += static_cast<uint32_t>(got);
    }
  } catch (const std::exception&) {
    // Keep what was read; nothing escapes into the host.
  }
}

void CueFile::ApplyTo(const std::vector<std::unique_ptr<File>>& members) const {
  const std::vector<uint32_t> times = ParseIndexTimes();
  size_t k = 0;
  for (const std::unique_ptr<File>& member : members) {
    auto* mp3 = dynamic_cast<Mp3File*>(member.get());
    if (mp3 == nullptr) continue;
    if (k + 1 >= times.size()) break;  // beyond the sheet: the computed time stands
    mp3->SetPlayTime(times[k + 1] - times[k]);  // unsigned: the last one reaches 0xFFFFFFFF
    ++k;
  }
}
