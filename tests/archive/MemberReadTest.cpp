// One member's central and local header, read by File::Read.
#include <gtest/gtest.h>

#include <string>

#include "support/ArchiveTestUtil.h"
#include "archive/File.h"
#include "archive/MemberKind.h"
#include "archive/NameEncoding.h"
#include "media/Mp3File.h"

namespace {

// Reads member `index` of `bytes` written to a temp file.
struct ReadMember {
  File file;
  bool ok;
  ReadMember(const std::string& bytes, uint32_t headerOffset)
      : file(WriteTempFile(TestFileName(), bytes), headerOffset), ok(file.Read()) {}
};

TEST(MemberRead, TakesEveryCentralFieldAndTheLocalLengths) {
  ZipEntry entry{"disc1/track.mp3", "0123456789", false, "EXTRA!", "member comment"};
  entry.localName = std::string("a-local-name-of-other-length");
  entry.localExtra = std::string(7, '\x01');
  ZipLayout layout;
  const std::string zip = BuildZip({{"first", "abc"}, entry}, ZipOptions(), &layout);
  ReadMember m(zip, layout.centralHeaderOffsets[1]);
  ASSERT_TRUE(m.ok);
  const File& f = m.file;
  EXPECT_EQ(0x0314, f.versionMadeBy);
  EXPECT_EQ(10, f.versionNeeded);
  EXPECT_EQ(0, f.method);
  EXPECT_EQ(0x6000, f.modTime);
  EXPECT_EQ(0x5A21, f.modDate);
  EXPECT_EQ(zipwriter_detail::Crc32("0123456789"), f.crc32);
  EXPECT_EQ(10u, f.compressedSize);
  EXPECT_EQ(10u, f.uncompressedSize);
  EXPECT_EQ(15, f.nameLength);
  EXPECT_EQ(6, f.extraLength);
  EXPECT_EQ(14, f.commentLength);
  EXPECT_EQ(0x81A40000u, f.externalAttributes);
  EXPECT_EQ(layout.localHeaderOffsets[1], f.localHeaderOffset);
  EXPECT_EQ("disc1/track.mp3", f.name);
  EXPECT_EQ(std::vector<uint8_t>({'E', 'X', 'T', 'R', 'A', '!'}), f.extra);
  EXPECT_EQ("member comment", f.comment);
  // The local header's own name and extra lengths place the data.
  EXPECT_EQ(layout.dataOffsets[1], f.dataOffset);
  EXPECT_EQ("0123456789", zip.substr(f.dataOffset, 10));
  EXPECT_EQ(46u + 15 + 6 + 14, f.GetHeaderSize());
  EXPECT_EQ(layout.centralHeaderOffsets[1] + f.GetHeaderSize(), layout.endRecordOffset);
}

TEST(MemberRead, NameAndCommentEndAtTheirFirstZeroByte) {
  ZipEntry entry{std::string("ab\0cd.mp3", 9), "x", false, "", std::string("note\0hidden", 11)};
  ZipLayout layout;
  const std::string zip = BuildZip({entry}, ZipOptions(), &layout);
  ReadMember m(zip, layout.centralHeaderOffsets[0]);
  ASSERT_TRUE(m.ok);
  EXPECT_EQ("ab", m.file.name);
  EXPECT_EQ(9, m.file.nameLength);  // the stored length still walks the directory
  EXPECT_EQ("note", m.file.comment);
  EXPECT_TRUE(m.file.extra.empty());
}

TEST(MemberRead, Utf8FlaggedNamesAndCommentsBecomeCodePage932) {
  // 01 春の小川.mp3 and ソフト/表.mp3 in UTF-8, with the flag; the second stored again without it.
  const std::string spring = "\x30\x31\x20\xE6\x98\xA5\xE3\x81\xAE\xE5\xB0\x8F\xE5\xB7\x9D.mp3";
  const std::string soft = "\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88/\xE8\xA1\xA8.mp3";
  ZipEntry first{spring, std::string(50, 'x'), false, "", "\xE6\x9B\xB2\xE3\x81\xAE\xE3\x83\xA1\xE3\x83\xA2"};
  ZipEntry second{soft, std::string(50, 'y')};
  ZipEntry unflagged{soft, std::string(50, 'z')};
  // U+D55C (not in code page 932) and a byte that starts no UTF-8 sequence.
  ZipEntry lacking{"\xED\x95\x9C\xFF.txt", "w"};
  first.flags = second.flags = lacking.flags = 0x0800;
  auto archive = ReadArchive(BuildZip({first, second, unflagged, lacking}));
  ASSERT_EQ(StatusPlayable, archive->status);
  const File* a = archive->GetMember(0);
  EXPECT_EQ("\x30\x31\x20\x8F\x74\x82\xCC\x8F\xAC\x90\xEC.mp3", a->GetPath());
  EXPECT_EQ("\x8B\xC8\x82\xCC\x83\x81\x83\x82", a->comment);  // 曲のメモ
  EXPECT_EQ(19, a->nameLength);  // the stored length still walks the directory
  // The folder split sees the trail bytes 0x5C of ソ and 表 in the converted name.
  const File* b = archive->GetMember(1);
  EXPECT_EQ("\x83\x5C\x83\x74\x83\x67/", b->GetFolder());
  EXPECT_EQ("\x95\x5C.mp3", b->GetFileName());
  EXPECT_NE(dynamic_cast<const Mp3File*>(b), nullptr);
  EXPECT_EQ(soft, archive->GetMember(2)->GetPath());
  EXPECT_EQ("??.txt", archive->GetMember(3)->GetPath());
}

TEST(MemberRead, Utf8DecodingReplacesEveryInvalidByte) {
  const struct {
    std::string utf8;
    std::u16string expected;
  } cases[] = {
      {"\xF0\x9F\x8E\xB5", u"\U0001F3B5"},  // a pair of surrogates
      {"\xC0\xAF\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},  // overlong, an encoded surrogate
      {"\xE6\x41\xA5", u"\uFFFDA\uFFFD"},  // cut short by an ASCII byte
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, zip::Utf8ToUtf16(c.utf8.data(), c.utf8.size())) << c.utf8;
}

TEST(MemberRead, VariablesAreCaseSensitiveWholeNames) {
  File file("a.zip.mp3", 0);
  file.name = "disc1/01 intro.mp3";
  EXPECT_EQ("01 intro.mp3", file.GetVariable("FILE_NAME"));
  EXPECT_EQ("disc1/01 intro.mp3", file.GetVariable("FILE_PATH"));
  EXPECT_EQ("", file.GetVariable("file_name"));
  EXPECT_EQ("", file.GetVariable("%FILE_NAME%"));
  EXPECT_EQ("", file.GetVariable("FILE_NAME "));
  EXPECT_EQ("", file.GetVariable("TRACK_NAME"));
  EXPECT_FALSE(file.HasTag());
  EXPECT_EQ("", file.GetTag().title);
  EXPECT_EQ(0u, file.GetPlayTime());
}

TEST(MemberRead, FailsOnBadSignaturesAndShortReads) {
  ZipLayout layout;
  const std::string zip = BuildZip({{"a.mp3", "DATA"}}, ZipOptions(), &layout);
  const uint32_t central = layout.centralHeaderOffsets[0];

  std::string badCentral = zip;
  badCentral[central + 3] = '\x03';
  EXPECT_FALSE(ReadMember(badCentral, central).ok);

  std::string badLocal = zip;
  badLocal[2] = '\x01';
  EXPECT_FALSE(ReadMember(badLocal, central).ok);

  // Cut inside the fixed part, inside the name, and a header offset past the end.
  EXPECT_FALSE(ReadMember(zip.substr(0, central + 20), central).ok);
  EXPECT_FALSE(ReadMember(zip.substr(0, central + 48), central).ok);
  EXPECT_FALSE(ReadMember(zip, static_cast<uint32_t>(zip.size())).ok);
  EXPECT_FALSE(ReadMember(zip, 0xFFFFFFF0u).ok);

  // A local header cut short: signature there, fixed part missing.
  ZipEntry late{"b.mp3", "x"};
  const size_t size = BuildZip({late}).size();  // the offset's value does not change the size
  late.localHeaderOffsetOverride = static_cast<uint32_t>(size - 10);
  ZipLayout lateLayout;
  std::string patched = BuildZip({late}, ZipOptions(), &lateLayout);
  patched.replace(patched.size() - 10, 4, std::string("PK\x03\x04", 4));
  EXPECT_FALSE(ReadMember(patched, lateLayout.centralHeaderOffsets[0]).ok);
}

TEST(MemberRead, MissingArchiveOrDirectoryFails) {
  File missing(WriteTempFile("exists.bin", "") + ".missing", 0);
  EXPECT_FALSE(missing.Read());
  File folder(TestTempFolder().string(), 0);
  EXPECT_FALSE(folder.Read());
}

TEST(MemberKind, LastFourBytesInAnyAsciiCase) {
  EXPECT_EQ(StoredMemberKind::Mp3, ClassifyStoredMember("MUSIC.MP3"));
  EXPECT_EQ(StoredMemberKind::Mp3, ClassifyStoredMember("x.Mp3"));
  EXPECT_EQ(StoredMemberKind::Mp3, ClassifyStoredMember("disc1/\x83\x5C.mp3"));
  EXPECT_EQ(StoredMemberKind::Plain, ClassifyStoredMember(".mp3"));
  EXPECT_EQ(StoredMemberKind::Plain, ClassifyStoredMember("mp3"));
  EXPECT_EQ(StoredMemberKind::Plain, ClassifyStoredMember(""));
  EXPECT_EQ(StoredMemberKind::Plain, ClassifyStoredMember("a.mp3.txt"));
  EXPECT_EQ(StoredMemberKind::Plain, ClassifyStoredMember("a.mp4"));
  EXPECT_EQ(StoredMemberKind::Plain, ClassifyStoredMember("amp3"));
  EXPECT_EQ(StoredMemberKind::CueSheet, ClassifyStoredMember("album.CUE"));
  EXPECT_EQ(StoredMemberKind::CueSheet, ClassifyStoredMember("a.cue"));
  EXPECT_EQ(StoredMemberKind::Plain, ClassifyStoredMember(".cue"));
  // Only ASCII letters fold: 0xCD is not 'm' in any case.
  EXPECT_EQ(StoredMemberKind::Plain, ClassifyStoredMember("a.\xCDp3"));
}

}  // namespace
