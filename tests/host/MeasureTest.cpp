// Frame headers and whole-stream measuring of the host's own clock.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "host/MpegFrame.h"
#include "host/StreamMeasure.h"

namespace host {
namespace {

struct HeaderCase {
  uint8_t b1, b2;
  MpegVersion version;
  int layer;
  uint32_t bitrate, sampleRate, length, samples;
};

TEST(MpegFrame, DecodesEveryVersionAndLayer) {
  const HeaderCase cases[] = {
      // MPEG-1 layer III, 128 kbit/s, 44.1 kHz: 144 * 128000 / 44100 = 417 bytes.
      {0xFB, 0x90, MpegVersion::V1, 3, 128000, 44100, 417, 1152},
      // Same with the padding bit: one more byte.
      {0xFB, 0x92, MpegVersion::V1, 3, 128000, 44100, 418, 1152},
      // MPEG-1 layer II, 192 kbit/s, 48 kHz: 576 bytes.
      {0xFD, 0xA4, MpegVersion::V1, 2, 192000, 48000, 576, 1152},
      // MPEG-1 layer I, 384 kbit/s, 48 kHz: (12 * 384000 / 48000) * 4 = 384 bytes of 384 samples.
      {0xFF, 0xC4, MpegVersion::V1, 1, 384000, 48000, 384, 384},
      // Layer I padding adds a four-byte slot.
      {0xFF, 0xC6, MpegVersion::V1, 1, 384000, 48000, 388, 384},
      // MPEG-2 layer III, 80 kbit/s, 22.05 kHz: 72 * 80000 / 22050 = 261 bytes, 576 samples.
      {0xF3, 0x90, MpegVersion::V2, 3, 80000, 22050, 261, 576},
      // MPEG-2 layer II keeps 1152 samples and the 144 factor: 144 * 160000 / 24000 = 960.
      {0xF5, 0xE4, MpegVersion::V2, 2, 160000, 24000, 960, 1152},
      // MPEG-2.5 layer III, 64 kbit/s, 8 kHz: 72 * 64000 / 8000 = 576 bytes.
      {0xE3, 0x88, MpegVersion::V25, 3, 64000, 8000, 576, 576},
      // MPEG-2 layer I, 256 kbit/s, 16 kHz: (12 * 256000 / 16000) * 4 = 768.
      {0xF7, 0xE8, MpegVersion::V2, 1, 256000, 16000, 768, 384},
  };
  for (const HeaderCase& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << int(c.b1) << " " << int(c.b2));
    const uint8_t b[4] = {0xFF, c.b1, c.b2, 0x00};
    FrameHeader h;
    ASSERT_TRUE(DecodeFrameHeader(b, h));
    EXPECT_EQ(h.version, c.version);
    EXPECT_EQ(h.layer, c.layer);
    EXPECT_EQ(h.bitrate, c.bitrate);
    EXPECT_EQ(h.sampleRate, c.sampleRate);
    EXPECT_EQ(h.length, c.length);
    EXPECT_EQ(h.samples, c.samples);
  }
}

TEST(MpegFrame, RejectsWhatNoDecoderCanSize) {
  const uint8_t bad[][4] = {
      {0xFE, 0xFB, 0x90, 0x00},  // sync broken in the first byte
      {0xFF, 0xDB, 0x90, 0x00},  // sync broken in the second byte
      {0xFF, 0xEB, 0x90, 0x00},  // reserved version 01
      {0xFF, 0xF9, 0x90, 0x00},  // reserved layer 00
      {0xFF, 0xFB, 0x00, 0x00},  // free-format bitrate
      {0xFF, 0xFB, 0xF0, 0x00},  // forbidden bitrate index 15
      {0xFF, 0xFB, 0x9C, 0x00},  // reserved sample rate
  };
  for (const auto& b : bad) {
    FrameHeader h;
    EXPECT_FALSE(DecodeFrameHeader(b, h)) << std::hex << int(b[1]) << " " << int(b[2]);
  }
}

// A stream builder: frames are a header and zero bytes up to the header's length.
class Stream {
 public:
  Stream& Frames(uint8_t b1, uint8_t b2, int count) {
    for (int i = 0; i < count; ++i) {
      const uint8_t hb[4] = {0xFF, b1, b2, 0x00};
      FrameHeader h;
      EXPECT_TRUE(DecodeFrameHeader(hb, h));
      const size_t at = bytes_.size();
      bytes_.resize(at + h.length, 0);
      std::copy(hb, hb + 4, bytes_.begin() + static_cast<long>(at));
    }
    return *this;
  }
  // Byte by byte: GCC 12 mistakes the range insert of a short temporary for an overflow.
  Stream& Raw(const std::vector<uint8_t>& raw) {
    for (const uint8_t b : raw) bytes_.push_back(b);
    return *this;
  }
  Stream& Id3v2(uint32_t bodySize, const std::vector<uint8_t>& body = {}) {
    Raw({'I', 'D', '3', 3, 0, 0, uint8_t(bodySize >> 21 & 0x7F), uint8_t(bodySize >> 14 & 0x7F),
         uint8_t(bodySize >> 7 & 0x7F), uint8_t(bodySize & 0x7F)});
    std::vector<uint8_t> filled(bodySize, 0);
    std::copy(body.begin(), body.begin() + std::min(body.size(), filled.size()), filled.begin());
    return Raw(filled);
  }
  Stream& Truncate(size_t n) {
    bytes_.resize(bytes_.size() - n);
    return *this;
  }
  StreamMeasure Measure() const {
    MemorySource src(bytes_.data(), bytes_.size());
    return MeasureStream(src);
  }
  size_t Size() const { return bytes_.size(); }

