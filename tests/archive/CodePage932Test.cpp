// Under Wine with code page 932: names and paths with Japanese characters against the system's
// own lead-byte table and ANSI file functions.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "support/ArchiveTestUtil.h"
#include "archive/File.h"
#include "platform/CodePage.h"

namespace {

TEST(CodePage932, SystemRunsWithTheJapaneseAnsiCodePage) {
  ASSERT_EQ(932u, GetACP()) << "run under LC_ALL=ja_JP.UTF-8";
  // The literals below are compiled to code page 932.
  EXPECT_EQ(std::string("\x83\x5C"), std::string("ソ"));
  EXPECT_EQ(std::string("\x95\x5C"), std::string("表"));
}

TEST(CodePage932, LeadBytesAgreeWithTheSystemTable) {
  for (int b = 0; b < 256; ++b) {
    const bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    EXPECT_EQ(expected, IsDBCSLeadByte(static_cast<BYTE>(b)) != FALSE) << b;
    EXPECT_EQ(expected, codepage::IsLeadByte(static_cast<uint8_t>(b))) << b;
  }
}

TEST(CodePage932, TrailByte5CSplitsCorrectly) {
  EXPECT_EQ("", GetFolderPart("ソ.mp3"));
  EXPECT_EQ("表\\", GetFolderPart("表\\ソ.mp3"));
  EXPECT_EQ("ソフト/表紙\\", GetFolderPart("ソフト/表紙\\ソ"));
}

TEST(CodePage932, ArchiveWithJapanesePathAndNamesIsRead) {
  // The archive's own path has a trail byte 0x5C; it is opened through the ANSI functions.
  const std::string zip = BuildZip({{"表/ソ.mp3", std::string(100, 'U')}, {"表\\", ""}});
  const std::string folder = TestTempFolder().string() + "\\表ソ";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  const std::string path = folder + "\\アルバム表.zip.mp3";
  FILE* out = std::fopen(path.c_str(), "wb");
  ASSERT_NE(nullptr, out);
  std::fwrite(zip.data(), 1, zip.size(), out);
  std::fclose(out);

  ZipFile archive(path);
  EXPECT_EQ(zip.size(), archive.fileSize);
  ASSERT_TRUE(archive.Read());
  EXPECT_EQ(StatusPlayable, archive.status);
  ASSERT_EQ(2, archive.GetCount());
  EXPECT_EQ("表/", archive.GetMember(0)->GetFolder());
  EXPECT_EQ("ソ.mp3", archive.GetMember(0)->GetFileName());
  EXPECT_EQ("表\\", archive.GetMember(1)->GetFolder());
  EXPECT_EQ("", archive.GetMember(1)->GetFileName());
  EXPECT_EQ(folder + "\\", GetFolderPart(path));
  DeleteFileA(path.c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
