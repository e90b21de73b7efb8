// The main window's mouse and keyboard: the action of each hit region, the four drags (move,
// resize, scroll thumb, seek thumb), the menus and the keys.
#include <algorithm>

#include "controller/TrackCommands.h"
#include "display/MainWindow.h"
#include "display/PopupMenu.h"
#include "plugin/HostPlayer.h"
#include "settings/Settings.h"

namespace {

constexpr int kMinWidthUnits = 5;
constexpr int kMinHeightUnits = 2;

POINT CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

}  // namespace

void MainWindow::OnLeftButtonDown(int x, int y) {
  const int hit = HitTest(x, y);
  switch (hit) {
    case region::kClose:
      ShowWindow(hwnd, SW_HIDE);
      return;
    case region::kCompact:
      ToggleCompact();
      return;
    case region::kMove:
      moving = true;
      grabX = x;
      grabY = y;
      SetCapture(hwnd);
      return;
    case region::kTime:
      g_settings.CountUp = !g_settings.CountUp;
      InvalidateRegion(region::kTime);
      return;
    default:
      break;
  }
  // The strip has room for nothing else: its transport and resize areas do nothing.
  if (g_settings.compact) return;
  const int current = GetCurrentTrack();
  switch (hit) {
    case region::kScrollDown:
      if (listView) listView->ScrollDown();
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case region::kScrollUp:
      if (listView) listView->ScrollUp();
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case region::kPrevious:
      if (commands) commands->JumpTo(current - 1, 0);
      break;
    case region::kNext:
      if (commands) commands->JumpTo(current + 1, 0);
      break;
    case region::kPlay:
      if (commands) commands->PlayCurrentTrack();
      break;
    case region::kStop:
      if (host) host->Stop();
      break;
    case region::kPause:
      if (host) host->Pause();
      break;
    case region::kResize:
      resizing = true;
      SetCapture(hwnd);
      break;
    case region::kList:
      if (listView) listView->OnClick(x, y);
      break;
    case region::kScrollBar:
      if (listView) listView->ThumbDrag(y - kListAreaTop);
      thumbDragging = true;
      SetCapture(hwnd);
      InvalidateRegion(region::kScrollBar);
      break;
    case region::kSeekBar:
      // Without the bar drawn there is nothing to drag.
      if (!g_settings.timebar) break;
      seeking = true;
      SetCapture(hwnd);
      UpdateSeekPos(CursorPos());
      InvalidateRegion(region::kSeekBar);
      break;
    default:  // the unused button
      break;
  }
}