 private:
  std::vector<uint8_t> bytes_;
};

constexpr uint8_t kV1 = 0xFB, kRate44 = 0x90;     // MPEG-1 layer III 128k 44.1 kHz, 417 bytes
constexpr uint8_t kV25 = 0xE3, kRate8 = 0x88;     // MPEG-2.5 layer III 64k 8 kHz, 576 bytes
const std::vector<uint8_t> kZipLocalHeader = {'P', 'K', 3, 4, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                              0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0, 'a', '.', 'm', 'p', '3'};

TEST(StreamMeasure, CountsEveryFrameAndItsTime) {
  const StreamMeasure m = Stream().Frames(kV1, kRate44, 100).Measure();
  EXPECT_EQ(m.frames, 100u);
  EXPECT_EQ(m.skippedBytes, 0u);
  // 100 * 1152 / 44100 s = 2612.24 ms.
  EXPECT_EQ(m.DurationMs(), 2612u);
}

TEST(StreamMeasure, SkipsZipRecordsBetweenMembersAndSumsMixedRates) {
  Stream s;
  s.Raw(kZipLocalHeader).Frames(kV1, kRate44, 10).Raw(kZipLocalHeader).Frames(kV25, kRate8, 5).Raw({'P', 'K', 1, 2, 0, 0, 0});
  const StreamMeasure m = s.Measure();
  EXPECT_EQ(m.frames, 15u);
  EXPECT_EQ(m.skippedBytes, 2 * kZipLocalHeader.size() + 7);
  // 10 * 1152 / 44100 s + 5 * 576 / 8000 s = 261.22 + 360 ms, summed before rounding down.
  EXPECT_EQ(m.DurationMs(), 621u);
}

TEST(StreamMeasure, SkipsId3v2TagsByTheirSizeEvenWithSyncBytesInside) {
  // The tag body looks like two valid frame headers 417 bytes apart; only its size may decide.
  std::vector<uint8_t> body(900, 0);
  const uint8_t fake[4] = {0xFF, kV1, kRate44, 0x00};
  std::copy(fake, fake + 4, body.begin() + 20);
  std::copy(fake, fake + 4, body.begin() + 437);
  const StreamMeasure m = Stream().Id3v2(900, body).Frames(kV1, kRate44, 3).Measure();
  EXPECT_EQ(m.frames, 3u);
  EXPECT_EQ(m.skippedBytes, 910u);
}

TEST(StreamMeasure, AcceptsASearchedSyncOnlyWhenTheNextHeaderConfirmsIt) {
  // A stray sync in garbage, followed by garbage where its frame would end, is no frame.
  std::vector<uint8_t> garbage(1000, 0x11);
  garbage[100] = 0xFF;
  garbage[101] = kV1;
  garbage[102] = kRate44;
  const StreamMeasure m = Stream().Raw(garbage).Frames(kV1, kRate44, 2).Measure();
  EXPECT_EQ(m.frames, 2u);
  EXPECT_EQ(m.skippedBytes, 1000u);
}

TEST(StreamMeasure, RejectsASearchedSyncWhoseNextFrameIsAnotherStream) {
  // The next header is valid but of another sample rate: not a confirmation.
  Stream s;
  s.Raw({0x00}).Frames(kV1, kRate44, 1).Frames(kV25, kRate8, 1);
  const StreamMeasure m = s.Measure();
  // The 8 kHz frame ends the file and is taken; the 44.1 kHz one is not confirmed.
  EXPECT_EQ(m.frames, 1u);
  EXPECT_EQ(m.DurationMs(), 72u);
  EXPECT_EQ(m.skippedBytes, 1u + 417u);
}

TEST(StreamMeasure, IgnoresATruncatedLastFrame) {
  const StreamMeasure m = Stream().Frames(kV1, kRate44, 3).Truncate(10).Measure();
  EXPECT_EQ(m.frames, 2u);
  EXPECT_EQ(m.skippedBytes, 417u - 10u);
}

TEST(StreamMeasure, HandlesEmptyAndTinyInputs) {
  EXPECT_EQ(Stream().Measure().frames, 0u);
  const StreamMeasure m = Stream().Raw({0xFF, 0xFB}).Measure();
  EXPECT_EQ(m.frames, 0u);
  EXPECT_EQ(m.skippedBytes, 2u);
  EXPECT_EQ(Stream().Id3v2(0).Measure().skippedBytes, 10u);
  // An ID3 header claiming more than the file holds only skips to the end.
  Stream huge;
  huge.Raw({'I', 'D', '3', 3, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F}).Frames(kV1, kRate44, 1);
  EXPECT_EQ(huge.Measure().frames, 0u);
  EXPECT_EQ(huge.Measure().skippedBytes, huge.Size());
}

TEST(StreamMeasure, WalksAcrossReadChunks) {
  // More than the 64 KiB window, so frames straddle refills.
  const StreamMeasure m = Stream().Raw(kZipLocalHeader).Frames(kV1, kRate44, 400).Measure();
  EXPECT_EQ(m.frames, 400u);
  EXPECT_EQ(m.frameBytes, 400u * 417u);
}

// Reference figures made by ffprobe from the same files (tests/host/data/make_fixtures.sh).
struct Figure {
  uint64_t packets;
  uint64_t microseconds;
};

std::map<std::string, Figure> ReadFigures() {
  std::map<std::string, Figure> figures;
  std::ifstream in(std::string(TC_SOURCE_DIR) + "/tests/host/data/ffprobe-figures.txt");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream ls(line);
    std::string name;
    Figure f;
    if (ls >> name >> f.packets >> f.microseconds) figures[name] = f;
  }
  return figures;
}

