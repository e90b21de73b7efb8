#include "archive/EndRecordSearch.h"

#include <cstring>

#include "archive/LittleEndian.h"
#include "archive/ZipRecords.h"

namespace zip {

namespace {

// The bytes of a record after its first: a record that starts in a chunk may end in the next.
constexpr size_t kCarried = end::kSize - 1;

}  // namespace

bool FindEndRecord(ByteSource& in, uint32_t fileSize, uint32_t& endRecordOffset) {
  // One chunk followed by the carried bytes: the first bytes of the chunk read before, which
  // follow this chunk in the file, so a record straddling the boundary is still seen whole.
  uint8_t buffer[kSearchChunkSize + kCarried];
  uint8_t carry[kCarried];
  size_t carried = 0;
  bool fitting = false;  // a record that lies inside the file was seen; the highest is kept
  uint32_t highestFitting = 0;
  uint32_t end = fileSize;
  for (;;) {
    const uint32_t start = end < kSearchChunkSize ? 0 : end - kSearchChunkSize;
    const size_t wanted = end - start;
    const size_t got = in.ReadAt(start, buffer, wanted);
    const size_t chunk = got < wanted ? got : wanted;
    size_t scanned = chunk;
    // Only a chunk read whole is directly followed in the file by the carried bytes.
    if (chunk == wanted && carried > 0) {
      std::memcpy(buffer + chunk, carry, carried);
      scanned += carried;
    }
    // From the chunk's last position down: the first record that reaches the end wins.
    for (size_t pos = chunk; pos-- > 0;) {
      if (pos + kSignatureSize > scanned || !HasSignature(buffer + pos, kEndSignature)) continue;
      if (pos + end::kSize > scanned) continue;  // cut off by the end of the file (or of what was read)
      const uint32_t at = start + static_cast<uint32_t>(pos);
      if (uint64_t{at} + end::kSize + le::Read16(buffer + pos + end::kCommentLength) == fileSize) {
        endRecordOffset = at;
        return true;
      }
      if (!fitting) {
        fitting = true;
        highestFitting = at;
      }
    }
    carried = chunk < kCarried ? chunk : kCarried;
    std::memcpy(carry, buffer, carried);
    // The window ends with the chunk that holds the position fileSize - kSearchWindow.
    if (start == 0 || (fileSize >= kSearchWindow && start < fileSize - kSearchWindow)) break;
    end = start;
  }
  if (fitting) endRecordOffset = highestFitting;
  return fitting;
}

}  // namespace zip
