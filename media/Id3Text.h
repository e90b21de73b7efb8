// Decoding the text of ID3v2 frame bodies: text frames ("T...") and the comment frame "COMM",
// in encoding 0 (bytes taken as they are) and encoding 1 (UTF-16LE with byte-order mark,
// converted to the ANSI code page). No byte at or beyond `size` is read.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace media {

std::string DecodeTextFrame(const uint8_t* body, size_t size);
std::string DecodeCommentFrame(const uint8_t* body, size_t size);

// `byteCount` bytes of UTF-16LE (an odd last byte ignored), up to the first zero character,
// converted to the ANSI code page.
std::string Utf16LeToAnsi(const uint8_t* bytes, size_t byteCount);

}  // namespace media