uint64_t Microseconds(const StreamMeasure& m) { return m.ticks * 1000000u / kTicksPerSecond; }

TEST(StreamMeasure, AgreesWithFfprobeOnEachFixture) {
  const auto figures = ReadFigures();
  ASSERT_EQ(figures.size(), 5u);
  for (const char* name : {"a44.mp3", "b22.mp3", "c8.mp3", "d48.mp2"}) {
    SCOPED_TRACE(name);
    StreamMeasure m;
    ASSERT_TRUE(MeasureFile(std::string(TC_SOURCE_DIR) + "/tests/host/data/" + name, m));
    EXPECT_EQ(m.frames, figures.at(name).packets);
    EXPECT_EQ(Microseconds(m), figures.at(name).microseconds);
  }
}

TEST(StreamMeasure, MeasuresTheArchiveAsTheSumOfItsMembers) {
  const auto figures = ReadFigures();
  uint64_t packets = 0, us = 0;
  for (const char* name : {"a44.mp3", "b22.mp3", "c8.mp3", "d48.mp2"}) {
    packets += figures.at(name).packets;
    us += figures.at(name).microseconds;
  }
  StreamMeasure m;
  ASSERT_TRUE(MeasureFile(std::string(TC_SOURCE_DIR) + "/tests/host/data/archive.zip.mp3", m));
  EXPECT_EQ(m.frames, packets);
  // The member figures are each rounded down to whole microseconds.
  EXPECT_GE(Microseconds(m), us);
  EXPECT_LE(Microseconds(m), us + 4);
  EXPECT_EQ(m.DurationMs(), 2672u);
  // ffprobe's own whole-archive figure counts the ZIP records as audio; the host must not.
  EXPECT_LT(m.frames, figures.at("archive.zip.mp3").packets);
}

TEST(StreamMeasure, ReportsAMissingFile) {
  StreamMeasure m;
  m.frames = 7;
  EXPECT_FALSE(MeasureFile(std::string(TC_BINARY_DIR) + "/no/such/file.mp3", m));
  EXPECT_EQ(m.frames, 7u);
}

}  // namespace
}  // namespace host
