// The main window driven through its messages, against a stand-in host and a recording controller:
// creation, the timer tick, the action of each region in both modes, keys, wheel, drags, resizing,
// snapping and the region repaints.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "WindowTestSupport.h"
#include "display/HitRegions.h"
#include "plugin/HostInterface.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "support/RecordingHost.h"

using namespace testing_display;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetEnvironment();
    Recreate();
  }

  // Creates the window under test anew, with the settings as they are now.
  void Recreate() {
    w.reset();
    w = std::make_unique<WindowUnderTest>();
  }
  MainWindow& win() { return w->window; }
  TrackListView& list() { return *w->window.listView; }
  std::vector<std::string>& calls() { return w->commands.calls; }
  int W() { return win().windowWidth; }
  int H() { return win().windowHeight; }
  void AddRows(int count, uint32_t lengthMs = 200000) {
    for (int i = 0; i < count; ++i) win().AddTrack("row " + std::to_string(i), lengthMs);
  }
  RECT WindowRect() {
    RECT r{};
    GetWindowRect(win().hwnd, &r);
    return r;
  }
  // The bounding box of what is waiting to be repainted, after validating everything before.
  RECT PendingRepaint() {
    RECT r{};
    GetUpdateRect(win().hwnd, &r, FALSE);
    return r;
  }

  std::unique_ptr<WindowUnderTest> w;
};

TEST(MainWindowClass, RegistersSimpleVisWithDoubleClicksAndNoBackground) {
  EnsureWindowClass();
  WNDCLASSA info{};
  ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), kMainWindowClass, &info));
  EXPECT_EQ(info.style, static_cast<UINT>(CS_DBLCLKS));
  EXPECT_EQ(info.hbrBackground, nullptr);
  EXPECT_EQ(info.hCursor, LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(info.lpfnWndProc, &MainWindow::WindowProc);
}

TEST_F(MainWindowTest, CreationPlacesTheWindowFromTheSettingsWithoutFrame) {
  ASSERT_NE(win().hwnd, nullptr);
  ASSERT_NE(win().listView, nullptr);
  const RECT r = WindowRect();
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right - r.left, 275);
  EXPECT_EQ(r.bottom - r.top, geometry::HeightOf(3));
  EXPECT_EQ(GetWindowLongA(win().hwnd, GWL_STYLE) & (WS_BORDER | WS_DLGFRAME), 0);
  // The list was given its colours by the forced skin load from the test skin.
  EXPECT_EQ(list().currentColor, kTestCurrent);
  EXPECT_EQ(list().selectedBgColor, kTestSelectedBg);
  EXPECT_NE(win().skin.pleditBitmap, nullptr);
}

TEST_F(MainWindowTest, CreatedCompactTheLayoutIsTheStripAtOnce) {
  g_settings.compact = 1;
  Recreate();
  EXPECT_EQ(H(), kCompactHeight);
  const RECT r = WindowRect();
  EXPECT_EQ(r.bottom - r.top, kCompactHeight);
  // The resize grip therefore lies inside the strip, where it does nothing.
  w->Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(W() - 2, 12));
  EXPECT_FALSE(win().resizing);
  EXPECT_FALSE(win().moving);
}

TEST_F(MainWindowTest, TickAsksTheHostOnlyWhilePlaying) {
  g_host.fileName = "C:\\music\\album.zip.mp3";
  g_host.positionMs = 123456;
  g_host.listPos = 7;
  g_host.playState = 3;  // paused
  w->Send(WM_TIMER, 0, 0);
  g_host.playState = 0;  // stopped
  w->Send(WM_TIMER, 0, 0);
  EXPECT_THAT(calls(), IsEmpty());
  EXPECT_THAT(g_host.listPosAsked, IsEmpty());
  g_host.playState = 1;
  w->Send(WM_TIMER, 0, 0);
  g_host.nullFileName = true;  // no name for the entry: an empty one
  w->Send(WM_TIMER, 0, 0);
  EXPECT_THAT(calls(), ElementsAre("Update C:\\music\\album.zip.mp3 123456", "Update  123456"));
  EXPECT_THAT(g_host.listPosAsked, ElementsAre(7, 7));
}

