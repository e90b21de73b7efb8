#include "display/HostDock.h"

#include <cstdint>

#include "controller/TrackCommands.h"
#include "display/HostWindows.h"
#include "display/MainWindow.h"
#include "display/Snap.h"
#include "plugin/HostInterface.h"
#include "settings/Settings.h"

namespace {

constexpr WPARAM kKeyM = 'M';
// The item of the host's main popup menu that shows or hides the plug-in window.
constexpr char kWindowMenuText[] = "zip.mp3 トラックリスト(&Z)";

// The dock whose window follows a skin frame; the location-change hook carries no data of its own.
HostDock* g_frameDock = nullptr;

// One intercepted host window. Plain data in static storage: it must stay valid, without any
// destructor running, for as long as a host window may call one of our procedures.
struct Interception {
  HWND window;    // null: a free row
  WNDPROC saved;  // the window's procedure before ours
  WNDPROC ours;
  HostDock* dock;  // null once the plug-in has let go: every message passes on
  // A Unicode window is replaced, called and given back through the W functions: through the A
  // ones the system would pass every text of the window through the ANSI code page and back.
  bool unicode;
};

// Four host windows; room to spare for rows left behind by a shut-down that had to pin us.
Interception g_table[8];

Interception* Find(HWND window) {
  if (window == nullptr) return nullptr;
  for (Interception& row : g_table)
    if (row.window == window) return &row;
  return nullptr;
}

bool IsOurs(WNDPROC procedure) {
  return procedure == &HostDock::HostMainProc || procedure == &HostDock::EqProc || procedure == &HostDock::PeProc ||
         procedure == &HostDock::MbProc;
}

WNDPROC CurrentProcedure(HWND window, bool unicode) {
  return reinterpret_cast<WNDPROC>(unicode ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                           : GetWindowLongPtrA(window, GWLP_WNDPROC));
}

LONG_PTR SetProcedure(HWND window, bool unicode, WNDPROC procedure) {
  const auto value = reinterpret_cast<LONG_PTR>(procedure);
  return unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, value) : SetWindowLongPtrA(window, GWLP_WNDPROC, value);
}

// Keeps this module loaded until the process ends, so a procedure of ours that another
// subclasser still calls never points into unloaded code.
void PinModule() {
  HMODULE module = nullptr;
  const auto address = reinterpret_cast<LPCSTR>(&g_table);
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, address, &module)) {
    // A reference that is never released has the same effect.
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, address, &module);
  }
}

}  // namespace

struct HostDockDispatch {
  static LRESULT Intercept(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Interception* row = Find(hwnd);
    if (row == nullptr) {
      return IsWindowUnicode(hwnd) ? DefWindowProcW(hwnd, message, wParam, lParam)
                                   : DefWindowProcA(hwnd, message, wParam, lParam);
    }
    const WNDPROC saved = row->saved;
    const bool unicode = row->unicode;
    if (message == WM_NCDESTROY) {
      // The handle may be reused for another window: the row goes with this one.
      if (row->dock) row->dock->Forget(hwnd);
      *row = Interception{};
    } else if (row->dock) {
      // The host calls this procedure: nothing may be thrown back into it.
      try {
        LRESULT result = 0;
        if (row->dock->Handle(hwnd, message, wParam, lParam, &result)) return result;
      } catch (...) {
      }
    }
    return unicode ? CallWindowProcW(saved, hwnd, message, wParam, lParam)
                   : CallWindowProcA(saved, hwnd, message, wParam, lParam);
  }
};

LRESULT CALLBACK HostDock::HostMainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return HostDockDispatch::Intercept(hwnd, message, wParam, lParam);
}
LRESULT CALLBACK HostDock::EqProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return HostDockDispatch::Intercept(hwnd, message, wParam, lParam);
}
LRESULT CALLBACK HostDock::PeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return HostDockDispatch::Intercept(hwnd, message, wParam, lParam);
}
LRESULT CALLBACK HostDock::MbProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return HostDockDispatch::Intercept(hwnd, message, wParam, lParam);
}

HostDock::HostDock(MainWindow& owner, TrackCommands& commands) : owner(owner), commands(commands) {}

HostDock::~HostDock() { Detach(); }

