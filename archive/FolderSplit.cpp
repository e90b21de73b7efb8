#include "archive/File.h"
#include "platform/CodePage.h"

// Works on the whole text, whatever its length: no fixed-size copy, so a long path can neither
// overrun a buffer nor be split at an arbitrary cut.
std::string GetFolderPart(const std::string& path) {
  size_t last = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    const auto byte = static_cast<uint8_t>(path[i]);
    if (codepage::IsLeadByte(byte)) {
      ++i;  // the trail byte is never a separator, even when it is 0x5C
    } else if (byte == '\\' || byte == '/') {
      last = i;
    }
  }
  return last >= 1 ? path.substr(0, last + 1) : std::string();
}
