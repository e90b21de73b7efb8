// Snapping a proposed window rectangle against host window rectangles.
#include <gtest/gtest.h>

#include <utility>

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
  EXPECT_EQ(r.anchor, 1);  // the window that docked it last
}

// The main window at (0,0) grows to double size (+275, +116) or shades (-102 high); the player
// moves the windows docked below and right of it, and those docked to them.
TEST(DockedResizeShift, WindowsHangingBelowOrRightOfTheMainWindowMoveWithIt) {
  const RECT main = At(0, 0);
  const RECT equalizer = At(0, 116), playlist = At(0, 232, kW, 232), browser = At(275, 116, kW, 348);
  const RECT others[] = {equalizer, playlist, browser};
  const struct {
    RECT own;
    int dw, dh;
    bool moves;
    LONG dx, dy;
  } cases[] = {
      {At(0, 464, kW, 145), 275, 116, true, 0, 116},     // below the playlist editor, below the equalizer
      {At(0, 464, kW, 145), 0, -102, true, 0, -102},     // the same, shaded
      {At(275, 0, kW, 116), 275, 116, true, 275, 0},     // right of the main window
      {At(550, 116, kW, 116), 275, 116, true, 0, 116},   // right of the MiniBrowser, which hangs right of the equalizer
      {At(0, 470, kW, 145), 275, 116, false, 0, 0},      // a gap of 6 pixels: not docked
      {At(-275, 0, kW, 116), 275, 116, false, 0, 0},     // left of the main window: its corner stays
      {At(275, -145, kW, 145), 275, 116, false, 0, 0},   // only a corner touches the main window's
  };
  for (const auto& c : cases) {
    POINT shift{-1, -1};
    const bool moves = DockedResizeShift(main, c.dw, c.dh, others, 3, c.own, &shift);
    EXPECT_EQ(moves, c.moves) << c.own.left << "," << c.own.top;
    if (moves) {
      EXPECT_EQ(std::make_pair(shift.x, shift.y), std::make_pair(c.dx, c.dy)) << c.own.left << "," << c.own.top;
    }
  }
}

}  // namespace
