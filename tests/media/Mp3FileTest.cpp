#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "media/MediaArchive.h"
#include "support/MediaBuilders.h"

namespace {

// A member of `size` bytes: a header with bitrate byte `b3`, the one confirming it `length` bytes on, zeros.
std::string HeaderThenZeros(int b3, size_t length, size_t size) {
  return build::ConfirmedHeader(build::kMpeg1Layer3, b3, length, size);
}

TEST(Mp3PlayTime, SizeTimesEightOverBitrateTruncated) {
  SingleMember m128(HeaderThenZeros(build::kRate128, 417, 4194304));
  ASSERT_NE(m128.mp3, nullptr);
  EXPECT_EQ(m128.mp3->bitrate, 128);
  EXPECT_EQ(m128.mp3->GetPlayTime(), 262144u);

  SingleMember m192(HeaderThenZeros(0xB0, 626, 5000000));
  ASSERT_NE(m192.mp3, nullptr);
  EXPECT_EQ(m192.mp3->bitrate, 192);
  EXPECT_EQ(m192.mp3->GetPlayTime(), 208333u);
  EXPECT_EQ(m192.zip->startTimes, (std::vector<uint32_t>{0, 208333}));
}

TEST(Mp3PlayTime, LargeMembersDoNotWrapAt32Bits) {
  File plain("none.zip.mp3", 0);
  plain.compressedSize = plain.uncompressedSize = 600000000;
  Mp3File mp3(plain);
  mp3.bitrate = 128;
  EXPECT_EQ(mp3.GetPlayTime(), 37500000u);
  mp3.bitrate = 0;
  EXPECT_EQ(mp3.GetPlayTime(), 0u);
}

TEST(Mp3PlayTime, FreeFormatGivesNoTime) {
  SingleMember m(HeaderThenZeros(0x00, 4, 4000));
  ASSERT_NE(m.mp3, nullptr);
  EXPECT_EQ(m.mp3->syncOffset, m.mp3->dataOffset);
  EXPECT_EQ(m.mp3->bitrate, 0);
  EXPECT_EQ(m.mp3->GetPlayTime(), 0u);
}

TEST(Mp3PlayTime, VbrHeaderFrameCountGivesTheDecodedLength) {
  // The header frame plus 1000 audio frames of 1152 samples at 44.1 kHz, whatever the member's size.
  SingleMember m(build::XingFrame(1000) + build::CbrFrames(10));
  ASSERT_NE(m.mp3, nullptr);
  EXPECT_EQ(m.mp3->headerFrameCount, 1000u);
  EXPECT_EQ(m.mp3->GetPlayTime(), 1001u * 1152 * 1000 / 44100);

  SingleMember info(build::XingFrame(500, "Info") + build::CbrFrames(10));
  EXPECT_EQ(info.mp3->GetPlayTime(), 501u * 1152 * 1000 / 44100);
}

TEST(Mp3PlayTime, VbrWithoutHeaderFrameIsTimedByItsFrames) {
  // 128 and 160 kbit/s frames (417 and 522 bytes) of 1152 samples at 44.1 kHz.
  const auto fast = [](size_t count) { return build::CbrFrames(count, 0xA0, 522); };
  const std::string mixed = build::CbrFrames(30) + fast(40) + build::CbrFrames(30);
  // The APE tag holds frames of the same stream: the walk must stop where the tags begin.
  SingleMember vbr(mixed + build::Ape(build::CbrFrames(2), true) + build::Id3v1("T", "", "", "", "", 1, 0));
  EXPECT_EQ(vbr.mp3->countedFrames, 100u);
  EXPECT_EQ(vbr.mp3->GetPlayTime(), 100u * 1152 * 1000 / 44100);
  // Junk inside the stream is passed over; frames of another stream in it are not counted.
  const std::string junk = std::string(300, '\0') + build::MpegFrame(build::kMpeg2Layer3, 0x90, 0, 261) +
                           build::MpegFrame(build::kMpeg2Layer3, 0x90, 0, 261);
  SingleMember damaged(fast(10) + junk + build::CbrFrames(10));
  EXPECT_EQ(damaged.mp3->countedFrames, 20u);
  // Constant bitrate over the sampled frames: timed by its size, nothing walked.
  SingleMember cbr(build::CbrFrames(200) + fast(10));
  EXPECT_EQ(cbr.mp3->countedFrames, 0u);
  EXPECT_EQ(cbr.mp3->GetPlayTime(), (200u * 417 + 10 * 522) * 8 / 128);
}

TEST(Mp3PlayTime, TagsAreNotCountedAsAudio) {
  const std::string tag = build::Tag(build::Frame("TIT2", build::Latin("Song")) + std::string(500, '\0'));
  const std::string audio = build::CbrFrames(20);  // 8340 bytes
  SingleMember m(tag + audio + build::Id3v1("T", "A", "B", "2000", "", 1, 0));
  ASSERT_NE(m.mp3, nullptr);
  EXPECT_EQ(m.mp3->leadingTagSize, tag.size());
  EXPECT_EQ(m.mp3->trailingTagSize, 128u);
  EXPECT_EQ(m.mp3->GetPlayTime(), 8340u * 8 / 128);
}

TEST(Mp3PlayTime, ApeAndLyrics3TagsAtTheEndAreNotAudio) {
  const std::string v1 = build::Id3v1("T", "A", "B", "2000", "", 1, 0);
  const std::string ape = build::Ape(std::string(3000, 'a'), true);
  const std::string apeFooterOnly = build::Ape(std::string(500, 'b'), false);
  const std::string lyrics = build::Lyrics3("IND0000210EAL00004Band");
  struct Case {
    const char* what;
    std::string tail;
    uint32_t tags;  // bytes of the tail that are tags
  } cases[] = {
      {"APE with header before ID3v1", ape + v1, static_cast<uint32_t>(ape.size() + 128)},
      {"APE footer alone at the end", apeFooterOnly, static_cast<uint32_t>(apeFooterOnly.size())},
      {"ID3v1, then APE", v1 + ape, static_cast<uint32_t>(ape.size() + 128)},
      {"Lyrics3 and APE before ID3v1", apeFooterOnly + lyrics + v1,
       static_cast<uint32_t>(apeFooterOnly.size() + lyrics.size() + 128)},
      {"Lyrics3 without ID3v1 is not taken", lyrics, 0},
      {"APE claiming more than the member", build::Ape("x", false, 1u << 30), 0},
  };
  for (const Case& c : cases) {
    SingleMember m(build::CbrFrames(8) + c.tail);
    ASSERT_NE(m.mp3, nullptr) << c.what;
    EXPECT_EQ(m.mp3->trailingTagSize, c.tags) << c.what;
    EXPECT_EQ(m.mp3->GetPlayTime(), (8 * 417u + c.tail.size() - c.tags) * 8 / 128) << c.what;
  }
  // One frame before the tags: it ends where the tags begin, which confirms it.
  SingleMember one(build::CbrFrames(1) + ape + v1);
  EXPECT_EQ(one.mp3->syncOffset, one.mp3->dataOffset);
  EXPECT_EQ(one.mp3->GetPlayTime(), 417u * 8 / 128);
}

TEST(Mp3PlayTime, CueTimeOverridesAndZeroRestores) {
  SingleMember m(HeaderThenZeros(build::kRate128, 417, 16000));
  Mp3File* mp3 = const_cast<Mp3File*>(m.mp3);
  ASSERT_NE(mp3, nullptr);
  mp3->SetPlayTime(180000);
  EXPECT_EQ(mp3->GetPlayTime(), 180000u);
  mp3->SetPlayTime(0);
  EXPECT_EQ(mp3->GetPlayTime(), 1000u);
}

TEST(Mp3Sync, FoundAcrossABlockBoundary) {
  for (size_t lead : {254u, 255u, 256u, 511u}) {
    SingleMember m(std::string(lead, '\0') + build::CbrFrames(2));
    ASSERT_NE(m.mp3, nullptr);
    EXPECT_EQ(m.mp3->syncOffset, m.mp3->dataOffset + lead) << "lead " << lead;
    EXPECT_EQ(m.mp3->bitrate, 128) << "lead " << lead;
  }
}

TEST(Mp3Sync, ByteOrderMarkInsideATagIsNoFrame) {
  // "Atlas" in UTF-16: 0xFF 0xFE 0x41 would pass for an MPEG-1 Layer I header.
  const std::string tag = build::Tag(build::Frame("TIT2", build::Utf16(u"Atlas")));
  SingleMember m(tag + build::CbrFrames(10));
  ASSERT_NE(m.mp3, nullptr);
  EXPECT_EQ(m.mp3->syncOffset, m.mp3->dataOffset + tag.size());
  EXPECT_EQ(m.mp3->layer, 3);
  EXPECT_EQ(m.mp3->bitrate, 128);
  EXPECT_EQ(m.mp3->title, "Atlas");
  EXPECT_EQ(m.mp3->GetPlayTime(), 4170u * 8 / 128);
}

TEST(Mp3Sync, BackToBackTagsAreSkippedAndAHeaderNeedsTheNextToConfirmIt) {
  // A Latin-1 tag, then a UTF-16 one whose "1" after the mark (FF FE 31) passes for a Layer I header.
  const std::string latin = build::Tag(build::Frame("TIT2", build::Latin("Song")) + std::string(200, '\0'));
  const std::string utf16 = build::Tag(build::Frame("TIT2", build::Utf16(u"1 Song")));
  const std::string lone = build::MpegFrame(build::kMpeg1Layer3, build::kRate128, 0, 300);  // no header at 417
  // A 44.1 kHz header whose follower is MPEG-2; that one is followed by nothing.
  const std::string otherStream = build::MpegFrame(build::kMpeg1Layer3, build::kRate128, 0, 417) +
                                  build::MpegFrame(build::kMpeg2Layer3, build::kRate128, 0, 304);
  struct Case {
    const char* what;
    std::string lead;
    uint32_t tags;  // bytes of the lead that are tags
  } cases[] = {
      {"two tags", latin + utf16, static_cast<uint32_t>(latin.size() + utf16.size())},
      {"tag, then a stray unconfirmed header", utf16 + lone, static_cast<uint32_t>(utf16.size())},
      {"follower of another stream", otherStream, 0},
      {"a stray header before a tag that is not at the start", lone + latin, 0},
  };
  for (const Case& c : cases) {
    SingleMember m(c.lead + build::CbrFrames(5));
    ASSERT_NE(m.mp3, nullptr) << c.what;
    EXPECT_EQ(m.mp3->leadingTagSize, c.tags) << c.what;
    EXPECT_EQ(m.mp3->syncOffset, m.mp3->dataOffset + c.lead.size()) << c.what;
    EXPECT_EQ(m.mp3->layer, 3) << c.what;
    EXPECT_EQ(m.mp3->GetPlayTime(), (c.lead.size() - c.tags + 5 * 417u) * 8 / 128) << c.what;
  }
  // A member of one frame: its frame ends the data, nothing follows to confirm it.
  SingleMember one(latin + build::CbrFrames(1));
  EXPECT_EQ(one.mp3->syncOffset, one.mp3->dataOffset + latin.size());
  EXPECT_EQ(one.mp3->GetPlayTime(), 417u * 8 / 128);
}

TEST(Mp3Sync, PatternsThatAreNoValidHeaderAreSkipped) {
  // Junk before the audio: a sync with bitrate index 15, one with sample-rate index 3.
  const std::string junk = build::Bytes({0xFF, 0xFB, 0xF0, 0x00, 0xFF, 0xFB, 0x9C, 0x00, 0xFF, 0xF9, 0x90, 0x00});
  SingleMember m(junk + build::CbrFrames(2));
  ASSERT_NE(m.mp3, nullptr);
  EXPECT_EQ(m.mp3->syncOffset, m.mp3->dataOffset + junk.size());
}

TEST(Mp3Sync, NoFrameMeansNoTimeAndNoTags) {
  SingleMember m(std::string(1000, '\x11') + build::Id3v1("Title", "A", "B", "2000", "", 1, 0));
  ASSERT_NE(m.mp3, nullptr);
  EXPECT_EQ(m.mp3->syncOffset, 0xFFFFFFFFu);
  EXPECT_EQ(m.mp3->GetPlayTime(), 0u);
  EXPECT_FALSE(m.mp3->HasTag());
  EXPECT_EQ(m.mp3->title, "");

  // A header cut by the member's end is no frame; the next member's bytes are not looked at.
  auto zip = ReadArchive(BuildZip({{"a.mp3", std::string(10, '\0') + "\xFF\xFB"}, {"b.mp3", build::CbrFrames(1)}}));
  ASSERT_NE(Mp3At(*zip, 0), nullptr);
  EXPECT_EQ(Mp3At(*zip, 0)->syncOffset, 0xFFFFFFFFu);
  EXPECT_EQ(Mp3At(*zip, 1)->bitrate, 128);

  SingleMember empty("");
  ASSERT_NE(empty.mp3, nullptr);
  EXPECT_EQ(empty.mp3->syncOffset, 0xFFFFFFFFu);
}

// An archive of one stored member of `size` zero bytes, written as a sparse file.
std::string WriteSparseArchive(const std::string& fileName, uint32_t size) {
  ZipEntry big("big.mp3", "");
  big.compressedSizeOverride = big.uncompressedSizeOverride = size;
  ZipLayout layout;
  BuildZip({big}, ZipOptions(), &layout);
  ZipOptions options;
  options.directoryOffsetOverride = layout.directoryOffset + size;
  const std::string zip = BuildZip({big}, options);
  const std::string path = WriteTempFile(fileName, zip.substr(0, layout.directoryOffset));
  std::error_code error;
  std::filesystem::resize_file(path, uint64_t{layout.directoryOffset} + size, error);
  if (error) return std::string();
  std::ofstream(path, std::ios::binary | std::ios::app) << zip.substr(layout.directoryOffset);
  return path;
}

TEST(Mp3Sync, SearchEndsOneMebibytePastTheTags) {
  // Unconfirmed headers every 300 bytes for 100 KB, then the audio: still found.
  std::string junk;
  while (junk.size() < 100 * 1024) junk += build::MpegFrame(build::kMpeg1Layer3, build::kRate128, 0, 300);
  const std::string tag = build::Tag(build::Frame("TIT2", build::Latin("Far")) + std::string(300000, '\0'));
  SingleMember far(tag + junk + build::CbrFrames(3));
  EXPECT_EQ(far.mp3->syncOffset, far.mp3->dataOffset + tag.size() + junk.size());
  EXPECT_EQ(far.mp3->title, "Far");

  // Audio that starts one byte too far is not looked for: no time, no tags.
  SingleMember beyond(tag + std::string(1024 * 1024 + 1, '\0') + build::CbrFrames(3));
  EXPECT_EQ(beyond.mp3->syncOffset, 0xFFFFFFFFu);
  EXPECT_EQ(beyond.mp3->GetPlayTime(), 0u);
  SingleMember within(tag + std::string(1024 * 1024 - 3, '\0') + build::CbrFrames(3));
  EXPECT_EQ(within.mp3->bitrate, 128);

  // 600 MB without a frame opens in a moment (the whole scan took seconds).
  const std::string path = WriteSparseArchive("sparse.zip.mp3", 600000000);
  if (path.empty()) GTEST_SKIP() << "cannot make a sparse file here";
  const auto start = std::chrono::steady_clock::now();
  ZipFile zip(path);
  ASSERT_TRUE(zip.Read());
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("600 MB member without a frame: opened in %.3f s\n", seconds);
  ASSERT_NE(Mp3At(zip, 0), nullptr);
  EXPECT_EQ(Mp3At(zip, 0)->syncOffset, 0xFFFFFFFFu);
  EXPECT_EQ(zip.GetPlayTime(), 0u);
  EXPECT_LT(seconds, 2.0);
  std::error_code error;
  std::filesystem::remove(path, error);
}

TEST(Mp3Sync, TagClaimingMoreThanTheMemberIsNeitherSkippedNorLoaded) {
  // Unmasked size bytes 0xFF claim 512 MiB.
  const std::string header = "ID3" + build::Bytes({3, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF});
  SingleMember m(header + build::CbrFrames(4));
  ASSERT_NE(m.mp3, nullptr);
  EXPECT_EQ(m.mp3->leadingTagSize, 0u);
  EXPECT_EQ(m.mp3->syncOffset, m.mp3->dataOffset + header.size());
  EXPECT_FALSE(m.mp3->HasTag());
  EXPECT_EQ(m.mp3->GetPlayTime(), (header.size() + 4 * 417u) * 8 / 128);
}

TEST(Mp3Sync, MemberEndIsBoundedByTheArchiveSize) {
  // The member claims 1 MiB but the file ends after a few frames; its leading tag claims 64 KiB,
  // less than the member's size but more than the file holds, so the tag is refused and the
  // frames right behind its header are found.
  const std::string header = "ID3" + build::Bytes({3, 0, 0, 0, 4, 0, 0});
  ZipEntry entry("a.mp3", header + build::CbrFrames(4));
  entry.compressedSizeOverride = entry.uncompressedSizeOverride = 1u << 20;
  const std::unique_ptr<ZipFile> zip = ReadArchive(BuildZip({entry}));
  const Mp3File* mp3 = Mp3At(*zip, 0);
  ASSERT_NE(mp3, nullptr);
  EXPECT_EQ(mp3->leadingTagSize, 0u);
  EXPECT_EQ(mp3->syncOffset, mp3->dataOffset + header.size());
  EXPECT_EQ(mp3->bitrate, 128);
}

TEST(Mp3Tags, Id3v2ReplacesTheTextsAndGenreStaysFromId3v1) {
  const std::string tag = build::Tag(build::Frame("TIT2", build::Latin("V2 Title")) +
                                     build::Frame("TPE1", build::Utf16(u"V2 Artist")) +
                                     build::Frame("COMM", build::CommentUtf16(u"", u"V2 note")));
  SingleMember m(tag + build::CbrFrames(3) + build::Id3v1("V1 Title", "V1 Artist", "V1 Album", "1987", "V1 note", 5, 42));
  ASSERT_NE(m.mp3, nullptr);
  EXPECT_TRUE(m.mp3->HasTag());
  const TagInfo info = m.mp3->GetTag();
  EXPECT_EQ(info.title, "V2 Title");
  EXPECT_EQ(info.artist, "V2 Artist");
  EXPECT_EQ(info.album, "") << "replaced even though the tag has no album";
  EXPECT_EQ(info.comment, "V2 note");
  EXPECT_EQ(info.year, 0);
  EXPECT_EQ(info.trackNumber, 0);
  EXPECT_EQ(info.genre, 42);
}

TEST(Mp3Tags, Id3v1AloneAndWithANewerId3v2) {
  const std::string v1 = build::Id3v1("V1 Title", "V1 Artist", "V1 Album", "1987", "V1 note", 5, 42);
  SingleMember plain(build::CbrFrames(3) + v1);
  ASSERT_NE(plain.mp3, nullptr);
  EXPECT_TRUE(plain.mp3->HasTag());
  EXPECT_EQ(plain.mp3->title, "V1 Title");
  EXPECT_EQ(plain.mp3->year, 1987);
  EXPECT_EQ(plain.mp3->trackNumber, 5);

  // A tag of a later version is not read, but it is still skipped on the way to the audio.
  const std::string tag25 = build::Tag(build::Frame("TIT2", build::Utf16(u"Atlas")), 5);
  SingleMember with25(tag25 + build::CbrFrames(3) + v1);
  ASSERT_NE(with25.mp3, nullptr);
  EXPECT_EQ(with25.mp3->title, "V1 Title");
  EXPECT_EQ(with25.mp3->artist, "V1 Artist");
  EXPECT_EQ(with25.mp3->bitrate, 128);
  EXPECT_EQ(with25.mp3->GetPlayTime(), 3u * 417 * 8 / 128);

  // A 2.4 tag is read. Its footer is stepped over with it, so a tag after the footer is found
  // and skipped too.
  const std::string tag24 = build::Tag(build::Frame24("TIT2", build::Utf8("Atlas")) +
                                       build::Frame24("TDRC", build::Latin("2019-04-01")), 4, 0, 0x10);
  const std::string lead = tag24 + "3DI" + tag24.substr(3, 7) + build::Tag(build::Frame("TIT2", build::Latin("Next")));
  SingleMember with24(lead + build::CbrFrames(3) + v1);
  ASSERT_NE(with24.mp3, nullptr);
  EXPECT_EQ(with24.mp3->title, "Atlas");
  EXPECT_EQ(with24.mp3->artist, "");
  EXPECT_EQ(with24.mp3->year, 2019);
  EXPECT_EQ(with24.mp3->genre, 42);
  EXPECT_EQ(with24.mp3->leadingTagSize, lead.size());
  EXPECT_EQ(with24.mp3->syncOffset, with24.mp3->dataOffset + lead.size());
  EXPECT_EQ(with24.mp3->GetPlayTime(), 3u * 417 * 8 / 128);

  // ffmpeg's 2.4 tag naming only the encoder tells nothing: the ID3v1 texts stay, and without
  // them the member has no tag (its list line keeps the file name).
  const std::string encoderOnly = build::Tag(build::Frame24("TSSE", build::Latin("Lavf59.27.100")), 4);
  SingleMember encoded(encoderOnly + build::CbrFrames(3) + v1);
  ASSERT_NE(encoded.mp3, nullptr);
  EXPECT_EQ(encoded.mp3->title, "V1 Title");
  SingleMember bare(encoderOnly + build::CbrFrames(3));
  ASSERT_NE(bare.mp3, nullptr);
  EXPECT_FALSE(bare.mp3->HasTag());
}

TEST(Mp3Tags, YearAndTrackFromTheLeadingNumber) {
  const std::string tag = build::Tag(build::Frame("TRCK", build::Latin("07/12")) + build::Frame("TYER", build::Latin("2004")));
  SingleMember m(tag + build::CbrFrames(2));
  ASSERT_NE(m.mp3, nullptr);
  EXPECT_EQ(m.mp3->trackNumber, 7);
  EXPECT_EQ(m.mp3->year, 2004);
  EXPECT_EQ(m.mp3->title, "");
}

TEST(Mp3Variables, TagVariablesAndTheFileFallback) {
  SingleMember v1(build::CbrFrames(2) + build::Id3v1("Song", "Band", "Record", "1999", "note", -1, 0), "disc1/01 song.mp3");
  ASSERT_NE(v1.mp3, nullptr);
  EXPECT_EQ(v1.mp3->GetVariable("TRACK_NAME"), "Song");
  EXPECT_EQ(v1.mp3->GetVariable("ARTIST_NAME"), "Band");
  EXPECT_EQ(v1.mp3->GetVariable("ALBUM_NAME"), "Record");
  EXPECT_EQ(v1.mp3->GetVariable("YEAR"), "1999");
  EXPECT_EQ(v1.mp3->GetVariable("COMMENT"), "note");
  EXPECT_EQ(v1.mp3->GetVariable("TRACK_NUMBER"), "-1");
  EXPECT_EQ(v1.mp3->GetVariable("TRACK_NUMBER2"), "-1");
  EXPECT_EQ(v1.mp3->GetVariable("TRACK_NUMBER3"), "-01");
  EXPECT_EQ(v1.mp3->GetVariable("FILE_NAME"), "01 song.mp3");
  EXPECT_EQ(v1.mp3->GetVariable("FILE_PATH"), "disc1/01 song.mp3");
  EXPECT_EQ(v1.mp3->GetVariable("track_name"), "");
  EXPECT_EQ(v1.mp3->GetVariable("NOSUCH"), "");

  SingleMember numbered(build::CbrFrames(2) + build::Id3v1("Song", "", "", "", "", 3, 0));
  EXPECT_EQ(numbered.mp3->GetVariable("TRACK_NUMBER2"), "03");
  EXPECT_EQ(numbered.mp3->GetVariable("TRACK_NUMBER3"), "003");
  EXPECT_EQ(numbered.mp3->GetVariable("YEAR"), "0");

  SingleMember untagged(build::CbrFrames(2), "x.MP3");
  ASSERT_NE(untagged.mp3, nullptr);
  EXPECT_FALSE(untagged.mp3->HasTag());
  EXPECT_EQ(untagged.mp3->GetVariable("TRACK_NAME"), "");
  EXPECT_EQ(untagged.mp3->GetVariable("TRACK_NUMBER"), "");
  EXPECT_EQ(untagged.mp3->GetVariable("FILE_NAME"), "x.MP3");
}

TEST(Mp3Record, MissingArchiveLeavesTheRecordEmpty) {
  File plain("no such archive.zip.mp3", 0);
  plain.name = "a.mp3";
  plain.compressedSize = plain.uncompressedSize = 4000;
  Mp3File mp3(plain);
  EXPECT_TRUE(mp3.Read());
  EXPECT_EQ(mp3.bitrate, 0);
  EXPECT_EQ(mp3.GetPlayTime(), 0u);
  EXPECT_FALSE(mp3.HasTag());
  EXPECT_EQ(mp3.GetVariable("FILE_NAME"), "a.mp3");
}

}  // namespace
