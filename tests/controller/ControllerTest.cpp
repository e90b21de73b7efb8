// The archive controller against a recording window and a test host: opening on a change of file,
// the list lines, the track mark and time, visibility, and the host messages of the track commands.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "HostDoubles.h"
#include "controller/ArchiveController.h"
#include "settings/Settings.h"
#include "support/RecordingHost.h"
#include "support/ZipWriter.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const bool kQuickWindows = UseUnmanagedWindowsUnderWine();

// The status lines as code page 932 bytes.
const std::string kCannotOpen =
    "\x83t\x83@\x83" "C\x83\x8B\x82\xF0\x8AJ\x82\xAF\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD";
const std::string kNotZip =
    "ZIP \x83t\x83@\x83" "C\x83\x8B\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1";
const std::string kBadHeader1 =
    "ZIP \x83t\x83@\x83" "C\x83\x8B\x82\xCC\x83w\x83" "b\x83_\x8F\xEE\x95\xF1\x82\xCC\x93\xC7\x82\xDD\x82\xC6\x82"
    "\xE8\x82\xC9\x8E\xB8\x94s\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B";
const std::string kBadHeader2 =
    "\x90\xB3\x82\xB5\x82\xA2 ZIP \x83t\x83@\x83" "C\x83\x8B\x82\xC5\x82\xCD\x82\xC8\x82\xA2\x82\xA9\x81"
    "A\x82\xB1\x82\xCC\x83v\x83\x89\x83O\x83" "C\x83\x93\x82\xAA\x83w\x83{\x82\xA2\x89\xC2\x94\x5C\x90\xAB\x82"
    "\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7\x81" "B";

// Three tracks of 65, 4 and 5 seconds: the first one is long enough to show a minute.
const std::string& ThreeTrackArchive() {
  static const std::string path = WriteTempFile(
      "three.zip.mp3",
      BuildZip({{"01 intro.mp3", Mp3Member(65000)}, {"disc/02 song.mp3", Mp3Member(4000)}, {"03 end.mp3", Mp3Member(5000)}}));
  return path;
}

const std::string& PlainMp3() {
  static const std::string path = WriteTempFile("plain.mp3", Mp3Member(2000));
  return path;
}

// Every member deflated: the directory reads, but nothing can be played.
const std::string& CompressedArchive() {
  ZipEntry entry{"a.mp3", std::string(300, 'x')};
  entry.compressed = true;
  static const std::string path = WriteTempFile("compressed.zip.mp3", BuildZip({entry}));
  return path;
}

class ControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_settings = Settings();
    g_settings.Normal = settings_defaults::kNormal;
    g_settings.ID3 = settings_defaults::kID3;
    g_settings.Compilation = settings_defaults::kCompilation;
    g_settings.CountUp = 1;
    ArchiveController::Destroy();
    controller = &ArchiveController::Instance();
    controller->SetWindow(&display);
    controller->SetHost(&hostPlayer);
  }
  void TearDown() override {
    ArchiveController::Destroy();
    g_settings = Settings();
  }
  // Opens `path` at position 0 and forgets what that recorded.
  void OpenQuietly(const std::string& path) {
    controller->Update(path, 0);
    display.events.clear();
    host.calls.clear();
  }

  TestHost host;
  RecordingDisplay display{host.hwnd};
  HostWindowPlayer hostPlayer{host.hwnd};
  ArchiveController* controller = nullptr;
};

TEST_F(ControllerTest, NewArchiveListsEveryMemberMarksTheFirstAndShowsTheWindow) {
  controller->Update(ThreeTrackArchive(), 0);
  EXPECT_THAT(display.events, ElementsAre("add 01 intro.mp3 65000", "add 02 song.mp3 4000", "add 03 end.mp3 5000",
                                          "current 0 65000", "time 0:00"));
  EXPECT_TRUE(display.IsVisible());
  ASSERT_NE(controller->Archive(), nullptr);
  EXPECT_EQ(controller->Archive()->GetArchivePath(), ThreeTrackArchive());
}

TEST_F(ControllerTest, FollowsThePositionWithWholeSecondsOnly) {
  OpenQuietly(ThreeTrackArchive());
  controller->Update(ThreeTrackArchive(), 64999);
  controller->Update(ThreeTrackArchive(), 64500);  // the same whole second: nothing to repaint
  controller->Update(ThreeTrackArchive(), 65000);  // the first millisecond of track 1
  controller->Update(ThreeTrackArchive(), 66999);
  EXPECT_THAT(display.events, ElementsAre("time 1:04", "current 1 4000", "time 0:00", "time 0:01"));

  display.events.clear();
  g_settings.CountUp = 0;  // time left: 4000 - 1500 ms
  controller->Update(ThreeTrackArchive(), 66500);
  EXPECT_THAT(display.events, ElementsAre("time 0:02"));
}

