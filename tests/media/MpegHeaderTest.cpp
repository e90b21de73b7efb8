#include <gtest/gtest.h>

#include "media/MpegHeader.h"
#include "support/MediaBuilders.h"

namespace {

struct BitrateCase {
  int version;
  int layer;
  int index;
  int kbps;
};

class BitrateTable : public ::testing::TestWithParam<BitrateCase> {};

TEST_P(BitrateTable, GivesTheStandardValue) {
  const BitrateCase c = GetParam();
  EXPECT_EQ(mpeg::Bitrate(c.version, c.layer, c.index), c.kbps)
      << "MPEG-" << c.version << " layer " << c.layer << " index " << c.index;
}

INSTANTIATE_TEST_SUITE_P(
    Mpeg, BitrateTable,
    ::testing::Values(
        // The lower sampling frequencies share one row for Layers II and III.
        BitrateCase{2, 3, 9, 80}, BitrateCase{3, 3, 14, 160}, BitrateCase{2, 2, 9, 80}, BitrateCase{2, 3, 1, 8},
        BitrateCase{2, 1, 9, 144}, BitrateCase{3, 1, 14, 256},
        // MPEG-1 has one row per layer.
        BitrateCase{1, 2, 14, 384}, BitrateCase{1, 1, 14, 448}, BitrateCase{1, 3, 14, 320}, BitrateCase{1, 3, 9, 128},
        BitrateCase{1, 3, 11, 192}, BitrateCase{1, 2, 1, 32}, BitrateCase{1, 3, 1, 32},
        // Free format, forbidden index, reserved layer and nonsense arguments give 0.
        BitrateCase{1, 3, 0, 0}, BitrateCase{1, 3, 15, 0}, BitrateCase{2, 3, 0, 0}, BitrateCase{2, 3, 15, 0},
        BitrateCase{1, 0, 9, 0}, BitrateCase{1, 3, 16, 0}, BitrateCase{1, 3, -1, 0}, BitrateCase{0, 3, 9, 0}));

TEST(MpegHeaderFields, VersionAndLayerFromTheSecondByte) {
  EXPECT_EQ(mpeg::Version(0xFB), 1);
  EXPECT_EQ(mpeg::Version(0xF3), 2);
  EXPECT_EQ(mpeg::Version(0xE3), 3);
  EXPECT_EQ(mpeg::Version(0xEB), 1);  // reserved pattern 01 counts as MPEG-1 ...
  EXPECT_FALSE(mpeg::IsValidHeader(0xFF, 0xEB, 0x90));  // ... but is no valid frame
  EXPECT_EQ(mpeg::Layer(0xFB), 3);
  EXPECT_EQ(mpeg::Layer(0xFD), 2);
  EXPECT_EQ(mpeg::Layer(0xFF), 1);
  EXPECT_EQ(mpeg::Layer(0xF9), 0);
}

TEST(MpegHeaderFields, SampleRatesAndSamplesPerFrame) {
  EXPECT_EQ(mpeg::SampleRate(1, 0), 44100);
  EXPECT_EQ(mpeg::SampleRate(1, 2), 32000);
  EXPECT_EQ(mpeg::SampleRate(2, 1), 24000);
  EXPECT_EQ(mpeg::SampleRate(3, 2), 8000);
  EXPECT_EQ(mpeg::SampleRate(1, 3), 0);
  EXPECT_EQ(mpeg::SamplesPerFrame(1, 3), 1152);
  EXPECT_EQ(mpeg::SamplesPerFrame(2, 3), 576);
  EXPECT_EQ(mpeg::SamplesPerFrame(3, 2), 1152);
  EXPECT_EQ(mpeg::SamplesPerFrame(1, 1), 384);
}

TEST(MpegHeaderValidity, RejectsEveryReservedField) {
  EXPECT_TRUE(mpeg::IsValidHeader(0xFF, 0xFB, 0x90));
  EXPECT_TRUE(mpeg::IsValidHeader(0xFF, 0xFB, 0x00));   // free format is a valid frame
  EXPECT_FALSE(mpeg::IsValidHeader(0xFE, 0xFB, 0x90));  // no sync
  EXPECT_FALSE(mpeg::IsValidHeader(0xFF, 0xDB, 0x90));  // second byte lacks a high bit
  EXPECT_FALSE(mpeg::IsValidHeader(0xFF, 0xF9, 0x90));  // reserved layer
  EXPECT_FALSE(mpeg::IsValidHeader(0xFF, 0xFB, 0xF0));  // bitrate index 15
  EXPECT_FALSE(mpeg::IsValidHeader(0xFF, 0xFB, 0x9C));  // sample-rate index 3
}

TEST(MpegHeaderValidity, FrameLengths) {
  EXPECT_EQ(mpeg::FrameLength(0xFF, 0xFB, 0x90), 417u);
  EXPECT_EQ(mpeg::FrameLength(0xFF, 0xFB, 0x92), 418u);  // padding
  EXPECT_EQ(mpeg::FrameLength(0xFF, 0xF3, 0x80), 208u);  // MPEG-2 L3 64 kbit/s at 22.05 kHz
  EXPECT_EQ(mpeg::FrameLength(0xFF, 0xFF, 0x80), 276u);  // MPEG-1 L1 256 kbit/s: 4-byte slots
  EXPECT_EQ(mpeg::FrameLength(0xFF, 0xFB, 0x00), 0u);    // free format
}

TEST(MpegSyncSearch, SkipsPatternsThatAreNoFrame) {
  // A UTF-16 mark followed by a byte that gives bitrate index 15, then a real header.
  const std::string bytes = build::Bytes({0x00, 0xFF, 0xFE, 0xFF, 0xFF, 0xFB, 0x90, 0x00});
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  EXPECT_EQ(mpeg::FindValidHeader(p, bytes.size(), bytes.size()), 4);
  // The search limit counts start positions only; the header bytes may lie beyond it.
  EXPECT_EQ(mpeg::FindValidHeader(p, bytes.size(), 5), 4);
  EXPECT_EQ(mpeg::FindValidHeader(p, bytes.size(), 4), -1);
  // A header cut off by the end of the bytes is not taken.
  EXPECT_EQ(mpeg::FindValidHeader(p, 6, 6), -1);
  EXPECT_EQ(mpeg::FindValidHeader(p, 2, 2), -1);
}

TEST(MpegVbrHeader, FrameCountFromXingInfoAndVbri) {
  std::string xing = build::XingFrame(1234);
  const auto* p = reinterpret_cast<const uint8_t*>(xing.data());
  EXPECT_EQ(mpeg::VbrFrameCount(p, xing.size()), 1234u);
  std::string info = build::XingFrame(77, "Info");
  EXPECT_EQ(mpeg::VbrFrameCount(reinterpret_cast<const uint8_t*>(info.data()), info.size()), 77u);
  // Cut before the count ends: no count.
  EXPECT_EQ(mpeg::VbrFrameCount(p, 47), 0u);
  EXPECT_EQ(mpeg::VbrFrameCount(p, 48), 1234u);

  // Without the frame-count flag the header gives nothing.
  std::string noCount = xing;
  noCount.replace(40, 4, build::BigEndian32(0x0E));
  EXPECT_EQ(mpeg::VbrFrameCount(reinterpret_cast<const uint8_t*>(noCount.data()), noCount.size()), 0u);

  // Mono MPEG-1 puts it 17 bytes after the header, not 32.
  std::string mono = build::MpegFrame(build::kMpeg1Layer3, build::kRate128, 0xC0, 417);
  mono.replace(21, 12, "Xing" + build::BigEndian32(1) + build::BigEndian32(55));
  EXPECT_EQ(mpeg::VbrFrameCount(reinterpret_cast<const uint8_t*>(mono.data()), mono.size()), 55u);
  std::string monoWrongPlace = build::MpegFrame(build::kMpeg1Layer3, build::kRate128, 0xC0, 417);
  monoWrongPlace.replace(36, 12, "Xing" + build::BigEndian32(1) + build::BigEndian32(55));
  EXPECT_EQ(mpeg::VbrFrameCount(reinterpret_cast<const uint8_t*>(monoWrongPlace.data()), monoWrongPlace.size()), 0u);

  std::string vbri = build::MpegFrame(build::kMpeg1Layer3, build::kRate128, 0x00, 417);
  vbri.replace(36, 18, "VBRI" + build::Bytes({0, 1, 0, 0, 0, 50}) + build::BigEndian32(9999) + build::BigEndian32(321));
  EXPECT_EQ(mpeg::VbrFrameCount(reinterpret_cast<const uint8_t*>(vbri.data()), vbri.size()), 321u);

  const std::string plain = build::CbrFrames(1);
  EXPECT_EQ(mpeg::VbrFrameCount(reinterpret_cast<const uint8_t*>(plain.data()), plain.size()), 0u);
}

}  // namespace
