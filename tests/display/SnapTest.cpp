// Snapping a proposed window rectangle against host window rectangles.
#include <gtest/gtest.h>

#include "display/Snap.h"

namespace {

constexpr int kW = 275;
constexpr int kH = 116;

RECT At(int x, int y, int w = kW, int h = kH) { return RECT{x, y, x + w, y + h}; }

const RECT kHost = At(200, 300);

TEST(SnapRect, CornerBeyondReachIsLeftAlone) {
  const SnapResult r = SnapRect(At(211, 300 - kH - 30), &kHost, 1, kHost, 10);
  EXPECT_EQ(r.x, 211);
  EXPECT_EQ(r.y, 300 - kH - 30);
  EXPECT_FALSE(r.docked);
}

TEST(SnapRect, EdgeWithOverlapSnapsOneAxis) {
  // Left edge 7 pixels right of the host's right edge, overlapping vertically.
  const SnapResult r = SnapRect(At(482, 340), &kHost, 1, kHost, 10);
  EXPECT_EQ(r.x, 475);
  EXPECT_EQ(r.y, 340);
  EXPECT_TRUE(r.docked);
  EXPECT_EQ(r.offsetX, 275);
  EXPECT_EQ(r.offsetY, 40);
}

TEST(SnapRect, EdgeWithoutOverlapDoesNotSnap) {
  const SnapResult r = SnapRect(At(480, 500), &kHost, 1, kHost, 10);
  EXPECT_EQ(r.x, 480);
  EXPECT_FALSE(r.docked);
}

TEST(SnapRect, LaterWindowsEdgeOverridesAnEarlierOne) {
  // Both right edges are within reach of this window's left edge; the later window wins.
  const RECT targets[] = {kHost, RECT{278, 320, 478, 436}};
  const SnapResult r = SnapRect(At(476, 340), targets, 2, kHost, 10);
  EXPECT_EQ(r.x, 478);
  EXPECT_EQ(r.y, 340);
  EXPECT_TRUE(r.docked);
  EXPECT_EQ(r.offsetX, 278);
}

TEST(SnapRect, CornerMatchEndsTheSearch) {
  // The second window's right edge (196) is within reach of this window's left edge, but the
  // host's corner has already decided.
  const RECT targets[] = {kHost, RECT{0, 400, 196, 800}};
  const SnapResult r = SnapRect(At(200 + 3, 300 + kH + 2), targets, 2, kHost, 10);
  EXPECT_EQ(r.x, 200);
  EXPECT_EQ(r.y, 300 + kH);
  EXPECT_EQ(r.offsetY, kH);
}

TEST(SnapRect, AxesFromDifferentWindowsCombineAndDockRelativeToTheHost) {
  // The host's right edge gives x; the top edge of a window further down gives y.
  const RECT targets[] = {kHost, RECT{600, 510, 900, 700}};
  const SnapResult r = SnapRect(At(478, 390), targets, 2, kHost, 10);
  EXPECT_EQ(r.x, 475);
  EXPECT_EQ(r.y, 510 - kH);
  EXPECT_TRUE(r.docked);
  EXPECT_EQ(r.offsetX, 275);
  EXPECT_EQ(r.offsetY, 510 - kH - 300);
}

}  // namespace
