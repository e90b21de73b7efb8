// What becomes of the player's main window: hidden, minimised, shaded, doubled, or left
// transparent behind a modern skin's frames; and the accelerator that minimises it.
#include <string>
#include <vector>

#include "host/HostApp.h"
#include "host/WindowSnap.h"

namespace host {
namespace {

constexpr int kNormalWidth = 275;
constexpr int kNormalHeight = 116;
constexpr int kShadeHeight = 14;
constexpr int kPlaylistHeight = 232;
// Where the player puts a main window the user turned off, and Windows a minimised one.
constexpr int kHiddenTop = -30000;
constexpr int kIconicPlace = -32000;
constexpr char kFrameClass[] = "trackcase frame";

RECT PlaceOf(HWND hwnd) {
  RECT r = {};
  GetWindowRect(hwnd, &r);
  return r;
}

void MoveTo(HWND hwnd, int x, int y) {
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string ClassOf(HWND hwnd) {
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  return cls;
}

}  // namespace

bool HostApp::MainWindowAction(const std::string& action, std::string& why) {
  if (!main_) {
    why = "no main window";
    return false;
  }
  const bool iconic = IsIconic(main_) != FALSE;
  if (iconic && action != "restore") {
    why = "the main window is minimised";
    return false;
  }
  if (action == "hide" || action == "show") {
    const bool hide = action == "hide";
    if (hide == mainHidden_) {
      why = std::string("the main window is already ") + (hide ? "hidden" : "shown");
      return false;
    }
    if (hide) {
      const RECT r = PlaceOf(main_);
      mainShownAt_ = {r.left, r.top};
      MoveTo(main_, r.left, kHiddenTop);
    } else {
      MoveTo(main_, mainShownAt_.x, mainShownAt_.y);
    }
    mainHidden_ = hide;
  } else if (action == "minimise") {
    MinimiseMain();
  } else if (action == "restore") {
    if (!iconic) {
      why = "the main window is not minimised";
      return false;
    }
    RestoreMain();
  } else if (action == "shade" || action == "unshade") {
    ResizeMain(action == "shade", double_);
  } else if (action == "double" || action == "single") {
    ResizeMain(shaded_, action == "double");
  } else {
    why = "unknown action " + action;
    return false;
  }
  Note("main window " + action);
  return true;
}

void HostApp::MinimiseMain() {
  ShowWindow(main_, SW_MINIMIZE);
  // Windows puts a minimised top-level window at (-32000, -32000) and hides the windows it owns
  // until it is restored; Wine leaves it at an icon place on the screen and them shown.
  const RECT r = PlaceOf(main_);
  if (r.left != kIconicPlace || r.top != kIconicPlace) MoveTo(main_, kIconicPlace, kIconicPlace);
  ShowOwnedPopups(main_, FALSE);
}

void HostApp::RestoreMain() {
  ShowWindow(main_, SW_RESTORE);
  ShowOwnedPopups(main_, TRUE);  // only those hidden by the minimising come back
}

void HostApp::ResizeMain(bool shaded, bool twice) {
  const RECT before = PlaceOf(main_);
  const int scale = twice ? 2 : 1;
  const int width = kNormalWidth * scale;
  const int height = (shaded ? kShadeHeight : kNormalHeight) * scale;
  const int dw = width - (before.right - before.left);
  const int dh = height - (before.bottom - before.top);
  // The top-left corner stays, so the main window gets no WM_MOVE.
  SetWindowPos(main_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  shaded_ = shaded;
  double_ = twice;
  // The player's own windows docked to it follow; plug-in windows are left to their plug-ins.
  std::vector<HWND> windows;
  std::vector<Box> boxes;
  for (HWND w : {eq_, pe_, mb_}) {
    if (!w || !IsWindowVisible(w) || (GetWindowLongA(w, GWL_STYLE) & WS_CHILD)) continue;
    const RECT r = PlaceOf(w);
    windows.push_back(w);
    boxes.push_back({r.left, r.top, r.right, r.bottom});
  }
  const std::vector<Shift> shifts =
      DockedShifts({before.left, before.top, before.right, before.bottom}, dw, dh, boxes);
  for (size_t i = 0; i < windows.size(); ++i)
    if (shifts[i].dx != 0 || shifts[i].dy != 0)
      MoveTo(windows[i], boxes[i].left + shifts[i].dx, boxes[i].top + shifts[i].dy);
}

void HostApp::PlayModernSkin() {
  if (modern_) return;
  modern_ = true;
  const DWORD style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VISIBLE;
  frame_ = CreateWindowExA(0, kFrameClass, "trackcase", style, 0, 0, kNormalWidth, kNormalHeight, nullptr, nullptr,
                           instance_, this);
  peFrame_ = CreateWindowExA(0, kFrameClass, "trackcase playlist", style, 0, kNormalHeight, kNormalWidth,
                             kPlaylistHeight, nullptr, nullptr, instance_, this);
  if (pe_ && peFrame_) {
    const LONG_PTR peStyle = GetWindowLongPtrA(pe_, GWL_STYLE);
    SetWindowLongPtrA(pe_, GWL_STYLE, (peStyle & ~static_cast<LONG_PTR>(WS_POPUP)) | WS_CHILD);
    SetParent(pe_, peFrame_);
    SetWindowPos(pe_, nullptr, 0, 0, kNormalWidth, kPlaylistHeight, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  if (eq_) ShowWindow(eq_, SW_HIDE);
  SetWindowLongPtrA(main_, GWL_EXSTYLE, GetWindowLongPtrA(main_, GWL_EXSTYLE) | WS_EX_LAYERED);
  SetLayeredWindowAttributes(main_, 0, 0, LWA_ALPHA);
  const RECT r = PlaceOf(main_);
  MoveTo(main_, r.left, kHiddenTop);
  Note("modern skin: frames made, classic main window transparent");
}

void HostApp::FollowFrame() {
  if (!frame_ || !main_) return;
  MONITORINFO mi = {};
  mi.cbSize = sizeof mi;
  if (!GetMonitorInfoA(MonitorFromWindow(frame_, MONITOR_DEFAULTTONEAREST), &mi)) return;
  // Its top edge on the monitor's last row.
  MoveTo(main_, mi.rcMonitor.left, mi.rcMonitor.bottom - 1);
}

bool HostApp::TakeAccelerator(const MSG& msg) {
  // Posted keys leave GetKeyState alone, so the Alt bit of the message itself decides.
  if (!line_.fiveLine || msg.message != WM_SYSKEYDOWN || msg.wParam != 'M' || !(msg.lParam & (1 << 29))) return false;
  if (!msg.hwnd || (msg.hwnd != main_ && msg.hwnd != eq_ && msg.hwnd != pe_)) return false;
  Note("host accelerator Alt+M in " + ClassOf(msg.hwnd) + ": minimise");
  if (!IsIconic(main_)) MinimiseMain();
  return true;
}

}  // namespace host
