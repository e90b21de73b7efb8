#include "media/Id3FrameHeader.h"

#include <cstring>

#include "media/Id3v24Frame.h"

namespace media {

namespace {

// Frame IDs of tags older than 2.3 and the IDs they are kept under.
struct IdMapping {
  char from[4];
  char to[5];
};
constexpr IdMapping kIds22[] = {
    {"TT2", "TIT2"}, {"TRK", "TRCK"}, {"TP1", "TPE1"}, {"TAL", "TALB"}, {"TYE", "TYER"},
    {"TCO", "TCON"}, {"COM", "COMM"}, {"TCM", "TCOM"}, {"TOA", "TOPE"}, {"TCR", "TCOP"},
    {"WXX", "WXXX"}, {"TSS", "TSSE"}, {"TEN", "TENC"},
};

const char* MapId22(const uint8_t* id) {
  for (const IdMapping& m : kIds22) {
    if (std::memcmp(id, m.from, 3) == 0) return m.to;
  }
  return nullptr;
}

constexpr char kShownIds[][5] = {"TIT2", "TPE1", "TALB", "TYER", "TRCK", "COMM", "TDRC"};

}  // namespace

bool Id3FrameHeader::Parse(const uint8_t* p, uint64_t remaining, FrameLayout layout) {
  headerSize = FrameHeaderSize(layout);
  if (remaining < headerSize) return false;
  if (layout != FrameLayout::V22) {
    bodySize = layout == FrameLayout::V24 ? DecodeSyncsafe28(p + 4)
                                          : (uint32_t{p[4]} << 24) | (uint32_t{p[5]} << 16) | (uint32_t{p[6]} << 8) |
                                                uint32_t{p[7]};
    if (uint64_t{bodySize} + headerSize > remaining) return false;
    if (p[0] == 0 && p[1] == 0 && p[2] == 0 && p[3] == 0) return false;  // padding
    std::memcpy(id, p, 4);
    flags = static_cast<uint16_t>((p[8] << 8) | p[9]);
  } else {
    bodySize = (uint32_t{p[3]} << 16) | (uint32_t{p[4]} << 8) | uint32_t{p[5]};
    if (uint64_t{bodySize} + headerSize > remaining) return false;
    const char* mapped = MapId22(p);
    if (mapped == nullptr) return false;  // a frame this reader does not know ends the walk
    std::memcpy(id, mapped, 4);
    flags = 0;
  }
  return true;
}

bool IsShownFrame(const uint8_t id[4]) {
  for (const char* shown : kShownIds) {
    if (std::memcmp(id, shown, 4) == 0) return true;
  }
  return false;
}

}  // namespace media