TEST_F(ControllerTest, PositionPastTheLastTrackMarksNothingAndShowsZero) {
  OpenQuietly(ThreeTrackArchive());
  controller->Update(ThreeTrackArchive(), 3000);
  controller->Update(ThreeTrackArchive(), 74000 + 2500);
  EXPECT_THAT(display.events, ElementsAre("time 0:03", "time 0:00"));
  EXPECT_EQ(display.GetCurrentTrack(), 0);
}

TEST_F(ControllerTest, PlainMp3AfterAnArchiveIsHiddenInTheSameUpdateWithShowOnlyZip) {
  g_settings.ShowOnlyZip = 1;
  OpenQuietly(ThreeTrackArchive());
  EXPECT_TRUE(display.IsVisible());
  controller->Update(PlainMp3(), 500);
  EXPECT_THAT(display.events, ElementsAre("clear", "add " + kNotZip + " 0", "current 0 0"));
  EXPECT_FALSE(display.IsVisible());
}

TEST_F(ControllerTest, PlainMp3StaysVisibleWithoutShowOnlyZip) {
  OpenQuietly(ThreeTrackArchive());
  controller->Update(PlainMp3(), 500);
  controller->Update(PlainMp3(), 1500);  // nothing is followed in a file that is no archive
  EXPECT_THAT(display.events, ElementsAre("clear", "add " + kNotZip + " 0", "current 0 0"));
  EXPECT_TRUE(display.IsVisible());
}

TEST_F(ControllerTest, OpensOnlyWhenTheNameChanges) {
  controller->Update(ThreeTrackArchive(), 0);
  controller->Update(ThreeTrackArchive(), 0);
  controller->Update("", 0);  // no name: keeps the archive
  EXPECT_EQ(std::count(display.events.begin(), display.events.end(), "add 01 intro.mp3 65000"), 1);
  ASSERT_NE(controller->Archive(), nullptr);
  EXPECT_EQ(controller->Archive()->GetArchivePath(), ThreeTrackArchive());

  controller->Update(PlainMp3(), 0);
  controller->Update(ThreeTrackArchive(), 0);  // the same archive after another file opens again
  EXPECT_EQ(std::count(display.events.begin(), display.events.end(), "add 01 intro.mp3 65000"), 2);
  EXPECT_EQ(std::count(display.events.begin(), display.events.end(), "clear"), 2);
}

TEST_F(ControllerTest, EmptyNameNeverOpens) {
  controller->Update("", 1000);
  EXPECT_THAT(display.events, IsEmpty());
  EXPECT_EQ(controller->Archive(), nullptr);
  EXPECT_FALSE(display.IsVisible());
}

TEST_F(ControllerTest, StreamNameShowsCannotOpenOnceAndMarksNothing) {
  const std::string stream = "http://radio.example:8000/live";
  controller->Update(stream, 0);
  controller->Update(stream, 100);  // a failed name is not retried
  EXPECT_THAT(display.events, ElementsAre("add " + kCannotOpen + " 0"));
  EXPECT_TRUE(display.IsVisible());
}

TEST_F(ControllerTest, BrokenDirectoryShowsTheTwoHeaderLines) {
  ZipOptions options;
  options.entryCountOverride = 3;  // the directory holds one header only
  const std::string path = WriteTempFile("broken.zip.mp3", BuildZip({{"a.mp3", Mp3Member(100)}}, options));
  controller->Update(path, 0);
  EXPECT_THAT(display.events, ElementsAre("add " + kBadHeader1 + " 0", "add " + kBadHeader2 + " 0", "current 0 0"));
}

TEST_F(ControllerTest, ShowOnlyUncompressedZipDecidesAboutArchivesWithoutStoredMembers) {
  g_settings.ShowOnlyZip = 1;
  controller->Update(CompressedArchive(), 0);
  EXPECT_THAT(display.events, ElementsAre("add a.mp3 0", "current 0 0"));
  EXPECT_TRUE(display.IsVisible());

  g_settings.ShowOnlyUncompressedZip = 1;
  controller->Update(CompressedArchive(), 0);
  EXPECT_FALSE(display.IsVisible());
}

TEST_F(ControllerTest, AltMShowsTheWindowUntilTheNextUpdateWithShowOnlyZip) {
  g_settings.ShowOnlyZip = 1;
  controller->Update(PlainMp3(), 0);
  ASSERT_FALSE(display.IsVisible());
  controller->ToggleWindow();
  EXPECT_TRUE(display.IsVisible());
  EXPECT_EQ(GetFocus(), display.hwnd);
  controller->Update(PlainMp3(), 100);
  EXPECT_FALSE(display.IsVisible());
}

