// ZipFile::Read: statuses, the directory walk and what is left after a failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/ArchiveTestUtil.h"
#include "archive/DataRanges.h"

namespace {

std::string Mp3Bytes(size_t n) { return std::string(n, '\x55'); }

TEST(ZipFileRead, StoredMembersInDirectoryOrderArePlayable) {
  ZipLayout layout;
  const std::string zip = BuildZip({{"disc1/", ""}, {"disc1/01.mp3", Mp3Bytes(300)}, {"readme.txt", "hi", true},
                                    {"disc1/02.MP3", Mp3Bytes(200)}},
                                   ZipOptions(), &layout);
  auto archive = ReadArchive(zip);
  EXPECT_EQ(StatusPlayable, archive->status);
  EXPECT_EQ(static_cast<uint32_t>(zip.size()), archive->fileSize);
  EXPECT_EQ(layout.endRecordOffset, archive->endRecordOffset);
  EXPECT_EQ(4, archive->entryCount);
  EXPECT_EQ(layout.directoryOffset, archive->directoryOffset);
  EXPECT_EQ(layout.directorySize, archive->directorySize);
  ASSERT_EQ(4, archive->GetCount());
  const char* names[] = {"disc1/", "disc1/01.mp3", "readme.txt", "disc1/02.MP3"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(names[i], archive->GetMember(i)->GetPath());
    EXPECT_EQ(layout.centralHeaderOffsets[i], archive->GetMember(i)->headerOffset);
    EXPECT_EQ(layout.dataOffsets[i], archive->GetMember(i)->dataOffset);
  }
  EXPECT_EQ("", archive->GetMember(0)->GetFileName());
  EXPECT_EQ("disc1/", archive->GetMember(0)->GetFolder());
  EXPECT_EQ(std::vector<uint32_t>(5, 0), archive->startTimes);
  // The archive's own header fields stay 0.
  EXPECT_EQ(0u, archive->headerOffset);
  EXPECT_EQ(0, archive->nameLength);
  EXPECT_TRUE(archive->name.empty());
}

TEST(ZipFileRead, DirectoryEntryAloneCountsAsStored) {
  EXPECT_EQ(StatusPlayable, ReadArchive(BuildZip({{"disc1/", ""}}))->status);
}

TEST(ZipFileRead, AllDeflatedIsReadButNotPlayable) {
  auto archive = ReadArchive(BuildZip({{"a.mp3", "abc", true}, {"b.txt", "defg", true}}));
  EXPECT_EQ(StatusNoStoredMember, archive->status);
  EXPECT_EQ(2, archive->GetCount());
  EXPECT_EQ(std::vector<uint32_t>({0, 0, 0}), archive->startTimes);
  EXPECT_EQ(8, archive->GetMember(0)->method);
}

TEST(ZipFileRead, StoredTestIsTheEqualityOfTheSizesNotTheMethod) {
  ZipEntry odd{"odd.mp3", "abcd", true};
  odd.uncompressedSizeOverride = 4;  // "deflated", yet as large as its data
  EXPECT_EQ(StatusPlayable, ReadArchive(BuildZip({odd}))->status);
}

TEST(ZipFileRead, ArchiveWithNoEntries) {
  // Begins with a local header, but the end record lists nothing.
  ZipOptions options;
  options.entryCountOverride = 0;
  auto archive = ReadArchive(BuildZip({{"a.mp3", "x"}}, options));
  EXPECT_EQ(StatusNoStoredMember, archive->status);
  EXPECT_EQ(0, archive->GetCount());
  EXPECT_EQ(std::vector<uint32_t>({0}), archive->startTimes);
  EXPECT_EQ(0, archive->GetTrackAt(12345));
}

TEST(ZipFileRead, EndRecordBehindCommentOrAfterDecoy) {
  auto commented = ReadArchive(BuildZip({{"a.mp3", Mp3Bytes(100)}}, std::string(60000, 'c')));
  EXPECT_EQ(StatusPlayable, commented->status);
  EXPECT_EQ(60000, commented->archiveCommentLength);

  // 50 4B 05 06 in the last member's data, in the same chunk: its comment length does not reach
  // the end of the file, so the archive's own record is taken.
  std::string data = Mp3Bytes(500);
  data.replace(100, 4, std::string("PK\x05\x06", 4));
  ZipLayout layout;
  const std::string zip = BuildZip({{"a.mp3", data}}, ZipOptions(), &layout);
  auto decoyed = ReadArchive(zip);
  EXPECT_EQ(layout.endRecordOffset, decoyed->endRecordOffset);
  EXPECT_EQ(StatusPlayable, decoyed->status);
}

TEST(ZipFileRead, CannotOpenMissingFilesAndDirectories) {
  ZipFile missing(WriteTempFile("present.bin", "") + ".absent");
  EXPECT_EQ(0u, missing.fileSize);
  EXPECT_FALSE(missing.Read());
  EXPECT_EQ(StatusCannotOpen, missing.status);

  ZipFile folder(TestTempFolder().string());
  EXPECT_EQ(0u, folder.fileSize);
  EXPECT_FALSE(folder.Read());
  EXPECT_EQ(StatusCannotOpen, folder.status);
}

TEST(ZipFileRead, NotZipUnlessItBeginsWithALocalHeader) {
  for (const std::string& bytes : {std::string(), std::string("PK\x03", 3), std::string("ID3\x03\x00") + Mp3Bytes(100),
                                   std::string("\xFF\xFB\x90\x00", 4) + Mp3Bytes(1000)}) {
    auto archive = ReadArchive(bytes);
    EXPECT_EQ(StatusNotZip, archive->status) << bytes.size();
    EXPECT_EQ(0, archive->GetCount());
    EXPECT_TRUE(archive->startTimes.empty());
  }
  ZipOptions prefixed;
  prefixed.prefix = "MZ self-extractor stub";
  EXPECT_EQ(StatusNotZip, ReadArchive(BuildZip({{"a.mp3", "x"}}, prefixed))->status);
}

TEST(ZipFileRead, BrokenArchivesGiveBadHeader) {
  ZipLayout layout;
  const std::string zip = BuildZip({{"a.mp3", Mp3Bytes(50)}, {"b.mp3", Mp3Bytes(60)}}, ZipOptions(), &layout);

  // No end record at all, or one cut off by the end of the file.
  EXPECT_EQ(StatusBadHeader, ReadArchive(zip.substr(0, layout.endRecordOffset))->status);
  EXPECT_EQ(StatusBadHeader, ReadArchive(zip.substr(0, layout.endRecordOffset + 10))->status);

  // The directory offset past the end, and ZIP64 marker values in the end record.
  ZipOptions past;
  past.directoryOffsetOverride = static_cast<uint32_t>(zip.size()) + 100;
  EXPECT_EQ(StatusBadHeader, ReadArchive(BuildZip({{"a.mp3", "x"}}, past))->status);
  ZipOptions zip64;
  zip64.directoryOffsetOverride = 0xFFFFFFFF;
  zip64.entryCountOverride = 0xFFFF;
  EXPECT_EQ(StatusBadHeader, ReadArchive(BuildZip({{"a.mp3", "x"}}, zip64))->status);
}

TEST(ZipFileRead, MembersReadBeforeAFailureStayWithoutStartTimes) {
  // More entries counted than the directory holds: the walk runs into the end record.
  ZipOptions more;
  more.entryCountOverride = 3;
  auto archive = ReadArchive(BuildZip({{"a.mp3", "x"}, {"b.mp3", "y"}}, more));
  EXPECT_EQ(StatusBadHeader, archive->status);
  EXPECT_EQ(2, archive->GetCount());
  EXPECT_TRUE(archive->startTimes.empty());
  EXPECT_EQ(-1, archive->GetTrackAt(0));

  // A local header past the end of the file (archive cut short).
  ZipEntry second{"b.mp3", "y"};
  second.localHeaderOffsetOverride = 0x00100000;
  auto cut = ReadArchive(BuildZip({{"a.mp3", "x"}, second, {"c.mp3", "z"}}));
  EXPECT_EQ(StatusBadHeader, cut->status);
  EXPECT_EQ(1, cut->GetCount());

  // A local header offset with the ZIP64 marker.
  ZipEntry marker{"a.mp3", "x"};
  marker.localHeaderOffsetOverride = 0xFFFFFFFF;
  marker.compressedSizeOverride = 0xFFFFFFFF;
  marker.uncompressedSizeOverride = 0xFFFFFFFF;
  EXPECT_EQ(StatusBadHeader, ReadArchive(BuildZip({marker}))->status);
}

TEST(ZipFileRead, NameLengthLargerThanTheDirectory) {
  ZipEntry entry{"a.mp3", "x"};
  entry.nameLengthOverride = 0xFFFF;
  auto archive = ReadArchive(BuildZip({entry}));
  EXPECT_EQ(StatusBadHeader, archive->status);
  EXPECT_EQ(0, archive->GetCount());
}

TEST(ZipFileRead, ManyCountedEntriesInATinyFileDoNotAllocateForThemAll) {
  // 65535 entries claimed, one present: fails at the second header.
  ZipOptions options;
  options.entryCountOverride = 0xFFFF;
  auto archive = ReadArchive(BuildZip({{"a.mp3", "x"}}, options));
  EXPECT_EQ(StatusBadHeader, archive->status);
  EXPECT_EQ(1, archive->GetCount());
  EXPECT_LT(archive->members.capacity(), 100u);
}

TEST(ZipFileRead, AnalysedMembersSharingDataBytesAreRefused) {
  // A second directory entry for the first local header: both MP3 entries name the same bytes.
  ZipEntry copy{"again.mp3", Mp3Bytes(300)};
  copy.localHeaderOffsetOverride = 0;
  auto twice = ReadArchive(BuildZip({{"a.mp3", Mp3Bytes(300)}, copy}));
  EXPECT_EQ(StatusBadHeader, twice->status);
  EXPECT_EQ(1, twice->GetCount());
  EXPECT_TRUE(twice->startTimes.empty());

  // An MP3 member claiming the first byte of the sheet after it.
  ZipLayout layout;
  BuildZip({{"a.mp3", Mp3Bytes(300)}, {"b.cue", "x"}}, ZipOptions(), &layout);
  ZipEntry reaching{"a.mp3", Mp3Bytes(300)};
  reaching.compressedSizeOverride = reaching.uncompressedSizeOverride = layout.dataOffsets[1] - layout.dataOffsets[0] + 1;
  EXPECT_EQ(StatusBadHeader, ReadArchive(BuildZip({reaching, {"b.cue", "x"}}))->status);
  reaching.compressedSizeOverride = reaching.uncompressedSizeOverride = layout.dataOffsets[1] - layout.dataOffsets[0];
  EXPECT_EQ(StatusPlayable, ReadArchive(BuildZip({reaching, {"b.cue", "x"}}))->status);

  // Empty members and members that are never read may share a place.
  ZipEntry cover{"cover.jpg", Mp3Bytes(300)};
  cover.localHeaderOffsetOverride = 0;
  ZipEntry empty{"empty.mp3", ""};
  empty.localHeaderOffsetOverride = 0;
  auto shared = ReadArchive(BuildZip({{"a.mp3", Mp3Bytes(300)}, cover, {"b.mp3", Mp3Bytes(10)}, empty, empty}));
  EXPECT_EQ(StatusPlayable, shared->status);
  EXPECT_EQ(5, shared->GetCount());
}

TEST(DataRanges, RangesMayTouchButNotShareAByteOnEitherSide) {
  // Against [100, 200) claimed before: a later range below it meets the next-range check, one
  // above it the previous-range check.
  // Touching below, one byte in from below, touching above, one byte in from above, holding it.
  const struct {
    uint32_t offset, length;
    bool claimed;
  } cases[] = {{50, 50, true}, {50, 51, false}, {200, 10, true}, {199, 10, false}, {0, 1000, false}};
  for (const auto& c : cases) {
    DataRanges ranges;
    ASSERT_TRUE(ranges.Claim(100, 100));
    EXPECT_EQ(ranges.Claim(c.offset, c.length), c.claimed) << c.offset << "+" << c.length;
  }
}

TEST(ZipFileRead, ArchivesOf2GiBOrMoreAreRefused) {
  const std::string zip = BuildZip({{"a.mp3", "x"}});
  const std::string path = WriteTempFile(TestFileName(), zip);
  std::error_code error;
  std::filesystem::resize_file(path, 0x80000000ull, error);  // sparse on the file systems used here
  if (error) GTEST_SKIP() << "cannot make a sparse 2 GiB file: " << error.message();
  // The end record again at the very end, still pointing at the directory near the start: but for
  // the size limit this archive would read.
  const std::string endRecord = zip.substr(zip.size() - 22);
  {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>(0x80000000ull - endRecord.size()));
    file.write(endRecord.data(), static_cast<std::streamsize>(endRecord.size()));
    ASSERT_TRUE(file.good());
  }
  ZipFile archive(path);
  EXPECT_EQ(0x80000000u, archive.fileSize);
  EXPECT_FALSE(archive.Read());
  EXPECT_EQ(StatusBadHeader, archive.status);
  EXPECT_EQ(0, archive.GetCount());
  std::filesystem::remove(path, error);
}

TEST(ZipFileRead, ReadingAgainGivesTheSameResultOnAFreshObject) {
  // Every member reopens the archive: nothing is kept open between reads.
  const std::string path = WriteTempFile(TestFileName(), BuildZip({{"a.mp3", "x"}, {"b.mp3", "y"}}));
  ZipFile first(path);
  ASSERT_TRUE(first.Read());
  std::error_code error;
  EXPECT_TRUE(std::filesystem::remove(path, error)) << error.message();  // fails on Windows if a handle is open
}

}  // namespace
