// The length of a VBR member that carries no Xing/Info/VBRI header frame: its frames are counted
// by walking their headers (nothing is decoded). Free functions over the archive's cached reads.
#pragma once
#include <cstdint>

#include "archive/ArchiveReader.h"

namespace media {

// The first frames whose bitrates tell a CBR member from a VBR one: 32 of them (within 64 KiB),
// most of a second of audio; a VBR encoder varies its bitrate well within them.
constexpr uint64_t kBitrateSampleBytes = 64 * 1024;
constexpr int kBitrateSampleFrames = 32;

// True when the first frames from `first` (within kBitrateSampleBytes, at most
// kBitrateSampleFrames of them) do not all have the first frame's bitrate.
bool BitratesVary(ArchiveReader& in, uint64_t first, uint64_t audioEnd);

// The frames of the stream that starts with the frame at `first`, up to `audioEnd`: each header
// leads to the next by its frame length. Where the chain breaks, the walk goes on at the next
// header of the same stream that its follower confirms, looked for at most 1 MiB on.
uint64_t CountFrames(ArchiveReader& in, uint64_t first, uint64_t audioEnd);

// CountFrames for a member whose bitrates vary; 0 for one of constant bitrate, which its size
// times well and whose walk is spared.
uint64_t CountVbrFrames(ArchiveReader& in, uint64_t first, uint64_t audioEnd);

}  // namespace media