TEST_F(MainWindowTest, TickAsksItsFiveQuestionsInOrderAndOnlyTheSkinWhenStopped) {
  pluginFolder = ScratchPath("no-own-skin\\");
  RecordingHost host;
  host.skin = HostSkin{TestSkinFolder(), "recorded"};
  host.positionMs = 4321;
  host.listIndex = 3;
  host.fileName = "C:\\a.zip.mp3";
  win().host = &host;
  w->Send(WM_TIMER, 0, 0);
  host.playState = 0;
  w->Send(WM_TIMER, 0, 0);
  win().host = &w->hostPlayer;
  EXPECT_THAT(host.calls, ElementsAre("skin", "playing?", "position", "list index", "file 3", "skin", "playing?"));
  EXPECT_THAT(calls(), ElementsAre("Update C:\\a.zip.mp3 4321"));
}

TEST_F(MainWindowTest, TickReloadsTheSkinWhenTheHostSkinChanges) {
  pluginFolder = ScratchPath("no-own-skin\\");
  g_host.skinFolder = TestSkinFolder();
  g_host.skinIdentity = "first";
  w->Send(WM_TIMER, 0, 0);
  EXPECT_EQ(win().skin.skinName, "first");
  EXPECT_EQ(list().currentColor, kTestCurrent);
  const std::string elsewhere = ScratchPath("no-such-skin");
  g_host.skinFolder = elsewhere;
  w->Send(WM_TIMER, 0, 0);  // same identity: nothing is reloaded, not even from the new folder
  EXPECT_EQ(win().skin.skinFolder, TestSkinFolder());
  g_host.skinIdentity = "second";
  w->Send(WM_TIMER, 0, 0);
  EXPECT_EQ(win().skin.skinName, "second");
  EXPECT_EQ(win().skin.skinFolder, elsewhere);
  EXPECT_EQ(list().currentColor, RGB(255, 255, 255));  // no Pledit.txt there: the default
}

TEST_F(MainWindowTest, ControllerCallsFillTheListAndKeepTheTrackLength) {
  win().ClearTracks();
  AddRows(3, 90500);
  EXPECT_EQ(list().Count(), 3);
  EXPECT_EQ(list().lengths[2], 90u);
  win().SetCurrentTrack(2, 90500);
  EXPECT_EQ(win().GetCurrentTrack(), 2);
  EXPECT_EQ(win().trackLength, 90500u);
  win().SetCurrentTrack(9, 1234);  // not a row: the list ignores it, the length is kept anyway
  EXPECT_EQ(win().GetCurrentTrack(), 2);
  EXPECT_EQ(win().trackLength, 1234u);
  win().Show();
  EXPECT_TRUE(win().IsShown());
  win().Hide();
  EXPECT_FALSE(win().IsShown());
}

