#include <gtest/gtest.h>

#include "media/CueFile.h"
#include "media/MediaArchive.h"
#include "support/MediaBuilders.h"

namespace {

constexpr uint32_t kEnd = 0xFFFFFFFFu;

std::string Pieces(const std::string& raw) {
  return media::DropZeroPieces(reinterpret_cast<const uint8_t*>(raw.data()), raw.size());
}

// A stored MP3 member whose computed play time is `seconds` (128 kbit/s, no tags).
ZipEntry Track(const std::string& name, uint32_t seconds) {
  return {name, build::ConfirmedHeader(build::kMpeg1Layer3, build::kRate128, 417, seconds * 16000)};
}

const std::string kThreeIndexes =
    "FILE \"a.zip.mp3\" MP3\r\n"
    "  TRACK 01 AUDIO\r\n"
    "  INDEX 01 00:00:00\r\n"
    "  INDEX 01 03:25:50\r\n"
    "  INDEX 01 07:02:10\r\n";

TEST(CueText, ZeroBytesDropTheRestOfTheirFourBytePiece) {
  EXPECT_EQ(Pieces(std::string("AB\0CDEFG", 8)), "ABDEFG");
  EXPECT_EQ(Pieces(std::string("\0BCDEF", 6)), "EF");
  EXPECT_EQ(Pieces("ABCDEFGHI"), "ABCDEFGHI");
  EXPECT_EQ(Pieces(std::string("ABCDEFG\0", 8)), "ABCDEFG");
  // A UTF-16 sheet keeps one character of every two.
  EXPECT_EQ(Pieces(std::string("I\0N\0D\0E\0", 8)), "ID");
  EXPECT_EQ(Pieces(""), "");
}

TEST(CueIndexTimes, ExampleSheetWithCrLf) {
  EXPECT_EQ(media::ParseIndexTimes(kThreeIndexes), (std::vector<uint32_t>{0, 205500, 422100, kEnd}));
}

TEST(CueIndexTimes, EmptyLineEndsTheSheet) {
  const std::string sheet = "INDEX 01 00:00:00\nINDEX 01 03:25:50\n\nINDEX 01 07:02:10\n";
  EXPECT_EQ(media::ParseIndexTimes(sheet), (std::vector<uint32_t>{0, 205500, kEnd}));
  // A last line without line feed is read; a blank CR LF line is not empty.
  EXPECT_EQ(media::ParseIndexTimes("INDEX 01 00:01:00"), (std::vector<uint32_t>{1000, kEnd}));
  EXPECT_EQ(media::ParseIndexTimes("\r\nINDEX 01 00:01:00"), (std::vector<uint32_t>{1000, kEnd}));
  EXPECT_EQ(media::ParseIndexTimes("\nINDEX 01 00:01:00"), (std::vector<uint32_t>{kEnd}));
  EXPECT_EQ(media::ParseIndexTimes(""), (std::vector<uint32_t>{kEnd}));
  // A line of spaces only is skipped, not an end.
  EXPECT_EQ(media::ParseIndexTimes("   \nINDEX 01 00:02:00\n"), (std::vector<uint32_t>{2000, kEnd}));
}

TEST(CueIndexTimes, OnlyTheExactKeywordCounts) {
  const std::string sheet =
      "index 01 00:01:00\n"
      "\tINDEX 01 00:02:00\n"
      "INDEX 1 00:03:00\n"
      "INDEX 00 00:04:00\n"
      "INDEX 01  00:05:00\n"
      "   INDEX 01 01:00:99\n";
  // The %d conversion skips the second space; the third number counts 10 ms.
  EXPECT_EQ(media::ParseIndexTimes(sheet), (std::vector<uint32_t>{5000, 60990, kEnd}));
}

TEST(CueIndexTimes, MissingNumbersCountAsZero) {
  EXPECT_EQ(media::ParseIndexTimes("INDEX 01 02\nINDEX 01 02:03\nINDEX 01 x\nINDEX 01 01:02:\n"),
            (std::vector<uint32_t>{120000, 123000, 0, 62000, kEnd}));
  // Numbers may carry a sign; the arithmetic wraps at 32 bits.
  EXPECT_EQ(media::ParseIndexTimes("INDEX 01 -1:00:00\n"), (std::vector<uint32_t>{0u - 60000u, kEnd}));
  EXPECT_EQ(media::ParseIndexTimes("INDEX 01 99999999999:00:00\n").size(), 2u);
}

TEST(CueArchive, SheetSetsThePlayTimesAndStartTimes) {
  auto zip = ReadArchive(BuildZip({Track("01.mp3", 1), Track("02.mp3", 2), Track("03.mp3", 3), {"album.cue", kThreeIndexes}}));
  ASSERT_EQ(zip->status, StatusPlayable);
  EXPECT_EQ(zip->GetMember(0)->GetPlayTime(), 205500u);
  EXPECT_EQ(zip->GetMember(1)->GetPlayTime(), 216600u);
  EXPECT_EQ(zip->GetMember(2)->GetPlayTime(), kEnd - 422100u);
  EXPECT_EQ(zip->GetMember(3)->GetPlayTime(), 0u);
  EXPECT_EQ(zip->startTimes, (std::vector<uint32_t>{0, 205500, 422100, kEnd, kEnd}));
}

TEST(CueArchive, MembersBeyondTheSheetKeepTheirComputedTime) {
  const std::string sheet = "INDEX 01 00:00:00\nINDEX 01 03:25:50\n\nINDEX 01 07:02:10\n";
  auto zip = ReadArchive(BuildZip({Track("01.mp3", 1), Track("02.mp3", 2), Track("03.mp3", 3), {"album.cue", sheet}}));
  EXPECT_EQ(zip->GetMember(0)->GetPlayTime(), 205500u);
  EXPECT_EQ(zip->GetMember(1)->GetPlayTime(), kEnd - 205500u);
  EXPECT_EQ(zip->GetMember(2)->GetPlayTime(), 3000u);

  // A sheet without index lines changes nothing.
  auto none = ReadArchive(BuildZip({Track("01.mp3", 1), {"x.CUE", "REM nothing\n"}}));
  EXPECT_EQ(none->GetMember(0)->GetPlayTime(), 1000u);
}

TEST(CueArchive, CompressedMp3TakesNoIndexTime) {
  ZipEntry packed = Track("02.mp3", 2);
  packed.compressed = true;
  auto zip = ReadArchive(BuildZip({Track("01.mp3", 1), packed, Track("03.mp3", 3),
                          {"a.cue", "INDEX 01 00:00:00\nINDEX 01 01:00:00\n"}}));
  EXPECT_EQ(Mp3At(*zip, 1), nullptr);
  EXPECT_EQ(zip->GetMember(0)->GetPlayTime(), 60000u);
  EXPECT_EQ(zip->GetMember(1)->GetPlayTime(), 0u);
  EXPECT_EQ(zip->GetMember(2)->GetPlayTime(), kEnd - 60000u);
}

TEST(CueArchive, OnlyTheLastStoredSheetApplies) {
  auto zip = ReadArchive(BuildZip({{"first.cue", "INDEX 01 00:00:00\nINDEX 01 00:05:00\n"}, Track("01.mp3", 1),
                          Track("02.mp3", 2), {"second.cue", "INDEX 01 00:00:00\nINDEX 01 00:07:00\n"}}));
  EXPECT_EQ(zip->GetMember(1)->GetPlayTime(), 7000u);
  EXPECT_EQ(zip->GetMember(2)->GetPlayTime(), kEnd - 7000u);
  EXPECT_EQ(zip->GetCount(), 4);

  // A compressed sheet is not read, so the stored one before it applies.
  ZipEntry packedSheet{"late.cue", "INDEX 01 00:00:00\nINDEX 01 00:09:00\n"};
  packedSheet.compressed = true;
  auto second = ReadArchive(BuildZip({Track("01.mp3", 1), Track("02.mp3", 2),
                             {"early.cue", "INDEX 01 00:00:00\nINDEX 01 00:03:00\n"}, packedSheet}));
  EXPECT_EQ(second->GetMember(0)->GetPlayTime(), 3000u);
}

TEST(CueArchive, EqualTimesFallBackToTheComputedTime) {
  auto zip = ReadArchive(BuildZip({Track("01.mp3", 1), Track("02.mp3", 2),
                          {"a.cue", "INDEX 01 00:00:00\nINDEX 01 00:00:00\n"}}));
  EXPECT_EQ(zip->GetMember(0)->GetPlayTime(), 1000u);
}

TEST(CueArchive, Utf16SheetIsUnreadable) {
  std::string utf16;
  for (char c : std::string("INDEX 01 00:00:00\r\nINDEX 01 00:05:00\r\n")) utf16 += std::string(1, c) + '\0';
  auto zip = ReadArchive(BuildZip({Track("01.mp3", 1), Track("02.mp3", 2), {"a.cue", utf16}}));
  EXPECT_EQ(zip->GetMember(0)->GetPlayTime(), 1000u);
  EXPECT_EQ(zip->GetMember(1)->GetPlayTime(), 2000u);
}

TEST(CueRecord, ReadTextTakesTheMemberBytesOnly) {
  ZipLayout layout;
  const std::string sheet = std::string("INDEX 01 00:00:00\n  \0xyzINDEX", 29);
  const std::string bytes = BuildZip({{"a.cue", sheet}, {"b.txt", "INDEX 01 00:00:01\n"}}, ZipOptions(), &layout);
  File plain(WriteTempFile("cue_record.zip.mp3", bytes), 0);
  plain.dataOffset = layout.dataOffsets[0];
  plain.compressedSize = plain.uncompressedSize = static_cast<uint32_t>(sheet.size());
  CueFile cue(plain);
  cue.ReadText();
  EXPECT_EQ(cue.text, "INDEX 01 00:00:00\n  INDEX");
  EXPECT_EQ(cue.ParseIndexTimes(), (std::vector<uint32_t>{0, kEnd}));

  // A member that claims to run past the archive's end reads what is there.
  plain.compressedSize = 0x7FFFFFFF;
  CueFile longer(plain);
  longer.ReadText();
  EXPECT_EQ(longer.text.compare(0, 25, "INDEX 01 00:00:00\n  INDEX"), 0);
  EXPECT_LT(longer.text.size(), bytes.size());

  File missing("no such archive.zip", 0);
  CueFile nothing(missing);
  nothing.ReadText();
  EXPECT_EQ(nothing.text, "");
}

}  // namespace
