// The list's bookkeeping without a window: rows, current and selected rows, scrolling, the thumb
// and the row under a point.
#include <gtest/gtest.h>

#include "display/TrackListView.h"
#include "settings/Settings.h"

namespace {

class TrackListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_settings.width = 5;
    g_settings.height = 3;  // list 87 pixels high
    list.rowHeight = 8;     // 10 visible rows
    list.UpdateLayout();
  }
  void AddRows(int count) {
    for (int i = 0; i < count; ++i) list.Add("track " + std::to_string(i), 1000u * (i + 1));
  }
  TrackListView list{nullptr, nullptr};
};

TEST_F(TrackListViewTest, StartsWithTheFirstRowSelectedAndCurrentUntilCleared) {
  EXPECT_EQ(list.selected, 0);
  EXPECT_EQ(list.current, 0);
  AddRows(3);
  EXPECT_EQ(list.selected, 0);
  list.Clear();
  EXPECT_EQ(list.selected, -1);
  EXPECT_EQ(list.current, -1);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(list.lengths.empty());
}

TEST_F(TrackListViewTest, LayoutFollowsTheSettingsAndAddKeepsWholeSeconds) {
  EXPECT_EQ(list.windowWidth, 275);
  EXPECT_EQ(list.listHeight, 87);
  EXPECT_EQ(list.visibleRows, 10);
  list.Add("a", 61999);
  list.Add("b", 999);
  list.Add("c", 0xFFFFFFFFu);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.lengths[0], 61u);
  EXPECT_EQ(list.lengths[1], 0u);
  EXPECT_EQ(list.lengths[2], 4294967u);
  EXPECT_EQ(list.titles[1], "b");
}

TEST_F(TrackListViewTest, CurrentAndSelectionAcceptOnlyRowsOrNone) {
  AddRows(4);
  list.SetCurrent(3);
  EXPECT_EQ(list.current, 3);
  list.SetCurrent(4);
  EXPECT_EQ(list.current, 3);
  list.SetCurrent(-2);
  EXPECT_EQ(list.current, 3);
  list.SetCurrent(-1);
  EXPECT_EQ(list.current, -1);
  list.SetSelection(2);
  list.SetSelection(7);
  EXPECT_EQ(list.selected, 2);
  list.SetSelection(-1);
  EXPECT_EQ(list.selected, -1);
}

TEST_F(TrackListViewTest, RowAtCountsTheBandAboveTheFirstRowAsThatRow) {
  AddRows(20);
  EXPECT_EQ(list.RowAt(20), 0);  // the band 20..22 truncates toward zero
  EXPECT_EQ(list.RowAt(22), 0);
  EXPECT_EQ(list.RowAt(30), 0);
  EXPECT_EQ(list.RowAt(31), 1);
  EXPECT_EQ(list.RowAt(14), -1);  // a full row above: no row before the first
  list.topRow = 5;
  EXPECT_EQ(list.RowAt(21), 5);
  EXPECT_EQ(list.RowAt(14), 4);
  EXPECT_EQ(list.RowAt(23 + 8 * 14), 19);
  EXPECT_EQ(list.RowAt(23 + 8 * 15), -1);  // below the last row
}

TEST_F(TrackListViewTest, ScrollingByHalfPagesStopsAtBothEnds) {
  AddRows(20);
  EXPECT_EQ(list.maxTopRow, 10);
  list.ScrollDown();
  EXPECT_EQ(list.topRow, 5);
  list.ScrollDown();
  EXPECT_EQ(list.topRow, 10);
  EXPECT_EQ(list.ThumbOffset(), list.listHeight - 18);
  list.ScrollDown();
  EXPECT_EQ(list.topRow, 10);
  list.ScrollUp();
  list.ScrollUp();
  list.ScrollUp();
  EXPECT_EQ(list.topRow, 0);
  EXPECT_EQ(list.ThumbOffset(), 0);
}

TEST_F(TrackListViewTest, OneVisibleRowDoesNotScroll) {
  list.rowHeight = 87;
  list.UpdateLayout();
  AddRows(5);
  ASSERT_EQ(list.visibleRows, 1);
  list.ScrollDown();
  EXPECT_EQ(list.topRow, 0);
}