TEST_F(MainWindowTest, AFillOfRowsAsksForOneRepaintUntilTheWindowPaints) {
  ShowWindow(win().hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(win().hwnd);
  win().ClearTracks();
  AddRows(1);
  const RECT whole{0, 0, W(), H()};
  RECT pending = PendingRepaint();
  EXPECT_TRUE(EqualRect(&pending, &whole));
  // Cleared behind the list's back: the remaining rows of the fill do not ask again.
  ValidateRect(win().hwnd, nullptr);
  AddRows(999);
  pending = PendingRepaint();
  EXPECT_TRUE(IsRectEmpty(&pending));
  EXPECT_EQ(list().Count(), 1000);
  // Once the window has painted, a new row repaints again, and so does the next fill's first row.
  InvalidateRect(win().hwnd, nullptr, FALSE);
  UpdateWindow(win().hwnd);
  AddRows(1);
  pending = PendingRepaint();
  EXPECT_TRUE(EqualRect(&pending, &whole));
  ValidateRect(win().hwnd, nullptr);
  win().ClearTracks();
  AddRows(1);
  pending = PendingRepaint();
  EXPECT_TRUE(EqualRect(&pending, &whole));
}

TEST_F(MainWindowTest, ATimeChangeRepaintsOnlyTheTimeAndTheSeekBar) {
  ShowWindow(win().hwnd, SW_SHOWNOACTIVATE);  // hidden windows collect no repaints
  ValidateRect(win().hwnd, nullptr);
  win().SetTime(3, 7);
  EXPECT_EQ(win().timeMinutes, 3);
  EXPECT_EQ(win().timeSeconds, 7);
  RECT expected{};
  const RECT time = ResolveRegion(region::kTime, W(), H());
  const RECT seek = ResolveRegion(region::kSeekBar, W(), H());
  UnionRect(&expected, &time, &seek);
  const RECT pending = PendingRepaint();
  EXPECT_TRUE(EqualRect(&pending, &expected));
}

TEST_F(MainWindowTest, ListRepaintInCompactModeIsTheCompactLine) {
  g_settings.compact = 1;
  Recreate();
  ShowWindow(win().hwnd, SW_SHOWNOACTIVATE);
  ValidateRect(win().hwnd, nullptr);
  win().InvalidateRegion(region::kList);
  const RECT line = ResolveRegion(region::kCompactLine, W(), H());
  const RECT pending = PendingRepaint();
  EXPECT_TRUE(EqualRect(&pending, &line));
  ValidateRect(win().hwnd, nullptr);
  win().InvalidateRegion(region::kMove);
  const RECT none = PendingRepaint();
  EXPECT_TRUE(IsRectEmpty(&none));
}

TEST_F(MainWindowTest, TransportButtonsReachTheControllerAndTheHost) {
  AddRows(5);
  win().SetCurrentTrack(2, 200000);
  const int y = H() - 12;
  w->Click(W() - 140, y);  // previous
  w->Click(W() - 104, y);  // next
  w->Click(W() - 131, y);  // play
  w->Click(W() - 95, y);   // the unused button
  EXPECT_THAT(calls(), ElementsAre("JumpTo 1 0", "JumpTo 3 0", "PlayCurrentTrack"));
  w->Click(W() - 113, y);  // stop
  w->Click(W() - 122, y);  // pause
  EXPECT_THAT(g_host.commands, ElementsAre(kCommandStop, kCommandPause));
  EXPECT_FALSE(win().moving);
}

TEST_F(MainWindowTest, CloseCompactAndTimeActInBothModes) {
  ShowWindow(win().hwnd, SW_SHOWNOACTIVATE);
  w->Click(W() - 6, 6);
  EXPECT_FALSE(IsWindowVisible(win().hwnd));
  w->Click(W() - 16, 6);
  EXPECT_EQ(g_settings.compact, 1);
  EXPECT_EQ(H(), kCompactHeight);
  EXPECT_EQ(WindowRect().bottom - WindowRect().top, kCompactHeight);
  w->Click(W() - 70, 2);  // the time toggle reaches into the strip
  EXPECT_EQ(g_settings.CountUp, 0);
  w->Click(W() - 16, 6);  // the same button is in the strip too
  EXPECT_EQ(g_settings.compact, 0);
  w->Click(W() - 70, H() - 12);
  EXPECT_EQ(g_settings.CountUp, 1);
  EXPECT_EQ(H(), geometry::HeightOf(3));
  EXPECT_EQ(WindowRect().bottom - WindowRect().top, geometry::HeightOf(3));
}

TEST_F(MainWindowTest, ScrollButtonsMoveTheListByHalfAPage) {
  AddRows(20);
  w->FixRowHeight(8);  // 10 visible rows
  w->Click(W() - 10, H() - 30);  // scroll down
  EXPECT_EQ(list().topRow, 5);
  w->Click(W() - 10, H() - 34);  // scroll up
  EXPECT_EQ(list().topRow, 0);
}

TEST_F(MainWindowTest, ListClickSelectsAndDoubleClickPlays) {
  AddRows(5);
  w->FixRowHeight(10);
  w->Click(40, 23 + 10 * 3 + 2);
  EXPECT_EQ(list().selected, 3);
  w->Click(40, 23 + 10 * 6);  // below the last row
  EXPECT_EQ(list().selected, -1);
  w->Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 23 + 10 * 4 + 1));
  w->Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 23 + 10 * 7));  // no row there
  EXPECT_THAT(calls(), ElementsAre("JumpTo 4 0"));
  EXPECT_EQ(g_settings.compact, 0);
}