void HostDock::Attach(HWND hostWindow) {
  hostWnd = hostWindow;
  eqWnd = FindHostWindow(owner.host, HostWindowKind::Equalizer);
  peWnd = FindHostWindow(owner.host, HostWindowKind::Playlist);
  mbWnd = FindHostWindow(owner.host, HostWindowKind::MiniBrowser);
  const HWND windows[] = {hostWnd, eqWnd, peWnd, mbWnd};
  const WNDPROC procedures[] = {&HostDock::HostMainProc, &HostDock::EqProc, &HostDock::PeProc, &HostDock::MbProc};
  WNDPROC saved[4] = {};
  bool unicode[4] = {};
  for (int i = 0; i < 4; ++i) {
    unicode[i] = windows[i] != nullptr && IsWindowUnicode(windows[i]);
    saved[i] = windows[i] ? CurrentProcedure(windows[i], unicode[i]) : nullptr;
  }

  for (int i = 0; i < 4; ++i) {
    if (saved[i] == nullptr) continue;
    if (Interception* left = Find(windows[i])) {
      // Still in the window's chain from an earlier start-up that had to leave it there: take it
      // up again rather than stack a second interception on the same window.
      if (left->dock == nullptr) left->dock = this;
      continue;
    }
    if (IsOurs(saved[i])) continue;  // never our own procedure as the one to pass on to
    Interception* row = nullptr;
    for (Interception& candidate : g_table) {
      if (candidate.window == nullptr) {
        row = &candidate;
        break;
      }
    }
    if (row == nullptr) continue;
    // The row is ready before the procedure is replaced, so no message can miss it.
    *row = Interception{windows[i], saved[i], procedures[i], this, unicode[i]};
    SetLastError(0);
    if (SetProcedure(windows[i], unicode[i], procedures[i]) == 0 && GetLastError() != 0) {
      *row = Interception{};
    }
  }
  AddMenuItem();
  RECT main;
  if (hostWnd && GetWindowRect(hostWnd, &main) && IsMainWindowSeen(hostWnd, main.top)) {
    mainRect_ = main;
    mainRectKnown_ = true;
  }
  // Under a modern skin a window saved against a frame follows it from the start.
  if (!ModernSkinFrames(hostWnd, {hostWnd, eqWnd, peWnd, mbWnd, owner.hwnd}).empty()) owner.IsDocked();
}

void HostDock::Detach() {
  RemoveMenuItem();
  if (frameHook_ != nullptr) UnhookWinEvent(frameHook_);
  frameHook_ = nullptr;
  if (g_frameDock == this) g_frameDock = nullptr;
  bool pin = false;
  for (Interception& row : g_table) {
    if (row.window == nullptr || row.dock != this) continue;
    row.dock = nullptr;
    if (!IsWindow(row.window)) {
      row = Interception{};
      continue;
    }
    if (CurrentProcedure(row.window, row.unicode) == row.ours && SetProcedure(row.window, row.unicode, row.saved) != 0) {
      row = Interception{};
      continue;
    }
    pin = true;  // someone replaced the procedure after us and may call ours at any time
  }
  if (pin) PinModule();
  hostWnd = eqWnd = peWnd = mbWnd = nullptr;
}

bool HostDock::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_MOVE:
      // Moves of the equalizer, playlist editor or MiniBrowser alone are not followed.
      if (window == hostWnd) Follow(lParam);
      return false;
    case WM_WINDOWPOSCHANGED:
      if (window == hostWnd) FollowResize();
      return false;
    case WM_INITMENUPOPUP:
      if (menu_ != nullptr && reinterpret_cast<HMENU>(wParam) == menu_) SyncMenuCheck(owner.IsShown());
      return false;
    case WM_COMMAND:
      if (window == hostWnd && menuCommand_ != 0 && LOWORD(wParam) == menuCommand_ && lParam == 0) {
        commands.ToggleWindow();
        *result = 0;
        return true;
      }
      return false;
    case WM_KEYDOWN:
      if (wParam == VK_OEM_COMMA || wParam == VK_OEM_PERIOD) {
        // Also with no archive open: the host never sees these two keys.
        commands.JumpTo(owner.GetCurrentTrack() + (wParam == VK_OEM_COMMA ? -1 : 1), 0);
        *result = 0;
        return true;
      }
      return false;
    case WM_SYSKEYDOWN:
      if (wParam == kKeyM && (HIWORD(lParam) & KF_ALTDOWN)) {
        commands.ToggleWindow();
        *result = 0;
        return true;
      }
      return false;
    default:
      return false;
  }
}

