// Expansion of list-line templates.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeMember.h"

namespace {

class TemplateTest : public ::testing::Test {
 protected:
  std::unique_ptr<FakeMember> song = TaggedMember("CD1/03 song.mp3", "Artist", "Song", "03");
};

TEST_F(TemplateTest, VariablesAreReplacedByTheirValues) {
  EXPECT_EQ(song->Format("%TRACK_NUMBER2%. %TRACK_NAME%"), "03. Song");
  EXPECT_EQ(song->Format("%TRACK_NAME%%ARTIST_NAME%"), "SongArtist");
  EXPECT_EQ(song->Format("[%FILE_PATH%] %FILE_NAME%"), "[CD1/03 song.mp3] 03 song.mp3");
  EXPECT_EQ(song->Format("no variables at all"), "no variables at all");
  EXPECT_EQ(song->Format(""), "");
}

TEST_F(TemplateTest, DoublePercentIsOnePercentSign) {
  EXPECT_EQ(song->Format("100%%"), "100%");
  EXPECT_EQ(song->Format("%%%TRACK_NAME%%%"), "%Song%");
  EXPECT_EQ(song->Format("%%%%"), "%%");
  EXPECT_EQ(song->Format("%%"), "%");
}

TEST_F(TemplateTest, UnclosedVariableIsDropped) {
  EXPECT_EQ(song->Format("abc%TRACK_NAME"), "abc");
  EXPECT_EQ(song->Format("abc%"), "abc");
  EXPECT_EQ(song->Format("%"), "");
  EXPECT_EQ(song->Format("%TRACK_NAME%%"), "Song");
}

TEST_F(TemplateTest, NamesAreAskedExactlyAndUnknownOnesAreEmpty) {
  EXPECT_EQ(song->Format("<%track_name%>"), "<>");
  EXPECT_EQ(song->Format("<%NOSUCH%>"), "<>");
  EXPECT_EQ(song->Format("<%file_name%>"), "<>");
  EXPECT_EQ(song->Format("<% TRACK_NAME%>"), "<>");
  song->asked.clear();
  song->Format("a%TRACK_NAME%b%% %X Y%%");
  EXPECT_EQ(song->asked, (std::vector<std::string>{"TRACK_NAME", "X Y"}));
}

TEST_F(TemplateTest, ValuesAreNotExpandedAgain) {
  song->variables["TRACK_NAME"] = "50%% off %FILE_NAME%";
  EXPECT_EQ(song->Format("%TRACK_NAME%!"), "50%% off %FILE_NAME%!");
}

TEST_F(TemplateTest, UntaggedMemberHasOnlyItsNames) {
  FakeMember plain("disc 2/\x83\x5C\x83\x93\x83\x4F.mp3");
  EXPECT_EQ(plain.Format("%TRACK_NUMBER2%. %TRACK_NAME%"), ". ");
  EXPECT_EQ(plain.Format("%FILE_NAME%"), "\x83\x5C\x83\x93\x83\x4F.mp3");
}

TEST_F(TemplateTest, JapaneseTextPassesThroughUnchanged) {
  // U+30BD U+30F3 U+30B0 in code page 932; the first has the trail byte 0x5C.
  const std::string song932 = "\x83\x5C\x83\x93\x83\x4F";
  song->variables["TRACK_NAME"] = song932;
  EXPECT_EQ(song->Format("\x81\x79%TRACK_NUMBER2%\x81\x7A%TRACK_NAME%\x81\x40%%"),
            "\x81\x79" "03\x81\x7A" + song932 + "\x81\x40%");
  // Every byte value other than '%' outside a variable is copied as it is.
  std::string allBytes;
  for (int byte = 1; byte < 256; ++byte) {
    if (byte != '%') allBytes.push_back(static_cast<char>(byte));
  }
  EXPECT_EQ(song->Format(allBytes), allBytes);
}

}  // namespace