TEST_F(TrackListViewTest, ThumbDragMapsTheTrackOntoTheRows) {
  AddRows(20);  // track = 87 - 18 = 69 pixels for 10 positions
  list.ThumbDrag(69);
  EXPECT_EQ(list.topRow, 10);
  list.ThumbDrag(35);
  EXPECT_EQ(list.topRow, 35 * 10 / 69);
  list.ThumbDrag(5000);
  EXPECT_EQ(list.topRow, 10);
  list.ThumbDrag(-40);
  EXPECT_EQ(list.topRow, 0);
  list.topRow = 6;
  EXPECT_EQ(list.ThumbOffset(), 69 * 6 / 10);
  list.Clear();
  list.Add("only", 1000);  // everything fits: no thumb movement
  list.ThumbDrag(50);
  EXPECT_EQ(list.topRow, 0);
  EXPECT_EQ(list.ThumbOffset(), 0);
}

TEST_F(TrackListViewTest, ThumbStaysOnTheBarAfterTheListGrew) {
  AddRows(20);
  list.topRow = 10;
  g_settings.height = 5;  // 145 pixels: 18 rows fit, so 2 is now the largest useful top row
  list.UpdateLayout();
  ASSERT_EQ(list.maxTopRow, 2);
  EXPECT_EQ(list.ThumbOffset(), list.listHeight - 18);
}

TEST_F(TrackListViewTest, SelectDownMovesThenScrollsAndStopsAtTheEnd) {
  AddRows(20);
  list.SetSelection(8);
  list.SelectDown();
  EXPECT_EQ(list.selected, 9);
  EXPECT_EQ(list.topRow, 0);
  list.SelectDown();  // leaves the visible rows: the list follows
  EXPECT_EQ(list.selected, 10);
  EXPECT_EQ(list.topRow, 1);
  list.SetSelection(19);
  list.topRow = 10;
  list.SelectDown();
  EXPECT_EQ(list.selected, 19);
  EXPECT_EQ(list.topRow, 10);
  list.topRow = 4;
  list.SetSelection(-1);  // nothing selected, or the selection off screen: the top row
  list.SelectDown();
  EXPECT_EQ(list.selected, 4);
  list.SetSelection(17);
  list.SelectDown();
  EXPECT_EQ(list.selected, 4);
}

TEST_F(TrackListViewTest, SelectUpMovesThenScrolls) {
  AddRows(20);
  list.topRow = 5;
  list.SetSelection(6);
  list.SelectUp();
  EXPECT_EQ(list.selected, 5);
  EXPECT_EQ(list.topRow, 5);
  list.SelectUp();  // above the top row: the list follows
  EXPECT_EQ(list.selected, 4);
  EXPECT_EQ(list.topRow, 4);
}

TEST_F(TrackListViewTest, SelectUpFromTheFirstRowNothingOrOffScreenTakesTheTopRow) {
  AddRows(20);
  list.topRow = 7;
  list.SetSelection(0);
  list.SelectUp();
  EXPECT_EQ(list.selected, 7);
  list.SetSelection(-1);
  list.SelectUp();
  EXPECT_EQ(list.selected, 7);
  list.SetSelection(2);  // not visible
  list.SelectUp();
  EXPECT_EQ(list.selected, 7);
}

TEST_F(TrackListViewTest, SelectionKeysNeverPointBeyondAnEmptyList) {
  // The fresh list has row 0 selected but no rows yet.
  list.SelectDown();
  list.SelectDown();
  EXPECT_EQ(list.selected, 0);
  list.Clear();
  list.SelectUp();
  EXPECT_EQ(list.selected, -1);
  list.SelectDown();
  EXPECT_EQ(list.selected, -1);
}

TEST_F(TrackListViewTest, ClearForgetsTheScrollRange) {
  AddRows(20);
  list.ScrollDown();
  list.Clear();
  EXPECT_EQ(list.topRow, 0);
  list.ScrollDown();
  EXPECT_EQ(list.topRow, 0);
}

}  // namespace