TEST_F(MainWindowTest, DoubleClickOnTheTitleBarFoldsAndAnywhereOnTheStripUnfolds) {
  w->Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(100, 13));
  EXPECT_EQ(g_settings.compact, 1);
  w->Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(W() - 140, 10));
  EXPECT_EQ(g_settings.compact, 0);
  w->Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(100, 14));  // below the title bar
  EXPECT_EQ(g_settings.compact, 0);
}

TEST_F(MainWindowTest, CompactStripIgnoresTransportListAndResizeAreasWithoutMoving) {
  AddRows(20);
  win().SetCurrentTrack(3, 200000);
  win().ToggleCompact();
  const int probes[][2] = {{W() - 140, 4}, {W() - 104, 4}, {W() - 131, 4}, {W() - 113, 4},
                           {W() - 122, 4}, {W() - 95, 4},  {W() - 5, 13}};
  for (const auto& p : probes) {
    w->Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p[0], p[1]));
    EXPECT_FALSE(win().moving) << p[0] << "," << p[1];
    EXPECT_FALSE(win().resizing);
    EXPECT_FALSE(win().seeking);
    EXPECT_NE(GetCapture(), win().hwnd);
    w->Send(WM_LBUTTONUP, 0, MAKELPARAM(p[0], p[1]));
  }
  EXPECT_THAT(calls(), IsEmpty());
  EXPECT_THAT(g_host.commands, IsEmpty());
  // Elsewhere on the strip a move starts as usual.
  w->Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 7));
  EXPECT_TRUE(win().moving);
  w->Send(WM_LBUTTONUP, 0, 0);
}

TEST_F(MainWindowTest, KeysPlayScrollSelectAndStep) {
  AddRows(20);
  w->FixRowHeight(8);
  win().SetCurrentTrack(6, 1000);
  list().SetSelection(2);
  w->Key(VK_RETURN);
  w->Key(VK_OEM_COMMA);
  w->Key(VK_OEM_PERIOD);
  EXPECT_THAT(calls(), ElementsAre("JumpTo 2 0", "JumpTo 5 0", "JumpTo 7 0"));
  w->Key(VK_NEXT);
  EXPECT_EQ(list().topRow, 5);
  w->Key(VK_PRIOR);
  EXPECT_EQ(list().topRow, 0);
  w->Key(VK_DOWN);
  EXPECT_EQ(list().selected, 3);
  w->Key(VK_UP);
  w->Key(VK_UP);
  EXPECT_EQ(list().selected, 1);
  w->Key('A');
  EXPECT_EQ(calls().size(), 3u);
}

TEST_F(MainWindowTest, AltMTogglesAndOtherSystemKeysAreRefused) {
  const LPARAM alt = 1 << 29;
  EXPECT_EQ(w->Send(WM_SYSKEYDOWN, 'M', alt), 0);
  EXPECT_EQ(w->Send(WM_SYSKEYDOWN, 'M', 0), -1);  // M without Alt
  EXPECT_EQ(w->Send(WM_SYSKEYDOWN, 'N', alt), -1);
  EXPECT_EQ(w->Send(WM_SYSKEYDOWN, VK_F4, alt), -1);
  EXPECT_THAT(calls(), ElementsAre("ToggleWindow"));
  EXPECT_TRUE(IsWindow(win().hwnd));  // Alt+F4 did not close it
  EXPECT_EQ(w->Send(WM_SIZE, 0, MAKELPARAM(10, 10)), -1);
}

