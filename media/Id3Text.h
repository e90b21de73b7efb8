// Decoding the text of ID3v2 frame bodies: text frames ("T...") and the comment frame "COMM".
// Encoding 0 is taken as the bytes are; UTF-16 and UTF-8 texts are converted to the ANSI code
// page. Of several values separated by zero, the first is taken. No byte at or beyond `size` is
// read.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace media {

// Which encodings a tag's version knows. 2.2 and 2.3: 0, 1 with a little-endian byte-order mark,
// and 3 (UTF-8, which some tools write there too). 2.4 adds big-endian marks and encoding 2.
enum class TextRules { Version23, Version24 };

std::string DecodeTextFrame(const uint8_t* body, size_t size, TextRules rules);
std::string DecodeCommentFrame(const uint8_t* body, size_t size, TextRules rules);

// `byteCount` bytes of UTF-16 (an odd last byte ignored), up to the first zero character,
// converted to the ANSI code page.
std::string Utf16ToAnsi(const uint8_t* bytes, size_t byteCount, bool bigEndian);
inline std::string Utf16LeToAnsi(const uint8_t* bytes, size_t byteCount) {
  return Utf16ToAnsi(bytes, byteCount, false);
}

// `byteCount` bytes of UTF-8, up to the first zero byte, converted to the ANSI code page; a
// malformed sequence becomes a character the code page lacks.
std::string Utf8ToAnsi(const uint8_t* bytes, size_t byteCount);

}  // namespace media
