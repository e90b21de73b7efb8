// Start times and the lookups from a play position to a track.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/ArchiveTestUtil.h"
#include "archive/StartTimes.h"
#include "settings/Settings.h"

namespace {

// A member with a given play time, standing in for an analysed MP3 member.
struct TimedFile : File {
  explicit TimedFile(uint32_t ms) : File("a.zip.mp3", 0), playTime(ms) {}
  uint32_t GetPlayTime() const override { return playTime; }
  uint32_t playTime;
};

constexpr uint32_t Ms(uint32_t m, uint32_t s, uint32_t ms = 0) { return (m * 60 + s) * 1000 + ms; }

// An archive object holding `times` as members, as Read leaves it after a successful walk.
std::unique_ptr<ZipFile> TrackList(const std::vector<uint32_t>& times) {
  auto archive = std::make_unique<ZipFile>("not-read.zip.mp3");
  for (uint32_t t : times) archive->members.push_back(std::make_unique<TimedFile>(t));
  archive->entryCount = static_cast<uint16_t>(times.size());
  archive->startTimes = BuildStartTimes(archive->members);
  return archive;
}

struct CountUpGuard {
  int32_t saved = g_settings.CountUp;
  explicit CountUpGuard(int32_t value) { g_settings.CountUp = value; }
  ~CountUpGuard() { g_settings.CountUp = saved; }
};

TEST(StartTimes, CumulativeWithZeroLengthMembers) {
  auto archive = TrackList({Ms(3, 0), 0, Ms(4, 0)});
  EXPECT_EQ(std::vector<uint32_t>({0, Ms(3, 0), Ms(3, 0), Ms(7, 0)}), archive->startTimes);
  EXPECT_EQ(Ms(7, 0), archive->GetPlayTime());
  EXPECT_EQ(std::vector<uint32_t>({0}), BuildStartTimes({}));
}

TEST(StartTimes, WrapAroundAt32Bits) {
  auto archive = TrackList({0xFFFFFFF0u, 0x20u, 5});
  EXPECT_EQ(std::vector<uint32_t>({0, 0xFFFFFFF0u, 0x10u, 0x15u}), archive->startTimes);
  EXPECT_EQ(0x15u, archive->GetPlayTime());
}

TEST(TrackLookup, PositionsAroundTheBoundaries) {
  auto archive = TrackList({Ms(3, 0), Ms(4, 0)});
  EXPECT_EQ(0, archive->GetTrackAt(0));
  EXPECT_EQ(0, archive->GetTrackAt(Ms(2, 59, 999)));
  EXPECT_EQ(1, archive->GetTrackAt(Ms(3, 0)));
  EXPECT_EQ(1, archive->GetTrackAt(Ms(6, 59, 999)));
  EXPECT_EQ(2, archive->GetTrackAt(Ms(7, 0)));  // past the end: not a member index
  EXPECT_EQ(2, archive->GetTrackAt(0xFFFFFFFFu));
  EXPECT_EQ(0u, archive->GetStartTime(0));
  EXPECT_EQ(Ms(3, 0), archive->GetStartTime(1));
  EXPECT_EQ(0u, archive->GetStartTime(2));
  EXPECT_EQ(0u, archive->GetStartTime(-1));
}

TEST(TrackLookup, ZeroLengthMembersAreNeverCurrent) {
  auto archive = TrackList({Ms(1, 0), 0, 0, Ms(1, 0)});
  EXPECT_EQ(0, archive->GetTrackAt(Ms(0, 59, 999)));
  EXPECT_EQ(3, archive->GetTrackAt(Ms(1, 0)));
}

TEST(TrackLookup, TimeInTrackFollowsCountUp) {
  auto archive = TrackList({Ms(3, 0), Ms(4, 0)});
  {
    CountUpGuard off(0);
    EXPECT_EQ(Ms(3, 40), archive->GetTimeInTrack(1, Ms(3, 20)));
    EXPECT_EQ(1u, archive->GetTimeInTrack(0, Ms(2, 59, 999)));
  }
  {
    CountUpGuard on(1);
    EXPECT_EQ(Ms(0, 20), archive->GetTimeInTrack(1, Ms(3, 20)));
    EXPECT_EQ(Ms(2, 59, 999), archive->GetTimeInTrack(0, Ms(2, 59, 999)));
  }
  for (int32_t countUp : {0, 1}) {
    CountUpGuard guard(countUp);
    EXPECT_EQ(0u, archive->GetTimeInTrack(2, Ms(7, 0)));
    EXPECT_EQ(0u, archive->GetTimeInTrack(-1, Ms(1, 0)));
  }
}

TEST(TrackLookup, TableNotBuiltOrOutOfStep) {
  ZipFile unread("not-read.zip.mp3");
  EXPECT_EQ(-1, unread.GetTrackAt(0));
  EXPECT_EQ(0u, unread.GetStartTime(0));
  EXPECT_EQ(0u, unread.GetTimeInTrack(0, 0));
  EXPECT_EQ(0, unread.GetCount());
  EXPECT_EQ(nullptr, unread.GetMember(0));

  auto archive = TrackList({Ms(1, 0), Ms(1, 0)});
  archive->entryCount = 3;  // table no longer entryCount + 1 values long
  EXPECT_EQ(-1, archive->GetTrackAt(0));
}

TEST(TrackLookup, MemberIndexBounds) {
  auto archive = TrackList({1, 2, 3});
  EXPECT_EQ(nullptr, archive->GetMember(-1));
  EXPECT_EQ(nullptr, archive->GetMember(3));
  ASSERT_NE(nullptr, archive->GetMember(2));
  EXPECT_EQ(3u, archive->GetMember(2)->GetPlayTime());
}

}  // namespace
