// The host's playlist clock: what play, pause, stop, seek and the passing of time do.
#include <gtest/gtest.h>

#include "host/PlayClock.h"

namespace host {
namespace {

PlayClock ThreeEntries() {
  PlayClock c;
  c.Add({"a.mp3", 10000, 0});
  c.Add({"b.mp3", 5000, 0});
  c.Add({"c.mp3", 2000, 0});
  return c;
}

TEST(PlayClock, TimeMovesOnlyWhilePlaying) {
  PlayClock c = ThreeEntries();
  c.Advance(1000);
  EXPECT_EQ(c.Position(), 0u);
  c.Play();
  c.Advance(1500);
  EXPECT_EQ(c.Position(), 1500u);
  c.TogglePause();
  EXPECT_EQ(c.State(), PlayState::Paused);
  c.Advance(1000);
  EXPECT_EQ(c.Position(), 1500u);
  c.TogglePause();
  c.Advance(1);
  EXPECT_EQ(c.Position(), 1501u);
}

TEST(PlayClock, EndOfEntryCarriesOnIntoTheNextAndStopsAfterTheLast) {
  PlayClock c = ThreeEntries();
  c.Play();
  c.Advance(9000);
  c.Advance(1000 + 250);  // crosses into b with 250 ms left over
  EXPECT_EQ(c.CurrentIndex(), 1);
  EXPECT_EQ(c.Position(), 250u);
  EXPECT_EQ(c.State(), PlayState::Playing);
  c.Advance(4750);  // exactly b's end
  EXPECT_EQ(c.CurrentIndex(), 2);
  EXPECT_EQ(c.Position(), 0u);
  c.Advance(100000);
  EXPECT_EQ(c.State(), PlayState::Stopped);
  EXPECT_EQ(c.Position(), 0u);
  EXPECT_EQ(c.CurrentIndex(), 2);
}

TEST(PlayClock, CrossesSeveralEntriesInOneStep) {
  PlayClock c = ThreeEntries();
  c.Play();
  c.Advance(10000 + 5000 + 1999);
  EXPECT_EQ(c.CurrentIndex(), 2);
  EXPECT_EQ(c.Position(), 1999u);
}

TEST(PlayClock, SeekClampsAtTheLengthAndIsIgnoredWhenStopped) {
  PlayClock c = ThreeEntries();
  EXPECT_EQ(c.Seek(3000), -1);
  EXPECT_EQ(c.Position(), 0u);
  c.Play();
  EXPECT_EQ(c.Seek(3000), 0);
  EXPECT_EQ(c.Position(), 3000u);
  // Paused, a seek past the end stays at the end of this entry.
  c.TogglePause();
  EXPECT_EQ(c.Seek(99999), 1);
  EXPECT_EQ(c.Position(), 10000u);
  EXPECT_EQ(c.CurrentIndex(), 0);
  // Playing, reaching the end moves on.
  c.TogglePause();
  EXPECT_EQ(c.Seek(10000), 1);
  EXPECT_EQ(c.CurrentIndex(), 1);
  EXPECT_EQ(c.Position(), 0u);
}

TEST(PlayClock, PlayRestartsTheCurrentEntryAndStopRewinds) {
  PlayClock c = ThreeEntries();
  c.Select(1);
  c.Play();
  c.Advance(700);
  c.TogglePause();
  c.Play();
  EXPECT_EQ(c.State(), PlayState::Playing);
  EXPECT_EQ(c.Position(), 0u);
  EXPECT_EQ(c.CurrentIndex(), 1);
  c.Advance(300);
  c.Stop();
  EXPECT_EQ(c.State(), PlayState::Stopped);
  EXPECT_EQ(c.Position(), 0u);
  c.TogglePause();  // pausing a stopped clock does nothing
  EXPECT_EQ(c.State(), PlayState::Stopped);
}

TEST(PlayClock, SelectionBoundsAndAnEmptyList) {
  PlayClock c = ThreeEntries();
  EXPECT_FALSE(c.Select(3));
  EXPECT_FALSE(c.Select(-1));
  EXPECT_FALSE(c.Previous());
  EXPECT_EQ(c.CurrentIndex(), 0);
  EXPECT_TRUE(c.Next());
  EXPECT_TRUE(c.Next());
  EXPECT_FALSE(c.Next());
  EXPECT_EQ(c.CurrentIndex(), 2);
  EXPECT_EQ(c.Entry(3), nullptr);
  EXPECT_EQ(c.Entry(-1), nullptr);
  ASSERT_NE(c.Entry(2), nullptr);
  EXPECT_EQ(c.Entry(2)->path, "c.mp3");

  PlayClock empty;
  empty.Play();
  EXPECT_EQ(empty.State(), PlayState::Stopped);
  empty.Advance(100);
  EXPECT_EQ(empty.CurrentLength(), 0u);
}

TEST(PlayClock, PathTextsStayPutWhileEntriesAreAdded) {
  PlayClock c;
  c.Add({"a", 1, 0});  // short enough to live inside the string object itself
  const char* text = c.Entry(0)->path.c_str();
  for (int i = 0; i < 200; ++i) c.Add({"more", 1, 0});
  EXPECT_EQ(c.Entry(0)->path.c_str(), text);
  EXPECT_STREQ(text, "a");
}

TEST(PlayClock, ZeroLengthEntriesArePassedOver) {
  PlayClock c;
  c.Add({"x", 0, 0});
  c.Add({"y", 0, 0});
  c.Add({"z", 1000, 0});
  c.Play();
  c.Advance(10);
  EXPECT_EQ(c.CurrentIndex(), 2);
  EXPECT_EQ(c.Position(), 10u);
}

}  // namespace
}  // namespace host
