// Archives made by Info-ZIP zip and Python's zipfile (tools/make_archive_fixtures.py), read by us
// and compared with what zipinfo and zipfile reported for them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "archive/ZipFile.h"
#include "support/ZipWriter.h"

namespace {

struct Expected {
  uint32_t endRecordOffset = 0, directoryOffset = 0, entryCount = 0, commentLength = 0;
  struct Member {
    std::string name;
    uint32_t method = 0, compressedSize = 0, uncompressedSize = 0, localHeaderOffset = 0, dataOffset = 0;
  };
  std::vector<Member> members;
};

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
  return fields;
}

Expected ReadExpected(const std::string& tsvPath) {
  Expected e;
  std::ifstream in(tsvPath);
  for (std::string line; std::getline(in, line);) {
    const auto f = Fields(line);
    if (f.size() == 5 && f[0] == "archive") {
      e.endRecordOffset = std::stoul(f[1]);
      e.directoryOffset = std::stoul(f[2]);
      e.entryCount = std::stoul(f[3]);
      e.commentLength = std::stoul(f[4]);
    } else if (f.size() == 8 && f[0] == "member") {
      e.members.push_back({f[2], static_cast<uint32_t>(std::stoul(f[3])), static_cast<uint32_t>(std::stoul(f[4])),
                           static_cast<uint32_t>(std::stoul(f[5])), static_cast<uint32_t>(std::stoul(f[6])),
                           static_cast<uint32_t>(std::stoul(f[7]))});
    }
  }
  return e;
}

std::vector<std::filesystem::path> PeerArchives() {
  std::vector<std::filesystem::path> found;
  for (const auto& entry : std::filesystem::directory_iterator(TC_SOURCE_DIR "/tests/data/archive")) {
    if (entry.path().extension() == ".zip") found.push_back(entry.path());
  }
  std::sort(found.begin(), found.end());
  return found;
}

TEST(PeerArchives, AgreeWithZipinfoAndZipfile) {
  const auto archives = PeerArchives();
  ASSERT_GE(archives.size(), 6u);
  for (const auto& zipPath : archives) {
    SCOPED_TRACE(zipPath.filename().string());
    auto tsv = zipPath;
    const Expected expected = ReadExpected(tsv.replace_extension(".tsv").string());
    ASSERT_EQ(expected.entryCount, expected.members.size());
    ASSERT_GT(expected.entryCount, 0u);

    ZipFile archive(zipPath.string());
    ASSERT_TRUE(archive.Read());
    EXPECT_EQ(expected.endRecordOffset, archive.endRecordOffset);
    EXPECT_EQ(expected.directoryOffset, archive.directoryOffset);
    EXPECT_EQ(expected.entryCount, archive.entryCount);
    EXPECT_EQ(expected.commentLength, archive.archiveCommentLength);
    ASSERT_EQ(static_cast<int>(expected.entryCount), archive.GetCount());

    const std::string bytes = ReadFileBytes(zipPath.string());
    bool anyStored = false;
    for (int i = 0; i < archive.GetCount(); ++i) {
      const auto& want = expected.members[static_cast<size_t>(i)];
      const File& got = *archive.GetMember(i);
      SCOPED_TRACE(want.name);
      EXPECT_EQ(want.name, got.GetPath());
      EXPECT_EQ(want.method, got.method);
      EXPECT_EQ(want.compressedSize, got.compressedSize);
      EXPECT_EQ(want.uncompressedSize, got.uncompressedSize);
      EXPECT_EQ(want.localHeaderOffset, got.localHeaderOffset);
      EXPECT_EQ(want.dataOffset, got.dataOffset);
      // A stored member's bytes at the data offset must carry the checksum of its header.
      if (got.method == 0) {
        anyStored = true;
        ASSERT_LE(static_cast<size_t>(got.dataOffset) + got.compressedSize, bytes.size());
        EXPECT_EQ(got.crc32, zipwriter_detail::Crc32(bytes.substr(got.dataOffset, got.compressedSize)));
      }
    }
    EXPECT_EQ(anyStored ? StatusPlayable : StatusNoStoredMember, archive.status);
    EXPECT_EQ(static_cast<size_t>(archive.GetCount()) + 1, archive.startTimes.size());
  }
}

}  // namespace
