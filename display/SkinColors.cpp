// The list colours of a skin: section "Text" of Pledit.txt, each "#RRGGBB".
#include "display/Skin.h"

#include <cstdint>

namespace {

constexpr const char kColorSection[] = "Text";
// Profile values are read into buffers of this size; longer values are cut, as by the reader.
constexpr DWORD kColorBufferSize = 260;
constexpr const char kDefaultNormal[] = "#00FF00";
constexpr const char kDefaultCurrent[] = "#FFFFFF";
constexpr const char kDefaultNormalBg[] = "#000000";
constexpr const char kDefaultSelectedBg[] = "#0000FF";

// Value of one hexadecimal digit; any other character counts nothing.
uint8_t HexValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<uint8_t>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<uint8_t>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<uint8_t>(c - 'A' + 10);
  return 0;
}

uint8_t ParseByte(char high, char low) {
  uint8_t value = 0;
  for (char c : {high, low}) {
    // Shifting within eight bits on purpose: only two digits ever make up a byte.
    value = static_cast<uint8_t>(value << 4);
    value = static_cast<uint8_t>(value + HexValue(c));
  }
  return value;
}

COLORREF ReadColor(const std::string& path, const char* key, const char* fallback) {
  char buffer[kColorBufferSize] = {};
  GetPrivateProfileStringA(kColorSection, key, fallback, buffer, kColorBufferSize, path.c_str());
  buffer[kColorBufferSize - 1] = '\0';
  return ParseColor(buffer);
}

}  // namespace

COLORREF ParseColor(const std::string& text) {
  if (text.size() < 7) return RGB(0, 0, 0);
  // The first character is a number sign by convention; it is skipped whatever it is.
  const uint8_t red = ParseByte(text[1], text[2]);
  const uint8_t green = ParseByte(text[3], text[4]);
  const uint8_t blue = ParseByte(text[5], text[6]);
  return RGB(red, green, blue);
}

ListColors LoadColors(const std::string& path) {
  ListColors colors;
  colors.normal = ReadColor(path, "Normal", kDefaultNormal);
  colors.current = ReadColor(path, "Current", kDefaultCurrent);
  colors.normalBg = ReadColor(path, "NormalBG", kDefaultNormalBg);
  colors.selectedBg = ReadColor(path, "SelectedBG", kDefaultSelectedBg);
  return colors;
}

ListColors DefaultListColors() {
  return ListColors{ParseColor(kDefaultNormal), ParseColor(kDefaultCurrent), ParseColor(kDefaultNormalBg),
                    ParseColor(kDefaultSelectedBg)};
}
