#include "archive/EndRecordSearch.h"

#include <cstring>

#include "archive/ZipRecords.h"

namespace zip {

bool FindEndRecord(uint32_t fileSize, const ReadAtFunction& readAt, uint32_t& endRecordOffset) {
  // One chunk followed by the carried bytes: the first bytes of the chunk read before, which
  // follow this chunk in the file, so a signature straddling the boundary is still seen.
  uint8_t buffer[kSearchChunkSize + 3];
  uint8_t carry[3];
  size_t carried = 0;
  uint32_t end = fileSize;
  for (;;) {
    const uint32_t start = end < kSearchChunkSize ? 0 : end - kSearchChunkSize;
    const size_t wanted = end - start;
    const long long got = readAt(start, buffer, wanted);
    if (got >= 0) {
      const size_t chunk = static_cast<size_t>(got) < wanted ? static_cast<size_t>(got) : wanted;
      size_t scanned = chunk;
      // Only a chunk read whole is directly followed in the file by the carried bytes.
      if (chunk == wanted && carried > 0) {
        std::memcpy(buffer + chunk, carry, carried);
        scanned += carried;
      }
      // Scanned from the chunk's first byte: the lowest match wins.
      for (size_t pos = 0; pos < chunk && pos + kSignatureSize <= scanned; ++pos) {
        if (HasSignature(buffer + pos, kEndSignature)) {
          endRecordOffset = start + static_cast<uint32_t>(pos);
          return true;
        }
      }
      carried = chunk < 3 ? chunk : 3;
      std::memcpy(carry, buffer, carried);
    } else {
      carried = 0;
    }
    // The window ends with the chunk that holds the position fileSize - kSearchWindow.
    if (start == 0 || (fileSize >= kSearchWindow && start < fileSize - kSearchWindow)) return false;
    end = start;
  }
}

}  // namespace zip
