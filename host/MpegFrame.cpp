#include "host/MpegFrame.h"

namespace host {
namespace {

// Bitrates in kbit/s by table and bitrate index 1..14 (index 0 is free format, 15 forbidden).
constexpr uint16_t kBitrates[5][15] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},  // MPEG-1 layer I
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},     // MPEG-1 layer II
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},      // MPEG-1 layer III
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},     // MPEG-2/2.5 layer I
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},          // MPEG-2/2.5 layer II, III
};

constexpr uint32_t kSampleRates[9] = {44100, 48000, 32000, 22050, 24000,
                                                     16000, 11025, 12000, 8000};

}  // namespace

bool DecodeFrameHeader(const uint8_t* b, FrameHeader& out) {
  // Eleven sync bits.
  if (b[0] != 0xFF || (b[1] & 0xE0) != 0xE0) return false;
  const int versionBits = (b[1] >> 3) & 3;
  const int layerBits = (b[1] >> 1) & 3;
  const int bitrateIndex = b[2] >> 4;
  const int rateIndex = (b[2] >> 2) & 3;
  // Version 01 and layer 00 are reserved.
  if (versionBits == 1 || layerBits == 0) return false;
  // Free format (0) has no computable length; 15 is forbidden.
  if (bitrateIndex == 0 || bitrateIndex == 15) return false;
  if (rateIndex == 3) return false;

  FrameHeader h;
  h.version = versionBits == 3 ? MpegVersion::V1 : versionBits == 2 ? MpegVersion::V2 : MpegVersion::V25;
  h.layer = 4 - layerBits;
  const bool v1 = h.version == MpegVersion::V1;
  const int table = v1 ? h.layer - 1 : (h.layer == 1 ? 3 : 4);
  h.bitrate = kBitrates[table][bitrateIndex] * 1000u;
  const int rateBase = v1 ? 0 : (h.version == MpegVersion::V2 ? 3 : 6);
  h.sampleRate = kSampleRates[rateBase + rateIndex];
  h.padding = (b[2] & 0x02) != 0;
  const uint32_t pad = h.padding ? 1u : 0u;
  if (h.layer == 1) {
    h.samples = 384;
    h.length = (12u * h.bitrate / h.sampleRate + pad) * 4u;
  } else if (h.layer == 2 || v1) {
    h.samples = 1152;
    h.length = 144u * h.bitrate / h.sampleRate + pad;
  } else {
    // Layer III of MPEG-2 and 2.5 carries one granule: half the samples, half the bytes.
    h.samples = 576;
    h.length = 72u * h.bitrate / h.sampleRate + pad;
  }
  out = h;
  return true;
}

bool SameStream(const FrameHeader& a, const FrameHeader& b) {
  return a.version == b.version && a.layer == b.layer && a.sampleRate == b.sampleRate;
}

}  // namespace host
