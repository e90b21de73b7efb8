#include <gtest/gtest.h>

#include "archive/ArchiveReader.h"
#include "archive/MemorySource.h"
#include "media/Id3Tag.h"
#include "media/Id3Text.h"
#include "media/Id3v1.h"
#include "support/MediaBuilders.h"
#include "media/TextNumber.h"

namespace {

using media::CId3tagv2;
using media::Id3Result;

// Loads the tag at the start of `bytes`, as the archive reader fetches it, `available` bytes of
// them belonging to its member (all when 0).
Id3Result LoadThroughReader(CId3tagv2& tag, const std::string& bytes, uint64_t available = 0,
                            uint64_t walkAbove = media::kWalkedBodySize) {
  MemorySource source(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  ArchiveReader reader(source);
  return tag.Load(reader, 0, available != 0 ? available : bytes.size(), walkAbove);
}

CId3tagv2 LoadTag(const std::string& bytes, Id3Result* result = nullptr) {
  CId3tagv2 tag;
  const Id3Result r = LoadThroughReader(tag, bytes);
  if (result) *result = r;
  return tag;
}

std::string FrameText(const std::string& id, const std::string& body) {
  return LoadTag(build::Tag(build::Frame(id, body))).GetFrameText(id.c_str());
}

TEST(Id3v2Load, ReadsTextFramesOfA23Tag) {
  Id3Result result = Id3Result::NoTag;
  const CId3tagv2 tag = LoadTag(build::Tag(build::Frame("TIT2", build::Latin("Song")) +
                                           build::Frame("TPE1", build::Latin("Artist")) +
                                           build::Frame("TRCK", build::Latin("3/12"))),
                                &result);
  EXPECT_EQ(result, Id3Result::Loaded);
  EXPECT_TRUE(tag.loaded);
  EXPECT_EQ(tag.GetTitle(), "Song");
  EXPECT_EQ(tag.GetArtist(), "Artist");
  EXPECT_EQ(tag.GetTrackNumber(), "3/12");
  EXPECT_EQ(tag.GetAlbum(), "");
  EXPECT_EQ(tag.frames.size(), 3u);
}

TEST(Id3v2Load, RefusesWhatIsNoReadableTag) {
  Id3Result result = Id3Result::Loaded;
  LoadTag("TAG" + std::string(20, 'x'), &result);
  EXPECT_EQ(result, Id3Result::NoTag);
  // A later major version, and 2.3 with a revision above 0.
  EXPECT_FALSE(LoadTag(build::Tag(build::Frame("TIT2", build::Latin("x")), 5), &result).loaded);
  EXPECT_EQ(result, Id3Result::Unsupported);
  EXPECT_FALSE(LoadTag(build::Tag(build::Frame("TIT2", build::Latin("x")), 3, 1)).loaded);
  // A header whose size claims more than the bytes hold is a short read.
  std::string cut = build::Tag(build::Frame("TIT2", build::Latin("Song")));
  cut.pop_back();
  const CId3tagv2 tag = LoadTag(cut, &result);
  EXPECT_EQ(result, Id3Result::Truncated);
  EXPECT_FALSE(tag.loaded);
  EXPECT_TRUE(tag.frames.empty());
  EXPECT_FALSE(LoadTag("ID3").loaded);
}

TEST(Id3v2Load, LoadResetsAnEarlierTag) {
  CId3tagv2 tag;
  ASSERT_EQ(LoadThroughReader(tag, build::Tag(build::Frame("TIT2", build::Latin("Song")))), Id3Result::Loaded);
  LoadThroughReader(tag, "nothing here");
  EXPECT_FALSE(tag.loaded);
  EXPECT_EQ(tag.GetTitle(), "");
}

TEST(Id3v2Load, FirstFrameOfEachIdWins) {
  const CId3tagv2 tag = LoadTag(build::Tag(build::Frame("TPE1", build::Latin("First")) +
                                           build::Frame("TPE1", build::Latin("Second"))));
  EXPECT_EQ(tag.GetArtist(), "First");
  EXPECT_EQ(tag.frames.size(), 1u);
}

TEST(Id3v2Load, DamagedFrameListKeepsTheFramesBeforeIt) {
  // Padding ends the walk: a frame after it is not read.
  const std::string padded = build::Frame("TIT2", build::Latin("Song")) + std::string(10, '\0') +
                             build::Frame("TALB", build::Latin("Album"));
  const CId3tagv2 a = LoadTag(build::Tag(padded));
  EXPECT_TRUE(a.loaded);
  EXPECT_EQ(a.GetTitle(), "Song");
  EXPECT_EQ(a.GetAlbum(), "");

  // A frame whose size runs past the tag's end.
  std::string overlong = build::Frame("TIT2", build::Latin("Song")) + build::Frame("TALB", build::Latin("Album"));
  overlong.replace(overlong.size() - 16 + 4, 4, build::BigEndian32(0xFFFFFFF0));
  const CId3tagv2 b = LoadTag(build::Tag(overlong));
  EXPECT_TRUE(b.loaded);
  EXPECT_EQ(b.GetTitle(), "Song");
  EXPECT_EQ(b.GetAlbum(), "");

  // Fewer than ten bytes left after a frame.
  const CId3tagv2 c = LoadTag(build::Tag(build::Frame("TIT2", build::Latin("Song")) + "TALB\0\0"));
  EXPECT_EQ(c.frames.size(), 1u);
}

TEST(Id3v2Load, Version22FramesAreKeptUnderTheir23Ids) {
  const std::string body = build::Frame22("TT2", build::Latin("Title")) + build::Frame22("TP1", build::Latin("Artist")) +
                           build::Frame22("COM", build::CommentLatin("", "note")) +
                           build::Frame22("PIC", std::string(20, 'p')) + build::Frame22("TAL", build::Latin("Album"));
  const CId3tagv2 tag = LoadTag(build::Tag(body, 2));
  ASSERT_TRUE(tag.loaded);
  EXPECT_EQ(tag.GetTitle(), "Title");
  EXPECT_EQ(tag.GetArtist(), "Artist");
  EXPECT_EQ(tag.GetComment(), "note");
  EXPECT_EQ(tag.GetAlbum(), "") << "PIC is not in the table and ends the walk";
  ASSERT_NE(tag.FindFrame("TIT2"), nullptr);
}

TEST(Id3v2Load, NegativeRevisionOfVersion3IsReadWithThe22Layout) {
  // 3 x 256 + (-1) is below 0x0300.
  const CId3tagv2 tag = LoadTag(build::Tag(build::Frame22("TT2", build::Latin("Old")), 3, 0xFF));
  EXPECT_TRUE(tag.loaded);
  EXPECT_EQ(tag.GetTitle(), "Old");
}

TEST(Id3v2Load, UnsynchronisationIsUndoneBeforeTheFramesAreRead) {
  // The title holds 0xFF 0xE0; written unsynchronised it becomes 0xFF 0x00 0xE0.
  const std::string frames = build::Frame("TIT2", build::Latin("a\xFF\xE0z"));
  const CId3tagv2 tag = LoadTag(build::Tag(build::Unsynchronise(frames), 3, 0, 0x80));
  ASSERT_TRUE(tag.loaded);
  EXPECT_EQ(tag.GetTitle(), "a\xFF\xE0z");

  // One pass over the original bytes: FF 00 00 keeps its second zero.
  std::vector<uint8_t> body = {0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x12};
  media::Deunsynchronise(body);
  EXPECT_EQ(body, (std::vector<uint8_t>{0xFF, 0x00, 0xFF, 0xFF, 0x12}));
}

TEST(Id3v2Load, ExtendedHeaderIsSkipped) {
  const std::string extended = build::Syncsafe(6) + std::string(6, '\x01');
  const CId3tagv2 tag = LoadTag(build::Tag(extended + build::Frame("TIT2", build::Latin("Song")), 3, 0, 0x40));
  ASSERT_TRUE(tag.loaded);
  EXPECT_EQ(tag.GetTitle(), "Song");

  // An extended header longer than the body leaves no frames but the tag loads.
  const std::string huge = build::Syncsafe(5000) + build::Frame("TIT2", build::Latin("Song"));
  const CId3tagv2 empty = LoadTag(build::Tag(huge, 3, 0, 0x40));
  EXPECT_TRUE(empty.loaded);
  EXPECT_TRUE(empty.frames.empty());
  // So does a body too short to hold the extended header's size.
  EXPECT_TRUE(LoadTag(build::Tag("ab", 3, 0, 0x40)).loaded);
}

TEST(Id3v2Load, SizeClaimsBeyondTheOwnerAreRefusedBeforeReading) {
  // Unmasked size bytes claim 512 MiB; the archive holds a few bytes.
  const std::string claim = "ID3" + build::Bytes({3, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}) + "TIT2";
  CId3tagv2 tag;
  EXPECT_EQ(LoadThroughReader(tag, claim, 1000), Id3Result::Truncated);
  EXPECT_FALSE(tag.loaded);
  EXPECT_EQ(media::DecodeSyncsafe(reinterpret_cast<const uint8_t*>("\xFF\xFF\xFF\xFF")), 0x1FFFFFFFu);

  // Within the owner but beyond the archive's end: a short read, read whole or walked.
  const std::string cut = build::Tag(build::Frame("TIT2", build::Latin("Song"))).substr(0, 15);
  EXPECT_EQ(LoadThroughReader(tag, cut, 1000), Id3Result::Truncated);
  EXPECT_EQ(LoadThroughReader(tag, cut, 1000, 0), Id3Result::Truncated);

  const std::string whole = build::Tag(build::Frame("TIT2", build::Latin("Song")));
  EXPECT_EQ(LoadThroughReader(tag, whole + "trailing audio", whole.size()), Id3Result::Loaded);
  EXPECT_EQ(tag.GetTitle(), "Song");
  EXPECT_EQ(LoadThroughReader(tag, whole, whole.size() - 1), Id3Result::Truncated);
}

// What 2.4 changes, each case a tag and the texts it must give.
TEST(Id3v2Load, Version24Tags) {
  using namespace build;
  const std::string longText(200, 'x');  // body 201: syncsafe 00 00 01 49, read plain 329
  const std::string unsynced = Unsynchronise(Latin("a\xFF\xE0z"));
  struct Case {
    const char* what;
    std::string tag;
    std::string title, artist, year, comment;
  } cases[] = {
      {"syncsafe size preferred where both land", Tag(Frame24("TIT2", Latin(longText)) + Frame24("TPE1", Latin("Band")) +
                                                           std::string(200, '\0'), 4),
       longText, "Band", "", ""},
      {"plain sizes of an old writer, landing on a frame or the padding",
       Tag(Frame("TPE1", Latin(longText)) + Frame("TIT2", Latin(longText)) + std::string(20, '\0'), 4), longText,
       longText, "", ""},
      {"UTF-8, the first of several values, year from TDRC",
       Tag(Frame24("TIT2", Utf8("\xE6\x98\xA5" + std::string(1, '\0') + "x")) + Frame24("TDRC", Utf8("2019-04-01")), 4, 1),
       "\x8f\x74", "", "2019", ""},
      {"big-endian mark, UTF-16BE, TYER before TDRC",
       Tag(Frame24("TIT2", Bytes({1, 0xFE, 0xFF, 0x66, 0x25, 0, 0})) + Frame24("TPE1", Bytes({2, 0, 'B', 0, 'e'})) +
               Frame24("TDRC", Latin("2019")) + Frame24("TYER", Latin("1999")) +
               Frame24("COMM", Bytes({2, 'j', 'p', 'n', 0, 'd', 0, 0, 0, 'h', 0, 'i'})), 4),
       "\x8f\x74", "Be", "1999", "hi"},
      {"frame unsynchronised", Tag(Frame24("TIT2", unsynced, 0x0002) + Frame24("TPE1", Latin("Band")), 4),
       "a\xFF\xE0z", "Band", "", ""},
      {"tag unsynchronised frame by frame", Tag(Frame24("TIT2", unsynced) + Frame24("TPE1", Latin("Band")), 4, 0, 0x80),
       "a\xFF\xE0z", "Band", "", ""},
      {"data length indicator and grouping byte",
       Tag(Frame24("TIT2", Syncsafe(5) + Latin("Song"), 0x0001) + Frame24("TPE1", "\x07" + Latin("Band"), 0x0040), 4),
       "Song", "Band", "", ""},
      {"compressed and encrypted frames passed over",
       Tag(Frame24("TIT2", Syncsafe(40) + Latin("deflated"), 0x0009) + Frame24("TPE1", Latin("cipher"), 0x0004) +
               Frame24("TIT2", Latin("Song")) + Frame24("TPE1", Latin("Band")), 4),
       "Song", "Band", "", ""},
      {"extended header counting its own size", Tag(Syncsafe(6) + Bytes({1, 0}) + Frame24("TIT2", Latin("Song")), 4, 0, 0x40),
       "Song", "", "", ""},
  };
  for (const Case& c : cases) {
    const CId3tagv2 tag = LoadTag(c.tag);
    ASSERT_TRUE(tag.loaded) << c.what;
    EXPECT_EQ(tag.GetTitle(), c.title) << c.what;
    EXPECT_EQ(tag.GetArtist(), c.artist) << c.what;
    EXPECT_EQ(tag.GetYear(), c.year) << c.what;
    EXPECT_EQ(tag.GetComment(), c.comment) << c.what;
  }
  // Only 2.4 reads a year from TDRC.
  EXPECT_EQ(LoadTag(Tag(Frame("TDRC", Latin("2019")))).GetYear(), "");
}

TEST(Id3v2TotalSize, CountsHeaderBodyAndFooter) {
  const std::string plain = build::Tag(std::string(100, '\0'));
  EXPECT_EQ(media::Id3v2TotalSize(reinterpret_cast<const uint8_t*>(plain.data()), plain.size()), 110u);
  const std::string footer = build::Tag(std::string(100, '\0'), 4, 0, 0x10);
  EXPECT_EQ(media::Id3v2TotalSize(reinterpret_cast<const uint8_t*>(footer.data()), footer.size()), 120u);
  EXPECT_EQ(media::Id3v2TotalSize(reinterpret_cast<const uint8_t*>("ID3\3\0\0\0\0"), 8), 0u);
}

TEST(Id3v2FrameText, TextFrameEncodings) {
  EXPECT_EQ(FrameText("TIT2", build::Utf16(u"Hello")), "Hello");
  // The Shift_JIS bytes of an encoding-0 text are used as they are.
  EXPECT_EQ(FrameText("TIT2", build::Latin("\x93\xfa\x96\x7b")), "\x93\xfa\x96\x7b");
  EXPECT_EQ(FrameText("TIT2", build::Latin("ab") + std::string(1, '\0') + "cd"), "ab");
  // Before 2.4: a big-endian mark and encoding 2 give nothing; UTF-8 is read, a malformed
  // sequence (overlong, a lone continuation byte, a cut one) as characters the code page lacks.
  EXPECT_EQ(FrameText("TIT2", build::Bytes({1, 0xFE, 0xFF, 0, 'a'})), "");
  EXPECT_EQ(FrameText("TIT2", build::Bytes({2, 0, 'a'})), "");
  EXPECT_EQ(FrameText("TIT2", build::Utf8("\xE6\x97\xA5\xE6\x9C\xAC") + std::string(1, '\0') + "x"), "\x93\xfa\x96\x7b");
  EXPECT_EQ(FrameText("TIT2", build::Bytes({3, 'a', 0xC0, 0x80, 0x80, 0xE6, 0x98})), "a????");
  // An odd last byte is ignored; text after a zero unit is dropped.
  EXPECT_EQ(FrameText("TIT2", build::Bytes({1, 0xFF, 0xFE, 'o', 0, 'k', 0, 'x'})), "ok");
  EXPECT_EQ(FrameText("TIT2", build::Bytes({1, 0xFF, 0xFE, 'o', 0, 0, 0, 'k', 0})), "o");
  // Encoding 1 needs a mark and at least one more byte.
  EXPECT_EQ(FrameText("TIT2", build::Bytes({1, 0xFF, 0xFE})), "");
  EXPECT_EQ(FrameText("TIT2", ""), "");
  // Only text frames and COMM are decoded.
  EXPECT_EQ(FrameText("WXXX", build::Latin("http")), "");
}

TEST(Id3v2FrameText, Utf16JapaneseBecomesShiftJis) {
  // 日本 and 表 (whose second byte is 0x5C).
  EXPECT_EQ(FrameText("TIT2", build::Utf16(u"\u65E5\u672C\u8868")), "\x93\xfa\x96\x7b\x95\x5c");
}

TEST(Id3v2FrameText, CommentFrames) {
  EXPECT_EQ(FrameText("COMM", build::CommentUtf16(u"", u"hi")), "hi");
  EXPECT_EQ(FrameText("COMM", build::CommentUtf16(u"x", u"hi")), "hi");
  EXPECT_EQ(FrameText("COMM", build::CommentUtf16(u"longer text", u"hi")), "hi");
  EXPECT_EQ(FrameText("COMM", build::CommentLatin("desc", "note")), "note");
  EXPECT_EQ(FrameText("COMM", build::CommentLatin("", "note") + std::string(1, '\0') + "more"), "note");
  // Description without terminator.
  EXPECT_EQ(FrameText("COMM", build::Bytes({1, 'j', 'p', 'n', 0xFF, 0xFE, 'x', 0})), "");
  EXPECT_EQ(FrameText("COMM", build::Bytes({0, 'j', 'p', 'n', 'x', 'y'})), "");
  // Comment text without its own mark.
  EXPECT_EQ(FrameText("COMM", build::Bytes({1, 'j', 'p', 'n', 0xFF, 0xFE, 0, 0, 'h', 0})), "");
  // A zero unit on an odd offset is not the terminator.
  const std::string oddZero = build::Bytes({1, 'j', 'p', 'n', 0xFF, 0xFE, 'a', 0, 0, 'b', 0, 0, 0xFF, 0xFE, 'h', 0});
  EXPECT_EQ(FrameText("COMM", oddZero), "h");
  // Description in UTF-16 without a mark, and other encodings.
  EXPECT_EQ(FrameText("COMM", build::Bytes({1, 'j', 'p', 'n', 'a', 0, 0, 0, 0xFF, 0xFE, 'h', 0})), "");
  EXPECT_EQ(FrameText("COMM", build::Bytes({2, 'j', 'p', 'n', 0, 0, 0, 'h'})), "");
  EXPECT_EQ(FrameText("COMM", build::Bytes({3, 'j', 'p', 'n', 'd', 0, 'h'})), "h");
}

TEST(Id3v1, TrimFieldOnlyTrimsAFullField) {
  const std::string padded = "Song" + std::string(26, ' ');
  EXPECT_EQ(media::TrimField(reinterpret_cast<const uint8_t*>(padded.data())), "Song");
  const std::string shortField = "Song  " + std::string(24, '\0');
  EXPECT_EQ(media::TrimField(reinterpret_cast<const uint8_t*>(shortField.data())), "Song  ");
  const std::string spaces(30, ' ');
  EXPECT_EQ(media::TrimField(reinterpret_cast<const uint8_t*>(spaces.data())), "");
  const std::string full(30, 'x');
  EXPECT_EQ(media::TrimField(reinterpret_cast<const uint8_t*>(full.data())), full);
}

TEST(Id3v1, BlockFields) {
  media::Id3v1Tag tag;
  std::string block = build::Id3v1("Title", "Artist", "Album", "1999", "Comment", 200, 17);
  ASSERT_TRUE(media::ParseId3v1(reinterpret_cast<const uint8_t*>(block.data()), block.size(), tag));
  EXPECT_EQ(tag.title, "Title");
  EXPECT_EQ(tag.artist, "Artist");
  EXPECT_EQ(tag.album, "Album");
  EXPECT_EQ(tag.year, 1999);
  EXPECT_EQ(tag.comment, "Comment");
  EXPECT_EQ(tag.trackNumber, 200);
  EXPECT_EQ(tag.genre, 17);

  // Byte 125 not zero: no track number; the comment runs over all 30 bytes.
  block = build::Id3v1("T", "A", "B", "  12", std::string(30, 'c'), -1, 255);
  ASSERT_TRUE(media::ParseId3v1(reinterpret_cast<const uint8_t*>(block.data()), block.size(), tag));
  EXPECT_EQ(tag.trackNumber, -1);
  EXPECT_EQ(tag.comment, std::string(30, 'c'));
  EXPECT_EQ(tag.year, 12);
  EXPECT_EQ(tag.genre, 255);

  EXPECT_FALSE(media::ParseId3v1(reinterpret_cast<const uint8_t*>(block.data()), 127, tag));
  block[0] = 'X';
  EXPECT_FALSE(media::ParseId3v1(reinterpret_cast<const uint8_t*>(block.data()), block.size(), tag));
}

TEST(TextNumber, LeadingIntegerLikeTagReadersTakeIt) {
  EXPECT_EQ(media::ParseLeadingInt("07/12"), 7);
  EXPECT_EQ(media::ParseLeadingInt("3/12"), 3);
  EXPECT_EQ(media::ParseLeadingInt(" \t-42x"), -42);
  EXPECT_EQ(media::ParseLeadingInt("+5"), 5);
  EXPECT_EQ(media::ParseLeadingInt("abc"), 0);
  EXPECT_EQ(media::ParseLeadingInt(""), 0);
  EXPECT_EQ(media::ParseLeadingInt("- 5"), 0);
  EXPECT_EQ(media::ParseLeadingInt("99999999999999999999"), 2147483647);
  EXPECT_EQ(media::ParseLeadingInt("-99999999999999999999"), -2147483647 - 1);
}

}  // namespace
