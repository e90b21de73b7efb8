#include "platform/CodePage.h"

#include <windows.h>

#include <vector>

namespace codepage {

bool IsLeadByte(uint8_t byte) { return IsDBCSLeadByte(byte) != FALSE; }

std::string Utf16ToAnsi(const char16_t* units, size_t count) {
  if (count == 0) return std::string();
  // Tag frames are at most a few megabytes; anything beyond int range cannot be converted at once.
  if (count > 0x3FFFFFFF) count = 0x3FFFFFFF;
  const auto* wide = reinterpret_cast<const wchar_t*>(units);
  int needed = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(count), nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return std::string();
  std::string out(static_cast<size_t>(needed), '\0');
  int written = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(count), &out[0], needed, nullptr, nullptr);
  out.resize(written > 0 ? static_cast<size_t>(written) : 0);
  return out;
}

}  // namespace codepage