TEST_F(MainWindowTest, WheelUpScrollsUpAndWheelDownOrZeroScrollsDown) {
  AddRows(30);
  w->FixRowHeight(8);
  w->Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  EXPECT_EQ(list().topRow, 5);
  w->Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 0), 0);
  EXPECT_EQ(list().topRow, 10);
  w->Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  EXPECT_EQ(list().topRow, 5);
}

TEST_F(MainWindowTest, ThumbDragFollowsTheMouseAndAboveTheWindowGoesToTheStart) {
  AddRows(20);
  w->FixRowHeight(8);  // track 69 pixels for top rows 0..10
  w->Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(W() - 11, 20 + 69));
  EXPECT_TRUE(win().thumbDragging);
  EXPECT_EQ(GetCapture(), win().hwnd);
  EXPECT_EQ(list().topRow, 10);
  w->Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(W() - 11, 20 + 35));
  EXPECT_EQ(list().topRow, 35 * 10 / 69);
  w->Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(W() - 11, static_cast<WORD>(-30)));
  EXPECT_EQ(list().topRow, 0);
  w->Send(WM_LBUTTONUP, 0, 0);
  EXPECT_FALSE(win().thumbDragging);
  EXPECT_NE(GetCapture(), win().hwnd);
}

TEST_F(MainWindowTest, SeekReleaseJumpsWithinTheCurrentTrack) {
  AddRows(3, 200000);
  win().SetCurrentTrack(1, 200000);
  const RECT r = WindowRect();
  const int barLeft = r.left + W() - 147;
  const int y = H() - 25;
  SetCursorPos(barLeft + 200, r.top + y);  // far right of the bar: held at 65
  w->Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(W() - 100, y));
  EXPECT_TRUE(win().seeking);
  EXPECT_EQ(win().seekPos, 65);
  w->Send(WM_LBUTTONUP, 0, 0);
  SetCursorPos(barLeft - 30, r.top + y);  // left of the bar: held at 0
  w->Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(W() - 100, y));
  EXPECT_EQ(win().seekPos, 0);
  w->Send(WM_LBUTTONUP, 0, 0);
  SetCursorPos(barLeft + 13, r.top + y);
  w->Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(W() - 100, y));
  SetCursorPos(barLeft + 26, r.top + y);
  w->Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(W() - 100, y));
  EXPECT_EQ(win().seekPos, 26);
  w->Send(WM_LBUTTONUP, 0, 0);
  EXPECT_FALSE(win().seeking);
  EXPECT_THAT(calls(), ElementsAre("JumpTo 1 200000", "JumpTo 1 0", "JumpTo 1 80000"));
}

TEST_F(MainWindowTest, SeekOnTracksOfManyHoursDoesNotWrap) {
  AddRows(1, 72000000u);  // 20 hours
  win().SetCurrentTrack(0, 72000000u);
  win().seeking = true;
  win().seekPos = 65;
  w->Send(WM_LBUTTONUP, 0, 0);
  EXPECT_THAT(calls(), ElementsAre("JumpTo 0 72000000"));
}

TEST_F(MainWindowTest, SeekBarIsInertWhileTheBarIsOff) {
  AddRows(3);
  g_settings.timebar = 0;
  w->Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(W() - 100, H() - 25));
  EXPECT_FALSE(win().seeking);
  EXPECT_FALSE(win().moving);
  w->Send(WM_LBUTTONUP, 0, 0);
  EXPECT_THAT(calls(), IsEmpty());
}

