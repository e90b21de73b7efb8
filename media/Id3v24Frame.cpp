#include "media/Id3v24Frame.h"

#include "media/Id3Tag.h"

namespace media {

namespace {

bool IsIdByte(uint8_t b) { return (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9'); }

}  // namespace

uint32_t DecodeSyncsafe28(const uint8_t* p) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = (value << 7) | (p[i] & 0x7Fu);
  return value;
}

bool EndsOnFrameBoundary(ByteSource& in, uint64_t at, uint64_t remaining, uint64_t total) {
  if (total > remaining) return false;
  if (total == remaining) return true;
  uint8_t next[4] = {};
  const uint64_t left = remaining - total;
  const size_t want = left < sizeof next ? static_cast<size_t>(left) : sizeof next;
  if (in.ReadAt(at + total, next, want) != want) return false;
  bool zeros = true;
  bool id = want == sizeof next;
  for (size_t i = 0; i < want; ++i) {
    zeros = zeros && next[i] == 0;
    id = id && IsIdByte(next[i]);
  }
  return zeros || id;
}

bool UnwrapFrameBody(std::vector<uint8_t>& body, uint16_t flags, bool tagUnsynchronised) {
  // The additions come in the order of their flags: group byte, then the data length.
  const size_t skip = ((flags & kFrameGrouped) ? 1 : 0) + ((flags & kFrameDataLength) ? 4 : 0);
  if (skip > body.size()) return false;
  body.erase(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(skip));
  if ((flags & kFrameUnsynchronised) || tagUnsynchronised) Deunsynchronise(body);
  return true;
}

}  // namespace media
