#include "media/MpegHeader.h"

#include <cstring>

namespace mpeg {

namespace {

// kbit/s by [row][index]; rows: MPEG-1 Layer I, II, III; lower sampling frequencies Layer I,
// then Layers II and III together (ISO/IEC 11172-3, ISO/IEC 13818-3).
constexpr int kBitrates[5][16] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
};

// Hz by [version - 1][index].
constexpr int kSampleRates[3][3] = {
    {44100, 48000, 32000},
    {22050, 24000, 16000},
    {11025, 12000, 8000},
};

uint32_t ReadBigEndian32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

// Frame count of a Xing/Info header at `offset`, or 0.
uint32_t XingFrames(const uint8_t* frame, size_t size, size_t offset) {
  if (offset + 12 > size) return 0;
  const uint8_t* p = frame + offset;
  if (std::memcmp(p, "Xing", 4) != 0 && std::memcmp(p, "Info", 4) != 0) return 0;
  const uint32_t flags = ReadBigEndian32(p + 4);
  if ((flags & 0x01) == 0) return 0;  // no frame-count field
  return ReadBigEndian32(p + 8);
}

}  // namespace

int Version(uint8_t b2) {
  if (b2 & 0x08) return 1;
  return (b2 & 0x10) ? 2 : 3;
}

int Layer(uint8_t b2) {
  switch ((b2 >> 1) & 0x03) {
    case 1: return 3;
    case 2: return 2;
    case 3: return 1;
    default: return 0;
  }
}

int Bitrate(int version, int layer, int index) {
  if (index < 0 || index > 15 || layer < 1 || layer > 3) return 0;
  int row;
  if (version == 1) {
    row = layer - 1;
  } else if (version == 2 || version == 3) {
    row = layer == 1 ? 3 : 4;
  } else {
    return 0;
  }
  return kBitrates[row][index];
}

int SampleRate(int version, int index) {
  if (version < 1 || version > 3 || index < 0 || index > 2) return 0;
  return kSampleRates[version - 1][index];
}

int SamplesPerFrame(int version, int layer) {
  if (layer == 1) return 384;
  if (layer == 2) return 1152;
  if (layer == 3) return version == 1 ? 1152 : 576;
  return 0;
}

bool IsValidHeader(uint8_t b1, uint8_t b2, uint8_t b3) {
  if (!IsSync(b1, b2)) return false;
  if ((b2 & 0x18) == 0x08) return false;  // reserved version
  if (Layer(b2) == 0) return false;       // reserved layer
  if (BitrateIndex(b3) == 15) return false;
  if (SampleRateIndex(b3) == 3) return false;
  return true;
}

uint32_t FrameLength(uint8_t b1, uint8_t b2, uint8_t b3) {
  if (!IsValidHeader(b1, b2, b3)) return 0;
  const int version = Version(b2);
  const int layer = Layer(b2);
  const uint32_t kbps = static_cast<uint32_t>(Bitrate(version, layer, BitrateIndex(b3)));
  const uint32_t hz = static_cast<uint32_t>(SampleRate(version, SampleRateIndex(b3)));
  if (kbps == 0 || hz == 0) return 0;
  const uint32_t pad = HasPadding(b3) ? 1 : 0;
  if (layer == 1) return (12 * kbps * 1000 / hz + pad) * 4;
  const uint32_t factor = (layer == 3 && version != 1) ? 72 : 144;
  return factor * kbps * 1000 / hz + pad;
}

long FindValidHeader(const uint8_t* data, size_t size, size_t limit) {
  if (size < 3) return -1;
  const size_t last = size - 3;  // the last position whose three bytes are all present
  for (size_t i = 0; i < limit && i <= last; ++i) {
    if (data[i] == 0xFF && IsValidHeader(data[i], data[i + 1], data[i + 2])) return static_cast<long>(i);
  }
  return -1;
}

uint32_t VbrFrameCount(const uint8_t* frame, size_t size) {
  if (size < kHeaderSize || !IsValidHeader(frame[0], frame[1], frame[2])) return 0;
  const int version = Version(frame[1]);
  const bool mono = IsMono(frame[3]);
  // The Xing header follows the side information; its length depends on version and channels.
  size_t sideInfo;
  if (version == 1) {
    sideInfo = mono ? 17 : 32;
  } else {
    sideInfo = mono ? 9 : 17;
  }
  const size_t offset = kHeaderSize + sideInfo;
  // Some encoders place it after the CRC, some ignore the CRC: look at both places.
  uint32_t frames = XingFrames(frame, size, offset);
  if (frames == 0 && HasCrc(frame[1])) frames = XingFrames(frame, size, offset + 2);
  if (frames != 0) return frames;
  // VBRI sits at a fixed 32 bytes after the header; its frame count is 14 bytes into it.
  constexpr size_t kVbriOffset = kHeaderSize + 32;
  if (kVbriOffset + 18 <= size && std::memcmp(frame + kVbriOffset, "VBRI", 4) == 0)
    return ReadBigEndian32(frame + kVbriOffset + 14);
  return 0;
}

}  // namespace mpeg
