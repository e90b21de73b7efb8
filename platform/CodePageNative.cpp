#include "platform/CodePage.h"

#include <iconv.h>

#include <array>

namespace codepage {

bool IsLeadByte(uint8_t byte) {
  // Code page 932 (Shift_JIS): lead bytes of double-byte characters.
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// One converter for the process: opening one costs far more than converting a name. Everything
// runs on one thread, so no two conversions use it at once.
iconv_t Converter() {
  static const iconv_t cd = iconv_open("CP932", "UTF-16LE");
  return cd;
}

// Converts one code point (one or two UTF-16 units); false when the code page lacks it. The out
// buffer takes the longest code page 932 sequence.
bool ConvertOne(const char16_t* units, size_t unitCount, char out[8], size_t& outCount) {
  char in[4];
  for (size_t i = 0; i < unitCount; ++i) {
    in[2 * i] = static_cast<char>(units[i] & 0xFF);
    in[2 * i + 1] = static_cast<char>(units[i] >> 8);
  }
  char* inPtr = in;
  char* outPtr = out;
  size_t inLeft = unitCount * 2;
  size_t outLeft = 8;
  iconv(Converter(), nullptr, nullptr, nullptr, nullptr);
  if (iconv(Converter(), &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return false;
  outCount = static_cast<size_t>(outPtr - out);
  return true;
}

// Every BMP unit's code page bytes, each asked of the converter once: a text is then converted by
// lookups. iconv over a whole text is no cheaper, as every character the code page lacks makes it
// convert the text again up to that character.
struct Mapping {
  uint8_t state = 0;  // 0 not asked yet, 1 converted, 2 lacking
  uint8_t count = 0;
  char bytes[2] = {};
};

const Mapping& MappingOf(char16_t unit) {
  static std::array<Mapping, 0x10000> table;
  Mapping& m = table[unit];
  if (m.state == 0) {
    char out[8];
    size_t n = 0;
    const bool converted = ConvertOne(&unit, 1, out, n) && n <= sizeof m.bytes;
    m.state = converted ? 1 : 2;
    m.count = static_cast<uint8_t>(converted ? n : 0);
    for (size_t i = 0; i < m.count; ++i) m.bytes[i] = out[i];
  }
  return m;
}

}  // namespace

std::string Utf16ToAnsi(const char16_t* units, size_t count) {
  std::string result;
  if (count == 0) return result;
  if (Converter() == reinterpret_cast<iconv_t>(-1)) {
    // Without a converter keep what is plain ASCII, as the system replacement would.
    for (size_t i = 0; i < count; ++i) result += units[i] < 0x80 ? static_cast<char>(units[i]) : '?';
    return result;
  }
  result.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    if (IsHighSurrogate(units[i]) && i + 1 < count && IsLowSurrogate(units[i + 1])) {
      // A character beyond the BMP: rare enough to ask the converter each time.
      char out[8];
      size_t n = 0;
      result.append(ConvertOne(units + i, 2, out, n) && n > 0 ? std::string(out, n) : std::string("?"));
      ++i;
      continue;
    }
    const Mapping& m = MappingOf(units[i]);
    if (m.state == 1 && m.count > 0) {
      result.append(m.bytes, m.count);
    } else {
      result += '?';
    }
  }
  return result;
}

}  // namespace codepage
