// Snapping of dragged host windows.
#include <gtest/gtest.h>

#include "host/WindowSnap.h"

namespace host {
namespace {

const Box kMain = {0, 0, 275, 116};

Box At(int left, int top) { return {left, top, left + 275, top + 116}; }

TEST(WindowSnap, PullsAFacingEdgeOntoItsNeighbour) {
  // Dropped 7 px below the main window and 4 px to its right: lands flush under it.
  const Box b = SnapBox(At(4, 123), {kMain}, 10);
  EXPECT_EQ(b.left, 0);
  EXPECT_EQ(b.top, 116);
  EXPECT_EQ(b.right, 275);
  EXPECT_EQ(b.bottom, 232);
}

TEST(WindowSnap, LeavesAWindowAloneBeyondTheDistanceOrWhenOff) {
  const Box far = SnapBox(At(4, 127), {kMain}, 10);
  EXPECT_EQ(far.top, 127);
  EXPECT_EQ(far.left, 4);  // not beside the main window on the vertical axis any more
  const Box off = SnapBox(At(4, 120), {kMain}, 0);
  EXPECT_EQ(off.top, 120);
  EXPECT_EQ(off.left, 4);
}

TEST(WindowSnap, IgnoresEdgesOfWindowsItCannotTouch) {
  // A box 3 px lower but 400 px to the right does not pull the top edge; one beside it does.
  const Box far = SnapBox(At(300, 5), {{1000, 8, 1100, 50}}, 10);
  EXPECT_EQ(far.top, 5);
  EXPECT_EQ(far.left, 300);
  const Box beside = SnapBox(At(280, 5), {kMain}, 10);
  EXPECT_EQ(beside.left, 275);
  EXPECT_EQ(beside.top, 0);
}

TEST(WindowSnap, TakesTheNearestEdge) {
  // Right edge 3 px from the main window's left edge beats the left edge 8 px from another box.
  const Box b = SnapBox({-278, 20, -3, 136}, {kMain, {-300, 0, -286, 50}}, 10);
  EXPECT_EQ(b.right, 0);
  EXPECT_EQ(b.left, -275);
}

TEST(WindowDock, MovesWindowsDockedBelowOrRightByTheChangeInSize) {
  // eq below main, pe below eq; then a window touching main only at its corner but on eq's right
  // edge, one on pe's right edge, one a pixel below main, and a tall one on main's right edge
  // that also lies on eq's: the main window decides for it.
  const std::vector<Box> windows = {At(0, 116), At(0, 232),   At(275, 116),
                                    At(275, 232), At(0, 117), {275, 0, 550, 348}};
  const std::vector<Shift> shade = DockedShifts(kMain, 0, -102, windows);
  const int shadeDy[] = {-102, -102, -102, -102, 0, 0};
  const std::vector<Shift> twice = DockedShifts(kMain, 275, 116, windows);
  const Shift twiceShift[] = {{0, 116}, {0, 116}, {0, 116}, {0, 116}, {0, 0}, {275, 0}};
  ASSERT_EQ(shade.size(), windows.size());
  ASSERT_EQ(twice.size(), windows.size());
  for (size_t i = 0; i < windows.size(); ++i) {
    EXPECT_EQ(shade[i].dx, 0) << i;
    EXPECT_EQ(shade[i].dy, shadeDy[i]) << i;
    EXPECT_EQ(twice[i].dx, twiceShift[i].dx) << i;
    EXPECT_EQ(twice[i].dy, twiceShift[i].dy) << i;
  }
}

}  // namespace
}  // namespace host
