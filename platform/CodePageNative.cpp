#include "platform/CodePage.h"

#include <iconv.h>

namespace codepage {

bool IsLeadByte(uint8_t byte) {
  // Code page 932 (Shift_JIS): lead bytes of double-byte characters.
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

namespace {

// Converts one code point (given as one or two UTF-16 units) to CP932; empty when it has no mapping.
std::string ConvertOne(iconv_t cd, const char16_t* units, size_t unitCount) {
  char in[4];
  for (size_t i = 0; i < unitCount; ++i) {
    in[2 * i] = static_cast<char>(units[i] & 0xFF);
    in[2 * i + 1] = static_cast<char>(units[i] >> 8);
  }
  char out[8];
  char* inPtr = in;
  char* outPtr = out;
  size_t inLeft = unitCount * 2;
  size_t outLeft = sizeof(out);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return std::string();
  return std::string(out, static_cast<size_t>(outPtr - out));
}

}  // namespace

std::string Utf16ToAnsi(const char16_t* units, size_t count) {
  std::string result;
  if (count == 0) return result;
  iconv_t cd = iconv_open("CP932", "UTF-16LE");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    // Without a converter keep what is plain ASCII, as the system replacement would.
    for (size_t i = 0; i < count; ++i) result += units[i] < 0x80 ? static_cast<char>(units[i]) : '?';
    return result;
  }
  for (size_t i = 0; i < count; ++i) {
    size_t len = 1;
    if (units[i] >= 0xD800 && units[i] <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF)
      len = 2;
    std::string piece = ConvertOne(cd, units + i, len);
    result += piece.empty() ? std::string("?") : piece;
    i += len - 1;
  }
  iconv_close(cd);
  return result;
}

}  // namespace codepage