TEST_F(MainWindowTest, LosingTheMouseEndsADragWithoutItsAction) {
  AddRows(3, 200000);
  win().SetCurrentTrack(1, 200000);
  w->Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(W() - 100, H() - 25));
  ASSERT_TRUE(win().seeking);
  ReleaseCapture();  // as when another window takes the mouse before the button comes up
  EXPECT_FALSE(win().seeking);
  // The next click, on the list, ends with its own button-up, which must not seek.
  w->Click(40, 30);
  EXPECT_THAT(calls(), IsEmpty());

  // A move drag that lost the mouse does not drag the window along on later mouse moves.
  const RECT before = WindowRect();
  w->Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 8));
  ASSERT_TRUE(win().moving);
  ReleaseCapture();
  SetCursorPos(before.left + 200, before.top + 150);
  w->Send(WM_MOUSEMOVE, 0, MAKELPARAM(60, 8));
  EXPECT_EQ(WindowRect().left, before.left);
  EXPECT_EQ(WindowRect().top, before.top);
}

TEST_F(MainWindowTest, ResizeBeforeTheCornerGivesTheMinimumAndGrowingAddsWholeUnits) {
  win().SetSize(8, 5);
  SetWindowPos(win().hwnd, nullptr, 0, 0, W(), H(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT r = WindowRect();
  w->Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(W() - 5, H() - 5));
  ASSERT_TRUE(win().resizing);
  SetCursorPos(r.left - 10, r.top - 10);
  w->Send(WM_MOUSEMOVE, MK_LBUTTON, 0);
  EXPECT_EQ(WindowRect().right - WindowRect().left, 275);
  EXPECT_EQ(WindowRect().bottom - WindowRect().top, 116);
  EXPECT_EQ(g_settings.width, 5);
  EXPECT_EQ(g_settings.height, 2);
  SetCursorPos(r.left + 300, r.top + 200);  // (300 - 150) / 25 + 1 = 7, (200 - 58) / 29 + 1 = 5
  w->Send(WM_MOUSEMOVE, MK_LBUTTON, 0);
  EXPECT_EQ(g_settings.width, 7);
  EXPECT_EQ(g_settings.height, 5);
  EXPECT_EQ(WindowRect().right - WindowRect().left, geometry::WidthOf(7));
  EXPECT_EQ(WindowRect().bottom - WindowRect().top, geometry::HeightOf(5));
  EXPECT_EQ(list().windowWidth, geometry::WidthOf(7));
  SetCursorPos(r.left + 324, r.top + 202);  // one pixel short of the next unit each way
  w->Send(WM_MOUSEMOVE, MK_LBUTTON, 0);
  EXPECT_EQ(g_settings.width, 7);
  EXPECT_EQ(g_settings.height, 5);
  SetCursorPos(r.left + 325, r.top + 203);
  w->Send(WM_MOUSEMOVE, MK_LBUTTON, 0);
  EXPECT_EQ(g_settings.width, 8);
  EXPECT_EQ(g_settings.height, 6);
  w->Send(WM_LBUTTONUP, 0, 0);
  EXPECT_FALSE(win().resizing);
  EXPECT_EQ(WindowRect().left, r.left);  // the top-left corner stays
  EXPECT_EQ(WindowRect().top, r.top);
  // Far beyond 400 units each way (the window's corner moved off the screen so that the cursor can
  // lie that far from it): the drag stops at 400, as the settings loader does.
  w->Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(W() - 5, H() - 5));
  ASSERT_TRUE(win().resizing);
  SetWindowPos(win().hwnd, nullptr, -30000, -30000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_EQ(WindowRect().left, -30000);
  SetCursorPos(r.left, r.top);
  w->Send(WM_MOUSEMOVE, MK_LBUTTON, 0);
  w->Send(WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(g_settings.width, settings_defaults::kMaxWidth);
  EXPECT_EQ(g_settings.height, settings_defaults::kMaxHeight);
  // The window's own sizes (Wine keeps the real window within the screen's size).
  EXPECT_EQ(W(), geometry::WidthOf(400));
  EXPECT_EQ(H(), geometry::HeightOf(400));
  EXPECT_EQ(list().windowWidth, geometry::WidthOf(400));
}

class MainWindowSnapTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    PlaceSharedHost(200, 300);
  }
};

