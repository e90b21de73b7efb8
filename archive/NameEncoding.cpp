#include "archive/NameEncoding.h"

#include <vector>

#include "platform/CodePage.h"

namespace zip {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

// Length of the sequence a lead byte starts (0 for a byte that starts none) and the smallest
// code point that length may carry, so overlong forms are refused.
size_t SequenceLength(uint8_t lead, uint32_t& minimum) {
  minimum = 0;
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) {
    minimum = 0x80;
    return 2;
  }
  if ((lead & 0xF0) == 0xE0) {
    minimum = 0x800;
    return 3;
  }
  if ((lead & 0xF8) == 0xF0) {
    minimum = 0x10000;
    return 4;
  }
  return 0;
}

}  // namespace

std::u16string Utf8ToUtf16(const char* bytes, size_t count) {
  // Every byte gives at most one unit (a four-byte sequence gives two), so the units are written
  // into room made once: names can be long, and a unit appended at a time costs more than its
  // decoding.
  std::vector<char16_t> out(count);
  size_t n = 0;
  const auto* p = reinterpret_cast<const uint8_t*>(bytes);
  for (size_t i = 0; i < count;) {
    uint32_t minimum = 0;
    const size_t length = SequenceLength(p[i], minimum);
    bool valid = length != 0 && count - i >= length;
    uint32_t code = 0;
    if (valid) {
      code = length == 1 ? p[i] : p[i] & (0x7F >> length);
      for (size_t k = 1; k < length && valid; ++k) {
        valid = IsContinuation(p[i + k]);
        code = (code << 6) | (p[i + k] & 0x3F);
      }
      valid = valid && code >= minimum && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    }
    if (!valid) {
      out[n++] = kReplacement;
      ++i;
      continue;
    }
    if (code >= 0x10000) {
      code -= 0x10000;
      out[n++] = static_cast<char16_t>(0xD800 + (code >> 10));
      out[n++] = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      out[n++] = static_cast<char16_t>(code);
    }
    i += length;
  }
  return std::u16string(out.data(), n);
}

std::string StoredTextToAnsi(const std::string& stored, uint16_t flags) {
  if ((flags & kUtf8NamesFlag) == 0 || stored.empty()) return stored;
  const std::u16string wide = Utf8ToUtf16(stored.data(), stored.size());
  return codepage::Utf16ToAnsi(wide.data(), wide.size());
}

}  // namespace zip
