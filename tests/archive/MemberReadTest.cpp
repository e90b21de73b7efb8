// One member's central and local header, read by File::Read.
#include <gtest/gtest.h>

#include <string>

#include "ArchiveTestUtil.h"
#include "archive/File.h"
#include "archive/MemberKind.h"

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
