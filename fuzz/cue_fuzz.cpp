// CUE sheets from arbitrary bytes: the four-byte piece reading and the index-line parser.
// Checks that the text holds no zero byte, the list ends with 0xFFFFFFFF and has no more
// entries than the text has lines.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "media/CueFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = media::DropZeroPieces(data, size);
  if (text.size() > size || text.find('\0') != std::string::npos) std::abort();
  const std::vector<uint32_t> times = media::ParseIndexTimes(text);
  if (times.empty() || times.back() != 0xFFFFFFFFu) std::abort();
  const size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
  if (times.size() - 1 > lines) std::abort();
  // The raw bytes as a sheet too: zero bytes included.
  const std::vector<uint32_t> raw = media::ParseIndexTimes(std::string(reinterpret_cast<const char*>(data), size));
  if (raw.empty() || raw.back() != 0xFFFFFFFFu) std::abort();
  return 0;
}
