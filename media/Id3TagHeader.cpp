#include "media/Id3TagHeader.h"

#include <cstring>

namespace media {

uint32_t DecodeSyncsafe(const uint8_t* p) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = (value << 7) | p[i];
  return value;
}

bool Id3TagHeader::Parse(const uint8_t* p, size_t size) {
  if (p == nullptr || size < kId3v2HeaderSize || std::memcmp(p, "ID3", 3) != 0) return false;
  std::memcpy(bytes, p, kId3v2HeaderSize);
  version = p[3] * 256 + static_cast<int8_t>(p[4]);
  flags = p[5];
  bodySize = DecodeSyncsafe(p + 6);
  return true;
}

uint64_t Id3TagHeader::TotalSize() const {
  return kId3v2HeaderSize + uint64_t{bodySize} + ((flags & kId3Footer) != 0 ? kId3v2HeaderSize : 0);
}

uint64_t Id3v2TotalSize(const uint8_t* header, size_t size) {
  Id3TagHeader parsed;
  return parsed.Parse(header, size) ? parsed.TotalSize() : 0;
}

}  // namespace media
