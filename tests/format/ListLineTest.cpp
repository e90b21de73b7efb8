// The choice of template for each member's list line.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakeMember.h"
#include "format/ListLine.h"
#include "settings/Settings.h"

namespace {

class ListLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = g_settings;
    g_settings.Normal = settings_defaults::kNormal;
    g_settings.ID3 = settings_defaults::kID3;
    g_settings.Compilation = settings_defaults::kCompilation;
    g_settings.useID3 = 0;
    g_settings.useCompilation = 0;
  }
  void TearDown() override { g_settings = saved; }

  // Tagged members with these artists (untagged where the artist is null).
  static std::vector<std::unique_ptr<File>> Members(const std::vector<const char*>& artists) {
    std::vector<std::unique_ptr<File>> members;
    int track = 0;
    for (const char* artist : artists) {
      const std::string name = "0" + std::to_string(++track) + ".mp3";
      if (artist) {
        members.push_back(TaggedMember(name, artist, "Song", "0" + std::to_string(track)));
      } else {
        members.push_back(std::make_unique<FakeMember>(name));
      }
    }
    return members;
  }

  Settings saved;
};

TEST_F(ListLineTest, DefaultsListEveryMemberByItsFileName) {
  FakeMember plain("CD1/01 intro.mp3");
  const auto tagged = TaggedMember("CD1/02 song.mp3", "A", "Song", "02");
  EXPECT_EQ(MakeListLine(plain, false), "01 intro.mp3");
  EXPECT_EQ(MakeListLine(*tagged, false), "02 song.mp3");
}

TEST_F(ListLineTest, ArtistsDifferOnlyWithCompilationsOn) {
  EXPECT_FALSE(ArtistsDiffer(Members({"A", "A", "B"})));
  g_settings.useCompilation = 1;
  EXPECT_TRUE(ArtistsDiffer(Members({"A", "A", "B"})));
}

TEST_F(ListLineTest, ArtistSequences) {
  g_settings.useCompilation = 1;
  struct Case {
    std::vector<const char*> artists;
    bool differ;
  };
  const std::vector<Case> cases = {
      {{"A", "A", "B"}, true},
      {{"", "A", "A"}, false},    // an empty first artist leaves the reference unset
      {{"A", "", "A"}, true},     // an empty artist after a reference differs
      {{"", "", ""}, false},
      {{"A", "A", "A"}, false},
      {{"A", "a"}, true},         // letter case counts
      {{"A", nullptr, "A"}, false},
      {{}, false},
      {{"A"}, false},
  };
  for (const Case& c : cases) {
    std::string label;
    for (const char* artist : c.artists) label += artist ? std::string("'") + artist + "' " : "untagged ";
    SCOPED_TRACE(label);
    EXPECT_EQ(ArtistsDiffer(Members(c.artists)), c.differ);
  }
}

TEST_F(ListLineTest, UntaggedMembersAndGapsDoNotCount) {
  g_settings.useCompilation = 1;
  std::vector<std::unique_ptr<File>> members = Members({"A", nullptr, "A"});
  // An untagged member's record is not consulted even when it holds another artist.
  static_cast<FakeMember*>(members[1].get())->tag.artist = "B";
  members.insert(members.begin() + 1, nullptr);
  EXPECT_FALSE(ArtistsDiffer(members));
  members.push_back(TaggedMember("04.mp3", "B", "Song", "04"));
  EXPECT_TRUE(ArtistsDiffer(members));
}

TEST_F(ListLineTest, TemplateChoiceTable) {
  g_settings.Normal = "N:%FILE_NAME%";
  g_settings.ID3 = "I:%TRACK_NAME%";
  g_settings.Compilation = "C:%ARTIST_NAME%";
  const auto tagged = TaggedMember("t.mp3", "Art", "Song", "01");
  FakeMember plain("p.mp3");
  struct Row {
    int useID3;
    bool differ;
    std::string taggedLine, plainLine;
  };
  const std::vector<Row> table = {
      {0, false, "N:t.mp3", "N:p.mp3"},
      {1, false, "I:Song", "N:p.mp3"},
      {0, true, "C:Art", "N:p.mp3"},
      {1, true, "C:Art", "N:p.mp3"},
  };
  for (const Row& row : table) {
    SCOPED_TRACE("useID3=" + std::to_string(row.useID3) + " differ=" + std::to_string(row.differ));
    g_settings.useID3 = row.useID3;
    EXPECT_EQ(MakeListLine(*tagged, row.differ), row.taggedLine);
    EXPECT_EQ(MakeListLine(plain, row.differ), row.plainLine);
  }
}

TEST_F(ListLineTest, MixedArtistArchiveUsesCompilationForTaggedMembersOnly) {
  g_settings.useCompilation = 1;
  std::vector<std::unique_ptr<File>> members = Members({"A", "B", nullptr});
  const bool differ = ArtistsDiffer(members);
  std::vector<std::string> lines;
  for (const auto& member : members) lines.push_back(MakeListLine(*member, differ));
  EXPECT_EQ(lines, (std::vector<std::string>{"01. (A)Song", "02. (B)Song", "03.mp3"}));
}

TEST_F(ListLineTest, TemplatesAreReadWhenTheLineIsMade) {
  FakeMember plain("a/b.mp3");
  EXPECT_EQ(MakeListLine(plain, false), "b.mp3");
  g_settings.Normal = "%FILE_PATH%";
  EXPECT_EQ(MakeListLine(plain, false), "a/b.mp3");
  g_settings.Normal = "";
  EXPECT_EQ(MakeListLine(plain, false), "");
}

}  // namespace
