#include "media/Id3Text.h"

#include <vector>

#include "platform/CodePage.h"

namespace media {

namespace {

constexpr uint8_t kEncodingLatin = 0x00;
constexpr uint8_t kEncodingUtf16 = 0x01;

bool IsLittleEndianMark(const uint8_t* p) { return p[0] == 0xFF && p[1] == 0xFE; }

// Bytes from `from` up to the next zero byte or `size`.
std::string BytesUpToZero(const uint8_t* body, size_t from, size_t size) {
  size_t end = from;
  while (end < size && body[end] != 0) ++end;
  return std::string(reinterpret_cast<const char*>(body) + from, end - from);
}

}  // namespace

std::string Utf16LeToAnsi(const uint8_t* bytes, size_t byteCount) {
  std::vector<char16_t> units;
  units.reserve(byteCount / 2);
  for (size_t i = 0; i + 1 < byteCount; i += 2) {
    const char16_t unit = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    if (unit == 0) break;
    units.push_back(unit);
  }
  return codepage::Utf16ToAnsi(units.data(), units.size());
}

std::string DecodeTextFrame(const uint8_t* body, size_t size) {
  if (body == nullptr || size == 0) return std::string();
  if (size >= 4 && body[0] == kEncodingUtf16 && IsLittleEndianMark(body + 1))
    return Utf16LeToAnsi(body + 3, size - 3);
  if (body[0] == kEncodingLatin) return BytesUpToZero(body, 1, size);
  return std::string();  // big-endian UTF-16, encodings 2 and 3
}

std::string DecodeCommentFrame(const uint8_t* body, size_t size) {
  if (body == nullptr || size == 0) return std::string();
  // Layout: encoding byte, three language bytes, description, comment text.
  constexpr size_t kDescription = 4;
  if (size >= 7 && body[0] == kEncodingUtf16 && IsLittleEndianMark(body + kDescription)) {
    // The description's terminator is a zero code unit on an even offset after its mark.
    size_t terminator = kDescription + 2;
    while (terminator + 1 < size && !(body[terminator] == 0 && body[terminator + 1] == 0)) terminator += 2;
    if (terminator + 1 >= size) return std::string();
    const size_t text = terminator + 2;
    if (text + 1 >= size || !IsLittleEndianMark(body + text)) return std::string();
    return Utf16LeToAnsi(body + text + 2, size - (text + 2));
  }
  if (body[0] == kEncodingLatin) {
    size_t terminator = kDescription;
    while (terminator < size && body[terminator] != 0) ++terminator;
    if (terminator >= size) return std::string();
    return BytesUpToZero(body, terminator + 1, size);
  }
  return std::string();
}

}  // namespace media
