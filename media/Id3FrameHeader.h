// The header of one frame inside an ID3v2 body: ten bytes in 2.3 and 2.4 tags, six in 2.2 tags
// (whose three-character IDs are mapped to the 2.3 IDs they are kept under).
#pragma once
#include <cstddef>
#include <cstdint>

namespace media {

constexpr size_t kFrameHeader23 = 10;
constexpr size_t kFrameHeader22 = 6;

// How a tag's version lays out its frame headers.
enum class FrameLayout {
  V22,       // three-character ID, 24-bit size
  V23,       // four-character ID, plain 32-bit size, two flag bytes
  V24,       // as 2.3, the size syncsafe
  V24Plain,  // a 2.4 frame whose size an old writer put there as a plain number
};

inline size_t FrameHeaderSize(FrameLayout layout) {
  return layout == FrameLayout::V22 ? kFrameHeader22 : kFrameHeader23;
}

struct Id3FrameHeader {
  uint8_t id[4] = {0, 0, 0, 0};
  uint32_t bodySize = 0;
  uint16_t flags = 0;
  size_t headerSize = 0;

  // Takes the frame header at `p`, where `remaining` bytes of the body are left (at least
  // FrameHeaderSize of them must be readable at `p` when `remaining` reaches that far). False where
  // the walk ends: too few bytes, a body beyond the tag, padding, or a 2.2 ID this reader does not know.
  bool Parse(const uint8_t* p, uint64_t remaining, FrameLayout layout);
};

// True for the frames whose texts the plug-in shows (title, artist, album, year, track, comment,
// and the 2.4 recording time the year falls back on).
bool IsShownFrame(const uint8_t id[4]);

}  // namespace media
