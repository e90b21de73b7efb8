// Which region a point belongs to, at the edges where regions touch or overlap.
#include <gtest/gtest.h>

#include "display/HitRegions.h"

namespace {

struct Probe {
  int x, y;  // negative: from the right or bottom edge, as in the table
  int expected;
};

int At(const Probe& p, int width, int height) {
  return HitTestRegions(p.x < 0 ? p.x + width : p.x, p.y < 0 ? p.y + height : p.y, width, height);
}

TEST(HitRegions, OverlapsGoToTheLowerRegionNumber) {
  const Probe probes[] = {
      {-136, -12, region::kPrevious},  // previous and play share this column
      {-135, -12, region::kPrevious},
      {-134, -12, region::kPlay},
      {-127, -12, region::kPlay},      // play and pause
      {-126, -12, region::kPlay},
      {-125, -12, region::kPause},
      {-118, -12, region::kStop},      // pause and stop
      {-109, -12, region::kNext},      // stop and next
      {-100, -12, region::kNext},      // next and the unused button
      {-99, -12, region::kNext},
      {-98, -12, region::kUnused},
      {-90, -10, region::kUnused},     // the unused button and the time
      {-89, -10, region::kTime},
      {-32 + 17, -32, region::kScrollDown},  // scroll down and scroll up share y = -32
      {-8, -36, region::kScrollUp},
  };
  for (int width : {275, 400}) {
    for (const Probe& p : probes) {
      EXPECT_EQ(At(p, width, 145), p.expected) << "width " << width << " at " << p.x << "," << p.y;
    }
  }
}

TEST(HitRegions, EdgesOfTheLargeRegions) {
  const int w = 300, h = 174;
  EXPECT_EQ(HitTestRegions(w - 11, 3, w, h), region::kClose);
  EXPECT_EQ(HitTestRegions(w - 3, 12, w, h), region::kClose);
  EXPECT_EQ(HitTestRegions(w - 12, 3, w, h), region::kCompact);
  EXPECT_EQ(HitTestRegions(w - 2, 3, w, h), region::kMove);
  EXPECT_EQ(HitTestRegions(12, 20, w, h), region::kList);
  EXPECT_EQ(HitTestRegions(w - 19, h - 39, w, h), region::kList);
  EXPECT_EQ(HitTestRegions(11, 20, w, h), region::kMove);
  EXPECT_EQ(HitTestRegions(12, 19, w, h), region::kMove);
  EXPECT_EQ(HitTestRegions(w - 19, h - 38, w, h), region::kMove);
  EXPECT_EQ(HitTestRegions(w - 15, 20, w, h), region::kScrollBar);
  EXPECT_EQ(HitTestRegions(w - 7, h - 38, w, h), region::kScrollBar);
  EXPECT_EQ(HitTestRegions(w - 6, h - 38, w, h), region::kMove);
  EXPECT_EQ(HitTestRegions(w - 1, h - 1, w, h), region::kResize);
  EXPECT_EQ(HitTestRegions(w - 19, h - 19, w, h), region::kResize);
  EXPECT_EQ(HitTestRegions(w - 147, h - 30, w, h), region::kSeekBar);
  EXPECT_EQ(HitTestRegions(w - 52, h - 20, w, h), region::kSeekBar);
  EXPECT_EQ(HitTestRegions(w - 148, h - 30, w, h), region::kMove);
  EXPECT_EQ(HitTestRegions(w - 52, h - 19, w, h), region::kMove);
  // The compact line is only ever repainted, never hit.
  EXPECT_EQ(HitTestRegions(6, 6, w, h), region::kMove);
}

TEST(HitRegions, CompactStripHoldsTheBottomRegions) {
  // At 14 pixels high the bottom-anchored buttons fall inside the strip.
  EXPECT_EQ(HitTestRegions(275 - 140, 2, 275, 14), region::kPrevious);
  EXPECT_EQ(HitTestRegions(275 - 80, 1, 275, 14), region::kTime);
  EXPECT_EQ(HitTestRegions(275 - 5, 13, 275, 14), region::kResize);
  EXPECT_EQ(HitTestRegions(20, 7, 275, 14), region::kMove);
}

}  // namespace
