// Splitting stored names and disk paths into folder and file name.
#include <gtest/gtest.h>

#include <string>

#include "archive/File.h"

namespace {

// A member with only a name, as Read would leave it.
struct Named : File {
  explicit Named(const std::string& stored) : File("archive.zip.mp3", 0) { name = stored; }
};

TEST(FolderPart, SplitsAtTheLastSeparatorOfEitherKind) {
  struct Case { const char* name; const char* folder; const char* fileName; };
  const Case cases[] = {
      {"disc1/01.mp3", "disc1/", "01.mp3"},
      {"01.mp3", "", "01.mp3"},
      {"/01.mp3", "", "/01.mp3"},  // a separator at index 0 does not count
      {"disc1/", "disc1/", ""},
      {"a\\b/c.mp3", "a\\b/", "c.mp3"},
      {"a/b\\c.mp3", "a/b\\", "c.mp3"},
      {"//x", "//", "x"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    const Named file(c.name);
    EXPECT_EQ(c.folder, file.GetFolder()) << c.name;
    EXPECT_EQ(c.fileName, file.GetFileName()) << c.name;
    EXPECT_EQ(c.folder, GetFolderPart(c.name)) << c.name;
  }
}

TEST(FolderPart, TrailByte5CIsNotASeparator) {
  // "ソ" is 83 5C and "表" is 95 5C in code page 932.
  EXPECT_EQ("", GetFolderPart("\x83\x5C.mp3"));
  EXPECT_EQ("", GetFolderPart("\x95\x5C\x8E\xA6.mp3"));
  EXPECT_EQ("\x83\x5C\x83\x74\x83\x67/", GetFolderPart("\x83\x5C\x83\x74\x83\x67/\x95\x5C.mp3"));
  EXPECT_EQ("a\\\x95\x5C\\", GetFolderPart("a\\\x95\x5C\\b\x83\x5C"));
  const Named file("\x95\x5C\\\x83\x5C.mp3");
  EXPECT_EQ("\x95\x5C\\", file.GetFolder());
  EXPECT_EQ("\x83\x5C.mp3", file.GetFileName());
}

TEST(FolderPart, SingleByteKatakanaAndAsciiAreNotLeadBytes) {
  // 0xA0-0xDF are single-byte characters: a 0x5C after them is a separator.
  EXPECT_EQ("\xB1\\", GetFolderPart("\xB1\\x"));
  EXPECT_EQ("\x7F/", GetFolderPart("\x7F/x"));
}

TEST(FolderPart, LeadByteAtTheEndDoesNotReadPastTheText) {
  EXPECT_EQ("ab/", GetFolderPart("ab/\x83"));
  const std::string withZero("ab/\x83\0/x", 7);  // the lead byte swallows the zero byte only
  EXPECT_EQ(withZero.substr(0, 6), GetFolderPart(withZero));
}

TEST(FolderPart, LongPathsAreSplitWhole) {
  // Names beyond 259 bytes are split at their real last separator, wherever it lies.
  const std::string folder = std::string(300, 'f') + "/";
  EXPECT_EQ(folder, GetFolderPart(folder + "name.mp3"));
  const std::string deep = std::string(250, 'a') + "/" + std::string(250, 'b') + "\\";
  EXPECT_EQ(deep, GetFolderPart(deep + std::string(70000, 'c')));
  const Named file(std::string(65535, 'n'));
  EXPECT_EQ("", file.GetFolder());
  EXPECT_EQ(65535u, file.GetFileName().size());
}

}  // namespace