TEST_F(MainWindowSnapTest, MovingNearAHostCornerJoinsTheCornersAndDocks) {
  w->Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 8));
  EXPECT_EQ(GetCapture(), win().hwnd);
  SetCursorPos(204 + 100, 300 - H() + 6 + 8);  // bottom-left 4 and 6 pixels off the host's top-left
  w->Send(WM_MOUSEMOVE, MK_LBUTTON, 0);
  w->Send(WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(WindowRect().left, 200);
  EXPECT_EQ(WindowRect().top, 300 - H());
  EXPECT_EQ(g_settings.y, 300 - H());
  EXPECT_TRUE(win().IsDocked());
  EXPECT_EQ(win().dockOffsetX, 0);
  EXPECT_EQ(win().dockOffsetY, -H());
  EXPECT_FALSE(win().moving);
  SetCursorPos(704 + 100, 20 + 8);  // far from everything: free again
  w->Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 8));
  w->Send(WM_MOUSEMOVE, MK_LBUTTON, 0);
  w->Send(WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(g_settings.x, 704);
  EXPECT_EQ(g_settings.y, 20);
  EXPECT_FALSE(win().IsDocked());
}

TEST_F(MainWindowSnapTest, HiddenHostWindowsAreNotSnappedTo) {
  ParkSharedHost();
  HWND hiddenPlaylist = CreateHostWindow(kHostPlaylistClass, 200, 300, 275, 116);
  win().peWnd = hiddenPlaylist;
  const POINT p = win().Snap(204, 300 - H() + 6);
  EXPECT_EQ(p.x, 204);
  EXPECT_EQ(win().docked, 0);
  ShowWindow(hiddenPlaylist, SW_SHOWNOACTIVATE);
  EXPECT_EQ(win().Snap(204, 300 - H() + 6).x, 200);
  win().peWnd = nullptr;
  SetWindowPos(hiddenPlaylist, nullptr, -7000, -7000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TEST_F(MainWindowSnapTest, SnapOtherThanOneDocksOnlyOnContact) {
  WriteHostIni(kHostKeySnap, "0");
  POINT p = win().Snap(204, 300 - H() + 6);
  EXPECT_EQ(p.x, 204);
  EXPECT_EQ(p.y, 300 - H() + 6);
  EXPECT_EQ(win().docked, 0);
  p = win().Snap(475, 340);  // left edge on the host's right edge
  EXPECT_EQ(p.x, 475);
  EXPECT_EQ(win().docked, 1);
  EXPECT_EQ(win().dockOffsetX, 275);
  EXPECT_EQ(win().dockOffsetY, 40);
}

TEST_F(MainWindowSnapTest, SnapLengthComesFromTheHostIni) {
  WriteHostIni(kHostKeySnapLength, "3");
  POINT p = win().Snap(482, 340);  // 7 pixels away: too far now
  EXPECT_EQ(p.x, 482);
  p = win().Snap(477, 340);
  EXPECT_EQ(p.x, 475);
}

TEST_F(MainWindowSnapTest, IsDockedWorksItOutFromTheSavedPositionOnce) {
  g_settings.x = 475;
  g_settings.y = 300;
  Recreate();
  PlaceSharedHost(200, 300);
  ASSERT_EQ(win().docked, -1);
  EXPECT_TRUE(win().IsDocked());
  EXPECT_EQ(win().dockOffsetX, 275);
  EXPECT_EQ(win().dockOffsetY, 0);
  EXPECT_EQ(g_settings.x, 475);  // the position itself is not touched
  // Known from now on: a later look does not snap again.
  g_settings.x = 900;
  EXPECT_TRUE(win().IsDocked());
}

TEST_F(MainWindowTest, PopupCommandsGoToTheRowTheMenuWasOpenedOn) {
  AddRows(5);
  w->FixRowHeight(10);
  list().RunMenuCommand(listmenu::kOpenInMiniBrowser, 3, POINT{40, 60});
  list().RunMenuCommand(listmenu::kExtractBesideArchive, 3, POINT{40, 60});
  list().RunMenuCommand(listmenu::kExtractToDesktop, 1, POINT{40, 60});
  list().RunMenuCommand(listmenu::kPlay, 3, POINT{40, 23 + 10 * 2 + 5});  // plays the row at the point
  list().RunMenuCommand(listmenu::kExtractChosenFolder, 3, POINT{40, 60});
  list().RunMenuCommand(listmenu::kFileInfo, 3, POINT{40, 60});
  list().RunMenuCommand(0, 3, POINT{40, 60});  // dismissed
  list().RunMenuCommand(listmenu::kExtractToDesktop, -1, POINT{40, 60});
  list().RunMenuCommand(listmenu::kOpenInMiniBrowser, -1, POINT{40, 60});
  EXPECT_THAT(calls(), ElementsAre("OpenInMiniBrowser 3", "ExtractTrack 3 beside", "ExtractTrack 1 desktop",
                                   "JumpTo 2 0"));
}

TEST_F(MainWindowTest, WindowAndObjectLetGoOfEachOther) {
  ASSERT_TRUE(DestroyWindow(win().hwnd));
  EXPECT_EQ(win().hwnd, nullptr);
  auto object = std::make_unique<MainWindow>();
  HWND hwnd = CreateWindowExA(0, kMainWindowClass, "", WS_CLIPSIBLINGS, 0, 0, 300, 100, nullptr, nullptr,
                              GetModuleHandleA(nullptr), object.get());
  ASSERT_NE(hwnd, nullptr);
  object.reset();
  EXPECT_FALSE(IsWindow(hwnd));
}

}  // namespace

namespace {

int g_configurationOpened = 0;
void CountConfigurationOpening() { ++g_configurationOpened; }

// Keys waiting in the queue are what the menu's own loop reads once it is tracking.
void QueueMenuKeys(HWND hwnd, std::initializer_list<WPARAM> keys) {
  for (WPARAM key : keys) PostMessageA(hwnd, WM_KEYDOWN, key, 0);
}

TEST_F(MainWindowTest, SettingsMenuItemOpensTheConfiguration) {
  ShowWindow(win().hwnd, SW_SHOWNOACTIVATE);
  g_configurationOpened = 0;
  g_openConfiguration = &CountConfigurationOpening;
  QueueMenuKeys(win().hwnd, {VK_DOWN, VK_RETURN});
  w->Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 8));
  EXPECT_EQ(g_configurationOpened, 1);
  QueueMenuKeys(win().hwnd, {VK_ESCAPE});  // dismissed: nothing
  w->Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 8));
  EXPECT_EQ(g_configurationOpened, 1);
  g_openConfiguration = nullptr;  // no hook: the item does nothing
  QueueMenuKeys(win().hwnd, {VK_DOWN, VK_RETURN});
  w->Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 8));
  EXPECT_EQ(g_configurationOpened, 1);
  EXPECT_THAT(calls(), IsEmpty());
}

TEST_F(MainWindowTest, ListMenuSelectsTheRowAndPlaysTheRowUnderTheCursor) {
  AddRows(6);
  w->FixRowHeight(10);
  ShowWindow(win().hwnd, SW_SHOWNOACTIVATE);
  const RECT r = WindowRect();
  SetCursorPos(r.left + 40, r.top + 23 + 10 * 4 + 3);  // row 4
  QueueMenuKeys(win().hwnd, {VK_DOWN, VK_RETURN});  // the first item: play
  w->Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 23 + 10 * 4 + 3));
  EXPECT_EQ(list().selected, 4);
  EXPECT_THAT(calls(), ElementsAre("JumpTo 4 0"));
  QueueMenuKeys(win().hwnd, {VK_ESCAPE});
  w->Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 23 + 10 * 1 + 3));
  EXPECT_EQ(list().selected, 1);
  EXPECT_EQ(calls().size(), 1u);
}

}  // namespace
