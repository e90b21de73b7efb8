#include "settings/ModulePath.h"

#include <vector>

std::string ModuleFileName(HMODULE module, DWORD bufferSize) {
  if (bufferSize == 0) return {};
  std::vector<char> buffer(bufferSize + 1, '\0');  // one spare byte: older systems leave a cut path unterminated
  const DWORD copied = GetModuleFileNameA(module, buffer.data(), bufferSize);
  if (copied == 0 || copied >= bufferSize) return {};
  return std::string(buffer.data(), copied);
}
