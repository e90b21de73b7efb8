// MPEG audio frame headers as a decoder sees them: four bytes in, the frame's size and play
// time out. The host measures files with these on its own, so its clock is an independent
// reference for whatever the plug-in estimates.
#pragma once
#include <cstddef>
#include <cstdint>

namespace host {

enum class MpegVersion { V1, V2, V25 };

struct FrameHeader {
  MpegVersion version = MpegVersion::V1;
  int layer = 0;              // 1, 2 or 3
  uint32_t bitrate = 0;       // bits per second
  uint32_t sampleRate = 0;    // Hz
  bool padding = false;
  uint32_t length = 0;        // whole frame in bytes, header included
  uint32_t samples = 0;       // PCM samples per channel the frame decodes to
};

constexpr size_t kFrameHeaderSize = 4;

// Decodes the four header bytes at b. False for anything a decoder cannot size: no sync,
// reserved version or layer, free-format or forbidden bitrate, reserved sample rate.
bool DecodeFrameHeader(const uint8_t* b, FrameHeader& out);

// Two headers belong to the same stream when version, layer and sample rate agree; a bitrate
// change is allowed (VBR).
bool SameStream(const FrameHeader& a, const FrameHeader& b);

}  // namespace host
