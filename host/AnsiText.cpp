#include "host/AnsiText.h"

#include <windows.h>

#include <cstring>

namespace host {

void CopyAnsiBounded(const std::string& text, char* buffer, size_t size) {
  if (size == 0) return;
  size_t n = 0;
  while (n < text.size()) {
    const size_t step = (IsDBCSLeadByte(static_cast<BYTE>(text[n])) && n + 1 < text.size()) ? 2 : 1;
    if (n + step > size - 1) break;
    n += step;
  }
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}


}  // namespace host