void HostDock::Follow(LPARAM position) {
  // The client origin in two signed 16-bit words: a host window left of or above the screen's
  // corner has negative coordinates.
  const int hostX = static_cast<int16_t>(LOWORD(position));
  const int hostY = static_cast<int16_t>(HIWORD(position));
  // Minimised, turned off, parked above the screen or transparent under a modern skin: the user
  // does not see the main window go there, and the window stays where it is.
  if (!IsMainWindowSeen(hostWnd, hostY)) return;
  if (!owner.IsDocked() || owner.dockFrame != nullptr) return;
  // Asked last: only a docked window has anything to lose to a move of a turned-off main window.
  if (owner.host != nullptr && !owner.host->IsMainWindowShown()) return;
  const int x = hostX + owner.dockOffsetX;
  const int y = hostY + owner.dockOffsetY;
  g_settings.x = x;
  g_settings.y = y;
  SetWindowPos(owner.hwnd, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void HostDock::FollowResize() {
  RECT now;
  if (hostWnd == nullptr || !GetWindowRect(hostWnd, &now)) return;
  // A minimised or parked main window changes size too; only a size the user sees counts. Moves
  // and z-order changes pass here often, so the host is asked (message 900) only about a new size.
  if (!IsMainWindowSeen(hostWnd, now.top)) return;
  const bool resized = !mainRectKnown_ || now.right - now.left != mainRect_.right - mainRect_.left ||
                       now.bottom - now.top != mainRect_.bottom - mainRect_.top;
  if (resized && owner.host != nullptr && !owner.host->IsMainWindowShown()) return;
  const RECT before = mainRect_;
  const bool known = mainRectKnown_;
  mainRect_ = now;
  mainRectKnown_ = true;
  const int dw = (now.right - now.left) - (before.right - before.left);
  const int dh = (now.bottom - now.top) - (before.bottom - before.top);
  if (!known || (dw == 0 && dh == 0) || owner.hwnd == nullptr) return;
  if (!owner.IsDocked() || owner.dockFrame != nullptr) return;
  // The host's other windows are still where they were docked before the change.
  RECT others[3];
  size_t count = 0;
  for (HWND window : {eqWnd, peWnd, mbWnd})
    if (IsSeenTopLevel(window) && GetWindowRect(window, &others[count])) ++count;
  RECT own;
  POINT shift;
  if (!GetWindowRect(owner.hwnd, &own) || !DockedResizeShift(before, dw, dh, others, count, own, &shift)) return;
  owner.dockOffsetX += shift.x;
  owner.dockOffsetY += shift.y;
  g_settings.x = own.left + shift.x;
  g_settings.y = own.top + shift.y;
  SetWindowPos(owner.hwnd, nullptr, g_settings.x, g_settings.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void HostDock::FollowFrames() {
  g_frameDock = this;
  if (frameHook_ != nullptr || hostWnd == nullptr) return;
  DWORD process = 0;
  const DWORD thread = GetWindowThreadProcessId(hostWnd, &process);
  // Out of context: the callback runs on this thread, from its message loop, and no code of ours
  // is put into another process.
  frameHook_ = SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE, nullptr,
                               &HostDock::OnLocationChange, process, thread, WINEVENT_OUTOFCONTEXT);
}

void CALLBACK HostDock::OnLocationChange(HWINEVENTHOOK /*hook*/, DWORD event, HWND window, LONG object, LONG child,
                                         DWORD /*thread*/, DWORD /*time*/) {
  HostDock* dock = g_frameDock;
  // Also the cursor and every control report here: only the docked frame's own moves count.
  if (dock == nullptr || event != EVENT_OBJECT_LOCATIONCHANGE || object != OBJID_WINDOW || child != CHILDID_SELF ||
      window == nullptr || window != dock->owner.dockFrame) {
    return;
  }
  try {
    dock->FollowFrame(window);
  } catch (...) {
  }
}

void HostDock::FollowFrame(HWND frame) {
  RECT rect, own;
  if (owner.hwnd == nullptr || !IsSeenTopLevel(frame) || !GetWindowRect(frame, &rect) ||
      !GetWindowRect(owner.hwnd, &own)) {
    return;
  }
  const int x = rect.left + owner.dockOffsetX;
  const int y = rect.top + owner.dockOffsetY;
  if (x == own.left && y == own.top) return;
  g_settings.x = x;
  g_settings.y = y;
  SetWindowPos(owner.hwnd, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void HostDock::AddMenuItem() {
  if (owner.host == nullptr || menu_ != nullptr) return;
  const HMENU menu = owner.host->GetMainMenu();
  if (menu == nullptr) return;
  UINT command = owner.host->NewCommandId();
  if (command == 0) command = kFixedWindowMenuCommand;
  if (GetMenuState(menu, command, MF_BYCOMMAND) != static_cast<UINT>(-1)) return;  // taken: leave the menu alone
  // Above the menu's last separator (before Exit), else at its end.
  const int count = GetMenuItemCount(menu);
  int position = count < 0 ? 0 : count;
  for (int i = count - 1; i >= 0; --i) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE;
    if (GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item) && (item.fType & MFT_SEPARATOR)) {
      position = i;
      break;
    }
  }
  const UINT flags = MF_BYPOSITION | MF_STRING | (owner.IsShown() ? MF_CHECKED : MF_UNCHECKED);
  if (InsertMenuA(menu, static_cast<UINT>(position), flags, command, kWindowMenuText)) {
    menu_ = menu;
    menuCommand_ = command;
  }
}

void HostDock::RemoveMenuItem() {
  if (menu_ != nullptr && IsMenu(menu_)) RemoveMenu(menu_, menuCommand_, MF_BYCOMMAND);
  menu_ = nullptr;
  menuCommand_ = 0;
}

void HostDock::SyncMenuCheck(bool shown) {
  if (menu_ != nullptr && IsMenu(menu_))
    CheckMenuItem(menu_, menuCommand_, MF_BYCOMMAND | (shown ? MF_CHECKED : MF_UNCHECKED));
}

void HostDock::Forget(HWND window) {
  // Only the window being destroyed is forgotten: the others keep their keys.
  for (HWND* known : {&hostWnd, &eqWnd, &peWnd, &mbWnd})
    if (*known == window) *known = nullptr;
}
