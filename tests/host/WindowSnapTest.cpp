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

}  // namespace
}  // namespace host