void MainWindow::OnMouseMove(int y) {
  if (resizing) {
    ResizeTo(CursorPos());
  } else if (moving) {
    const POINT cursor = CursorPos();
    const POINT snapped = Snap(cursor.x - grabX, cursor.y - grabY);
    g_settings.x = snapped.x;
    g_settings.y = snapped.y;
    SetWindowPos(hwnd, nullptr, snapped.x, snapped.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else if (thumbDragging) {
    if (listView) listView->ThumbDrag(y - kListAreaTop);
  } else if (seeking) {
    UpdateSeekPos(CursorPos());
    InvalidateRegion(region::kSeekBar);
  }
}

void MainWindow::OnLeftButtonUp() {
  if (resizing || moving) {
    resizing = false;
    moving = false;
    ReleaseCapture();
  } else if (thumbDragging) {
    thumbDragging = false;
    ReleaseCapture();
    InvalidateRegion(region::kScrollBar);
  } else if (seeking) {
    seeking = false;
    ReleaseCapture();
    InvalidateRegion(region::kSeekBar);
    // The thumb's 66 positions map linearly onto the current track. Widened, so that tracks
    // longer than 18 hours do not wrap.
    const uint64_t offset = uint64_t{static_cast<uint32_t>(CurrentLengthSeconds())} *
                            static_cast<uint32_t>(seekPos) * 1000u / kSeekPositions;
    if (commands) commands->JumpTo(GetCurrentTrack(), static_cast<uint32_t>(offset));
  }
}

void MainWindow::AbandonDrag() {
  const bool thumbWasDragged = thumbDragging;
  const bool seekWasDragged = seeking;
  resizing = false;
  moving = false;
  thumbDragging = false;
  seeking = false;
  if (thumbWasDragged) InvalidateRegion(region::kScrollBar);
  if (seekWasDragged) InvalidateRegion(region::kSeekBar);
}

int MainWindow::CurrentLengthSeconds() const {
  if (!listView || !listView->IsRow(listView->current)) return 0;
  return static_cast<int>(listView->lengths[listView->current]);
}

void MainWindow::ResizeTo(POINT cursor) {
  RECT window{};
  GetWindowRect(hwnd, &window);
  const int dx = cursor.x - window.left;
  const int dy = cursor.y - window.top;
  using namespace geometry;
  // Capped as the settings loader caps them, so the next start shows the size the user left.
  const int widthUnits =
      dx < 0 ? kMinWidthUnits
             : std::clamp((dx - kBaseWidth) / kUnitWidth + 1, kMinWidthUnits, int{settings_defaults::kMaxWidth});
  const int heightUnits =
      dy < 0 ? kMinHeightUnits
             : std::clamp((dy - kBaseHeight) / kUnitHeight + 1, kMinHeightUnits, int{settings_defaults::kMaxHeight});
  if (widthUnits == g_settings.width && heightUnits == g_settings.height) return;
  SetSize(widthUnits, heightUnits);
  SetWindowPos(hwnd, nullptr, 0, 0, windowWidth, windowHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(hwnd, nullptr, FALSE);
}

void MainWindow::UpdateSeekPos(POINT cursor) {
  RECT window{};
  GetWindowRect(hwnd, &window);
  const int pos = cursor.x - window.left - (windowWidth - kSeekBarLeft);
  seekPos = std::min(std::max(pos, 0), kSeekPositions);
}

void MainWindow::OnLeftDoubleClick(int x, int y) {
  if (HitTest(x, y) == region::kList) {
    if (listView) listView->OnDoubleClick(x, y);
  } else if (y < kCompactHeight) {
    ToggleCompact();
  }
}

void MainWindow::OnRightButtonDown(int x, int y) {
  if (HitTest(x, y) == region::kList) {
    if (listView) listView->OnContextMenu(x, y);
  } else {
    ShowSettingsMenu();
  }
}

void MainWindow::ShowSettingsMenu() {
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  AppendMenuA(menu, MF_STRING, kSettingsMenuCommand, "設定");
  const POINT cursor = CursorPos();
  const int command = TrackPopupMenuHere(menu, cursor, hwnd);
  DestroyMenu(menu);
  if (command == kSettingsMenuCommand && g_openConfiguration) g_openConfiguration();
}

void MainWindow::OnKey(WPARAM key) {
  if (!listView) return;
  switch (key) {
    case VK_RETURN:
      if (commands) commands->JumpTo(listView->selected, 0);
      break;
    case VK_PRIOR:
      listView->ScrollUp();
      break;
    case VK_NEXT:
      listView->ScrollDown();
      break;
    case VK_UP:
      listView->SelectUp();
      break;
    case VK_DOWN:
      listView->SelectDown();
      break;
    case VK_OEM_COMMA:
      if (commands) commands->JumpTo(listView->current - 1, 0);
      break;
    case VK_OEM_PERIOD:
      if (commands) commands->JumpTo(listView->current + 1, 0);
      break;
    default:
      break;
  }
}

LRESULT MainWindow::OnSystemKey(WPARAM key, LPARAM flags) {
  if (key == 'M' && (HIWORD(flags) & KF_ALTDOWN)) {
    if (commands) commands->ToggleWindow();
    return 0;
  }
  return -1;  // no default processing: the window has no system menu to open
}
