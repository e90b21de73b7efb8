#include "media/Id3Text.h"

#include <vector>

#include "platform/CodePage.h"

namespace media {

namespace {

constexpr uint8_t kEncodingLatin = 0x00;
constexpr uint8_t kEncodingUtf16 = 0x01;
constexpr uint8_t kEncodingUtf16Be = 0x02;
constexpr uint8_t kEncodingUtf8 = 0x03;

// The comment frame: encoding byte, three language bytes, then the description.
constexpr size_t kDescription = 4;

bool IsLittleEndianMark(const uint8_t* p) { return p[0] == 0xFF && p[1] == 0xFE; }
bool IsBigEndianMark(const uint8_t* p) { return p[0] == 0xFE && p[1] == 0xFF; }

bool Knows(uint8_t encoding, TextRules rules) {
  return encoding == kEncodingLatin || encoding == kEncodingUtf16 || encoding == kEncodingUtf8 ||
         (encoding == kEncodingUtf16Be && rules == TextRules::Version24);
}

bool IsWide(uint8_t encoding) { return encoding == kEncodingUtf16 || encoding == kEncodingUtf16Be; }

// Bytes from `from` up to the next zero byte or `size`.
std::string BytesUpToZero(const uint8_t* body, size_t from, size_t size) {
  size_t end = from;
  while (end < size && body[end] != 0) ++end;
  return std::string(reinterpret_cast<const char*>(body) + from, end - from);
}

// The string of `encoding` at `from`, up to its first zero (the first of several values).
// Encoding 1 needs its byte-order mark, and before 2.4 a little-endian one.
std::string DecodeString(const uint8_t* body, size_t from, size_t size, uint8_t encoding, TextRules rules) {
  if (from > size) return std::string();
  switch (encoding) {
    case kEncodingLatin:
      return BytesUpToZero(body, from, size);
    case kEncodingUtf8:
      return Utf8ToAnsi(body + from, size - from);
    case kEncodingUtf16Be:
      return Utf16ToAnsi(body + from, size - from, true);
    case kEncodingUtf16:
      if (size - from < 2) return std::string();
      if (IsLittleEndianMark(body + from)) return Utf16ToAnsi(body + from + 2, size - from - 2, false);
      if (rules == TextRules::Version24 && IsBigEndianMark(body + from))
        return Utf16ToAnsi(body + from + 2, size - from - 2, true);
      return std::string();
    default:
      return std::string();
  }
}

// The offset just past the zero that ends the string at `from`: a zero byte, or in UTF-16 a zero
// unit an even number of bytes on. `size` when there is none.
size_t PastTerminator(const uint8_t* body, size_t from, size_t size, bool wide) {
  if (!wide) {
    size_t at = from;
    while (at < size && body[at] != 0) ++at;
    return at < size ? at + 1 : size;
  }
  size_t at = from;
  while (at + 1 < size && !(body[at] == 0 && body[at + 1] == 0)) at += 2;
  return at + 1 < size ? at + 2 : size;
}

}  // namespace

std::string Utf16ToAnsi(const uint8_t* bytes, size_t byteCount, bool bigEndian) {
  std::vector<char16_t> units;
  units.reserve(byteCount / 2);
  for (size_t i = 0; i + 1 < byteCount; i += 2) {
    const uint8_t high = bigEndian ? bytes[i] : bytes[i + 1];
    const uint8_t low = bigEndian ? bytes[i + 1] : bytes[i];
    const char16_t unit = static_cast<char16_t>(low | (high << 8));
    if (unit == 0) break;
    units.push_back(unit);
  }
  return codepage::Utf16ToAnsi(units.data(), units.size());
}

std::string Utf8ToAnsi(const uint8_t* bytes, size_t byteCount) {
  // The smallest code point each sequence length may carry; anything less is overlong.
  static const uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  std::vector<char16_t> units;
  units.reserve(byteCount);
  size_t i = 0;
  while (i < byteCount && bytes[i] != 0) {
    const uint8_t lead = bytes[i];
    size_t length = 1;
    uint32_t point = lead;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      point = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      point = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      point = lead & 0x07u;
    } else if (lead >= 0x80) {
      length = 0;  // a continuation byte or a lead no valid sequence has
    }
    size_t taken = 1;
    while (taken < length && i + taken < byteCount && (bytes[i + taken] & 0xC0) == 0x80) {
      point = (point << 6) | (bytes[i + taken] & 0x3Fu);
      ++taken;
    }
    i += taken;
    if (length == 0 || taken < length || point < kLeast[length] || point > 0x10FFFF ||
        (point >= 0xD800 && point <= 0xDFFF)) {
      units.push_back(0xFFFD);
    } else if (point >= 0x10000) {
      units.push_back(static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10)));
      units.push_back(static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF)));
    } else {
      units.push_back(static_cast<char16_t>(point));
    }
  }
  return codepage::Utf16ToAnsi(units.data(), units.size());
}

std::string DecodeTextFrame(const uint8_t* body, size_t size, TextRules rules) {
  if (body == nullptr || size == 0 || !Knows(body[0], rules)) return std::string();
  return DecodeString(body, 1, size, body[0], rules);
}

std::string DecodeCommentFrame(const uint8_t* body, size_t size, TextRules rules) {
  if (body == nullptr || size == 0 || !Knows(body[0], rules)) return std::string();
  const uint8_t encoding = body[0];
  // Before 2.4 a UTF-16 description must open with a little-endian mark.
  if (encoding == kEncodingUtf16 && rules == TextRules::Version23 &&
      (size < kDescription + 3 || !IsLittleEndianMark(body + kDescription)))
    return std::string();
  if (size <= kDescription) return std::string();
  const size_t text = PastTerminator(body, kDescription, size, IsWide(encoding));
  if (text >= size) return std::string();  // no terminator, or nothing after it
  return DecodeString(body, text, size, encoding, rules);
}

}  // namespace media