TEST_F(ControllerTest, ToggleWindowHidesAVisibleWindow) {
  controller->Update(ThreeTrackArchive(), 0);
  ASSERT_TRUE(display.IsVisible());
  controller->ToggleWindow();
  EXPECT_FALSE(display.IsVisible());
}

class TemplateChoiceTest : public ControllerTest {
 protected:
  std::vector<std::string> LinesOf(const std::string& path) {
    controller->Update(path, 0);
    std::vector<std::string> lines;
    for (const std::string& event : display.events) {
      if (event.compare(0, 4, "add ") == 0) {
        lines.push_back(event.substr(4, event.rfind(' ') - 4));
      }
    }
    return lines;
  }
  std::string MixedArtists() {
    return WriteTempFile("mixed.zip.mp3", BuildZip({{"a.mp3", Mp3Member(500, "One", "Ann", 1)},
                                                    {"b.mp3", Mp3Member(500, "Two", "Bob", 2)},
                                                    {"cover.txt", "text"}}));
  }
  std::string OneArtist() {
    return WriteTempFile("same.zip.mp3", BuildZip({{"a.mp3", Mp3Member(500, "One", "Ann", 1)},
                                                   {"b.mp3", Mp3Member(500, "Two", "Ann", 2)},
                                                   {"c.mp3", Mp3Member(500)}}));
  }
};

TEST_F(TemplateChoiceTest, MixedArtistsUseCompilationForTaggedMembersOnly) {
  g_settings.useCompilation = 1;
  EXPECT_THAT(LinesOf(MixedArtists()), ElementsAre("01. (Ann)One", "02. (Bob)Two", "cover.txt"));
}

TEST_F(TemplateChoiceTest, OneArtistFallsBackToId3OrNormal) {
  g_settings.useCompilation = 1;
  g_settings.useID3 = 1;
  EXPECT_THAT(LinesOf(OneArtist()), ElementsAre("01. One", "02. Two", "c.mp3"));
  ArchiveController::Destroy();
  controller = &ArchiveController::Instance();
  controller->SetWindow(&display);
  controller->SetHost(&hostPlayer);
  display.events.clear();
  g_settings.useID3 = 0;
  EXPECT_THAT(LinesOf(OneArtist()), ElementsAre("a.mp3", "b.mp3", "c.mp3"));
}

class TrackCommandTest : public ControllerTest {};

TEST_F(TrackCommandTest, JumpOutsideTheListSendsNothing) {
  OpenQuietly(ThreeTrackArchive());
  controller->JumpTo(3, 0);   // "next" on the last track
  controller->JumpTo(-1, 0);  // "previous" on the first track
  EXPECT_THAT(host.calls, IsEmpty());
}

TEST_F(TrackCommandTest, JumpWhilePlayingOnlySeeks) {
  OpenQuietly(ThreeTrackArchive());
  controller->JumpTo(2, 1500);
  EXPECT_THAT(host.calls, ElementsAre("seek 70500", "playing?"));
}

// A stopped host ignores a seek, so every jump starts it, into the marked track too (a double-click
// on it); a paused host is started only for a jump into another track.
TEST_F(TrackCommandTest, JumpStartsAStoppedHostAlwaysAndAPausedOneForAnotherTrack) {
  OpenQuietly(ThreeTrackArchive());
  const struct {
    int state;
    int track;
    std::vector<std::string> calls;
  } cases[] = {
      {0, 1, {"seek 65250", "playing?", "play", "seek 65250"}},
      {0, 0, {"seek 250", "playing?", "play", "seek 250"}},
      {3, 1, {"seek 65250", "playing?", "play", "seek 65250"}},
      {3, 0, {"seek 250", "playing?"}},
  };
  for (const auto& c : cases) {
    RecordingHost recording;
    recording.playState = c.state;
    controller->SetHost(&recording);
    controller->JumpTo(c.track, 250);
    EXPECT_EQ(recording.calls, c.calls) << "state " << c.state << ", track " << c.track;
  }
  controller->SetHost(&hostPlayer);
}

TEST_F(TrackCommandTest, JumpAndPlayNeedAnArchive) {
  controller->JumpTo(0, 0);
  controller->PlayCurrentTrack();
  EXPECT_THAT(host.calls, IsEmpty());
}

TEST_F(TrackCommandTest, PlayCurrentTrackStartsAtTheMarkedTrack) {
  OpenQuietly(ThreeTrackArchive());
  controller->Update(ThreeTrackArchive(), 67000);  // marks track 1
  controller->PlayCurrentTrack();
  EXPECT_THAT(host.calls, ElementsAre("play", "seek 65000"));
}

TEST_F(TrackCommandTest, PlayCurrentTrackWithoutStoredMembersStartsAtZero) {
  OpenQuietly(CompressedArchive());
  controller->PlayCurrentTrack();
  EXPECT_THAT(host.calls, ElementsAre("play", "seek 0"));
}

}  // namespace
