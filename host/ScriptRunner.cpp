#include "host/ScriptRunner.h"

#include <cstdlib>

#include "host/AnsiText.h"
#include "host/Capture.h"
#include "host/HostApp.h"

namespace host {
namespace {

// Real time given to the plug-in after each input command, so its handlers run before the next.
constexpr uint32_t kSettleMs = 60;
// After advance, long enough for at least two ticks of a 100 ms timer.
constexpr uint32_t kAdvancePumpMs = 250;

bool IsSetupCommand(const std::string& name) {
  return name == "log" || name == "mark" || name == "skin" || name == "load" || name == "add" || name == "select" ||
         name == "player5" || name == "player501" || name == "modern" || name == "decoys";
}

LPARAM KeyLParam(uint32_t vk, bool up, bool alt) {
  const UINT scan = MapVirtualKeyA(vk, 0);
  LPARAM lp = 1 | (static_cast<LPARAM>(scan & 0xFF) << 16);
  if (alt) lp |= 1 << 29;
  if (up) lp |= static_cast<LPARAM>(0xC0000000u);
  return lp;
}


LPARAM PointLParam(POINT client) { return MAKELPARAM(static_cast<WORD>(client.x), static_cast<WORD>(client.y)); }

}  // namespace

ScriptRunner::ScriptRunner(HostApp& app, std::string scriptFolder)
    : app_(app), folder_(std::move(scriptFolder)), modal_([&app](const std::string& n) { app.Note(n); }) {}

int ScriptRunner::Run(const std::vector<ScriptCommand>& commands) {
  modal_.Start();
  for (const ScriptCommand& cmd : commands) {
    if (!pluginsLoaded_ && !IsSetupCommand(cmd.name)) {
      pluginsLoaded_ = true;
      app_.LoadPlugins();
      Pump(kSettleMs);
    }
    if (!Execute(cmd)) failed_ = true;
    Pump(0);
    if (quit_) break;
  }
  if (!pluginsLoaded_) app_.LoadPlugins();
  if (!quit_) app_.Note("script ended without quit");
  app_.Shutdown();
  return failed_ ? 1 : 0;
}

void ScriptRunner::Fail(const ScriptCommand& cmd, const std::string& why) {
  app_.Note("error at line " + std::to_string(cmd.line) + " (" + cmd.name + "): " + why);
  failed_ = true;
}

std::string ScriptRunner::Resolve(const std::string& path) const {
  const bool absolute = (path.size() >= 2 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
  return absolute || folder_.empty() ? path : folder_ + "\\" + path;
}

void ScriptRunner::Pump(uint32_t ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        quit_ = true;
        return;
      }
      if (app_.TakeAccelerator(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= ms) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
  }
}

HWND ScriptRunner::Target(const std::string& role, std::string& error) {
  WindowRole r;
  if (!ParseWindowRole(role, r)) {
    error = "unknown window '" + role + "'";
    return nullptr;
  }
  HWND hwnd = app_.Window(r);
  if (!hwnd) error = "window '" + role + "' does not exist";
  return hwnd;
}

bool ScriptRunner::SendKey(HWND target, uint32_t vk, bool system) {
  const UINT down = system ? WM_SYSKEYDOWN : WM_KEYDOWN;
  const UINT up = system ? WM_SYSKEYUP : WM_KEYUP;
  PostMessageA(target, down, vk, KeyLParam(vk, false, system));
  Pump(kSettleMs);
  PostMessageA(target, up, vk, KeyLParam(vk, true, system));
  Pump(kSettleMs);
  return true;
}

bool ScriptRunner::SendMouse(const ScriptCommand& cmd) {
  std::string error;
  HWND hwnd = Target(cmd.args[0], error);
  int32_t x = 0, y = 0;
  if (!hwnd || !ParseInt32(cmd.args[1], x) || !ParseInt32(cmd.args[2], y)) {
    Fail(cmd, error.empty() ? "bad coordinates" : error);
    return false;
  }
  POINT client = {x, y};
  POINT screen = client;
  ClientToScreen(hwnd, &screen);
  SetCursorPos(screen.x, screen.y);
  Pump(0);
  const LPARAM lp = PointLParam(client);
  // Press and release are delivered apart, so a modal loop opened by the press (a popup menu)
  // does not receive the release.
  if (cmd.name == "rclick") {
    PostMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, lp);
    Pump(kSettleMs);
    PostMessageA(hwnd, WM_RBUTTONUP, 0, lp);
  } else {
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, lp);
    Pump(kSettleMs);
    PostMessageA(hwnd, WM_LBUTTONUP, 0, lp);
    if (cmd.name == "dblclick") {
      Pump(0);
      PostMessageA(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, lp);
      Pump(0);
      PostMessageA(hwnd, WM_LBUTTONUP, 0, lp);
    }
  }
  Pump(kSettleMs);
  return true;
}

bool ScriptRunner::Drag(const ScriptCommand& cmd) {
  std::string error;
  HWND hwnd = Target(cmd.args[0], error);
  int32_t v[4] = {};
  uint32_t steps = 4;
  bool ok = hwnd != nullptr;
  for (int i = 0; ok && i < 4; ++i) ok = ParseInt32(cmd.args[1 + i], v[i]);
  if (ok && cmd.args.size() > 5) ok = ParseUint32(cmd.args[5], steps) && steps >= 1 && steps <= 1000;
  if (!ok) {
    Fail(cmd, error.empty() ? "bad coordinates" : error);
    return false;
  }
  // Screen positions are fixed at the start; the window may move under the cursor.
  POINT from = {v[0], v[1]}, to = {v[2], v[3]};
  ClientToScreen(hwnd, &from);
  ClientToScreen(hwnd, &to);
  auto at = [&](POINT screen) {
    SetCursorPos(screen.x, screen.y);
    POINT client = screen;
    ScreenToClient(hwnd, &client);
    return PointLParam(client);
  };
  PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at(from));
  Pump(kSettleMs);
  for (uint32_t i = 1; i <= steps; ++i) {
    POINT p = {from.x + static_cast<LONG>((to.x - from.x) * static_cast<int64_t>(i) / steps),
               from.y + static_cast<LONG>((to.y - from.y) * static_cast<int64_t>(i) / steps)};
    PostMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, at(p));
    Pump(kSettleMs);
  }
  PostMessageA(hwnd, WM_LBUTTONUP, 0, at(to));
  Pump(kSettleMs);
  return true;
}

bool ScriptRunner::Execute(const ScriptCommand& cmd) {
  const std::string& n = cmd.name;
  const auto& a = cmd.args;
  PlayClock& clock = app_.Clock();
  uint32_t u = 0;
  if (n == "log") {
    if (!app_.Log().Open(Resolve(a[0]))) {
      Fail(cmd, "cannot write " + a[0]);
      return false;
    }
    app_.Note("log opened");
    return true;
  }
  if (n == "mark") {
    std::string text;
    for (const std::string& w : a) text += (text.empty() ? "" : " ") + w;
    app_.Note("mark " + text);
    return true;
  }
  if (n == "player5" || n == "player501" || n == "modern") {
    if (pluginsLoaded_) {
      Fail(cmd, n + " must come before the plug-ins are loaded");
      return false;
    }
    if (n == "modern")
      app_.PlayModernSkin();
    else
      app_.PlayFiveLine(Resolve(a[0]), n == "player5" ? kLineFive : kLineFiveEarly);
    return true;
  }
  if (n == "mainwin") {
    std::string why;
    if (!app_.MainWindowAction(a[0], why)) {
      Fail(cmd, why);
      return false;
    }
    Pump(kSettleMs);
    return true;
  }
  if (n == "decoys") {
    app_.MakeDecoys();
    return true;
  }
  if (n == "title") {
    std::string error;
    const HWND hwnd = Target(a[0], error);
    if (!hwnd) {
      Fail(cmd, error);
      return false;
    }
    SetWindowTextW(hwnd, Utf8ToWide(a[1]).c_str());
    return true;
  }
  if (n == "load" || n == "add") {
    std::vector<std::string> files;
    for (const std::string& f : a) files.push_back(Resolve(f));
    if (n == "load")
      app_.LoadPlaylist(files);
    else
      app_.AddToPlaylist(files);
    return true;
  }
  if (n == "select") {
    if (!ParseUint32(a[0], u) || u > 0x7FFFFFFF || !clock.Select(static_cast<int>(u))) {
      Fail(cmd, "no playlist entry " + a[0]);
      return false;
    }
  } else if (n == "play") {
    clock.Play();
  } else if (n == "pause") {
    clock.TogglePause();
  } else if (n == "stop") {
    clock.Stop();
  } else if (n == "next") {
    clock.Next();
  } else if (n == "prev") {
    clock.Previous();
  } else if (n == "seek") {
    if (!ParseUint32(a[0], u)) {
      Fail(cmd, "bad time");
      return false;
    }
    clock.Seek(u);
  } else if (n == "advance") {
    uint32_t pump = kAdvancePumpMs;
    if (!ParseUint32(a[0], u) || (a.size() > 1 && !ParseUint32(a[1], pump))) {
      Fail(cmd, "bad time");
      return false;
    }
    clock.Advance(u);
    app_.Refresh();
    Pump(pump);
    return true;
  } else if (n == "pump") {
    if (!ParseUint32(a[0], u)) {
      Fail(cmd, "bad time");
      return false;
    }
    Pump(u);
    return true;
  } else if (n == "key" || n == "syskey") {
    std::string error;
    HWND hwnd = Target(a[0], error);
    if (!hwnd || !ParseVirtualKey(a[1], u)) {
      Fail(cmd, error.empty() ? "bad key " + a[1] : error);
      return false;
    }
    return SendKey(hwnd, u, n == "syskey");
  } else if (n == "click" || n == "dblclick" || n == "rclick") {
    return SendMouse(cmd);
  } else if (n == "drag") {
    return Drag(cmd);
  } else if (n == "wheel") {
    std::string error;
    HWND hwnd = Target(a[0], error);
    int32_t delta = 0;
    if (!hwnd || !ParseInt32(a[1], delta) || delta < -32768 || delta > 32767) {
      Fail(cmd, error.empty() ? "bad distance" : error);
      return false;
    }
    POINT pt;
    GetCursorPos(&pt);
    PostMessageA(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<int16_t>(delta))),
                 MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
    Pump(kSettleMs);
    return true;
  } else if (n == "move") {
    std::string error;
    HWND hwnd = Target(a[0], error);
    int32_t x = 0, y = 0;
    if (!hwnd || !ParseInt32(a[1], x) || !ParseInt32(a[2], y)) {
      Fail(cmd, error.empty() ? "bad position" : error);
      return false;
    }
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump(kSettleMs);
    return true;
  } else if (n == "skin") {
    if (!app_.SelectSkin(a[0])) {
      Fail(cmd, "no skin " + a[0]);
      return false;
    }
  } else if (n == "capture") {
    std::string error;
    HWND hwnd = Target(a[0], error);
    Pump(0);
    if (!hwnd || !CaptureWindow(hwnd, Resolve(a[1]))) {
      Fail(cmd, error.empty() ? "capture failed" : error);
      return false;
    }
    return true;
  } else if (n == "config") {
    uint32_t index = 0;
    if ((!a.empty() && !ParseUint32(a[0], index)) || !app_.Plugins().Configure(index)) {
      Fail(cmd, "no plug-in to configure");
      return false;
    }
    Pump(kSettleMs);
    return true;
  } else if (n == "menu-choose" || n == "dialog-choose") {
    if (!ParseUint32(a[0], u) || u > 0xFFFF) {
      Fail(cmd, "bad id");
      return false;
    }
    if (n == "menu-choose")
      modal_.ArrangeMenu(u);
    else
      modal_.ArrangeDialog(u);
    return true;
  } else if (n == "expect") {
    return Expect(cmd);
  } else if (n == "unload") {
    if (!a.empty() && a[0] != "reverse") {
      Fail(cmd, "unload takes nothing or 'reverse'");
      return false;
    }
    app_.UnloadPlugins(!a.empty());
    Pump(kSettleMs);
    return true;
  } else if (n == "quit") {
    quit_ = true;
    return true;
  }
  app_.Refresh();
  return true;
}

bool ScriptRunner::Expect(const ScriptCommand& cmd) {
  const std::string& what = cmd.args[0];
  const std::string& value = cmd.args[1];
  PlayClock& clock = app_.Clock();
  uint32_t tolerance = 0;
  const bool pair = what == "at" || what == "size" || what == "title" || what == "menuitem";
  if (!pair && cmd.args.size() > 2 && !ParseUint32(cmd.args[2], tolerance)) {
    Fail(cmd, "bad tolerance");
    return false;
  }
  std::string actual;
  bool held = false;
  uint32_t number = 0;
  auto within = [&](uint32_t got) {
    actual = std::to_string(got);
    if (!ParseUint32(value, number)) return false;
    return (got > number ? got - number : number - got) <= tolerance;
  };
  if (what == "state") {
    const PlayState s = clock.State();
    actual = s == PlayState::Playing ? "playing" : s == PlayState::Paused ? "paused" : "stopped";
    held = actual == value;
  } else if (what == "entry") {
    held = within(static_cast<uint32_t>(clock.CurrentIndex()));
  } else if (what == "position") {
    held = within(clock.Position());
  } else if (what == "length") {
    held = within(clock.CurrentLength());
  } else if (what == "skin") {
    actual = app_.Skins().CurrentName();
    held = actual == value;
  } else if (what == "mb") {
    actual = app_.MiniBrowserPath();
    held = actual == value;
  } else if (what == "visible") {
    std::string error;
    HWND hwnd = Target(value, error);
    held = hwnd && IsWindowVisible(hwnd);
    actual = hwnd ? (held ? "visible" : "hidden") : "absent";
  } else if (what == "at" || what == "size") {
    // value is "WINDOW"; the third word "X,Y" or "W,H".
    std::string error;
    HWND hwnd = Target(value, error);
    RECT r = {};
    if (!hwnd || cmd.args.size() < 3 || !GetWindowRect(hwnd, &r)) {
      Fail(cmd, error.empty() ? "expect " + what + " needs WINDOW and X,Y" : error);
      return false;
    }
    const std::string& want = cmd.args[2];
    const size_t comma = want.find(',');
    int32_t a = 0, b = 0;
    if (comma == std::string::npos || !ParseInt32(want.substr(0, comma), a) || !ParseInt32(want.substr(comma + 1), b)) {
      Fail(cmd, "bad pair " + want);
      return false;
    }
    const LONG x = what == "at" ? r.left : r.right - r.left;
    const LONG y = what == "at" ? r.top : r.bottom - r.top;
    actual = std::to_string(x) + "," + std::to_string(y);
    held = x == a && y == b;
    if (!held) Fail(cmd, "expected " + what + " " + value + " " + want + ", got " + actual);
    return held;
  } else if (what == "focus") {
    std::string error;
    HWND hwnd = Target(value, error);
    held = hwnd && GetFocus() == hwnd;
    actual = held ? "focused" : "not focused";
  } else if (what == "title") {
    // value is "WINDOW"; the third word the text, UTF-8, compared as UTF-16.
    std::string error;
    const HWND hwnd = Target(value, error);
    if (!hwnd || cmd.args.size() < 3) {
      Fail(cmd, error.empty() ? "expect title needs WINDOW and TEXT" : error);
      return false;
    }
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    actual = WideToUtf8(text);
    held = actual == cmd.args[2];
    if (!held) Fail(cmd, "expected title " + value + " " + cmd.args[2] + ", got " + actual);
    return held;
  } else if (what == "menuitems") {
    held = within(static_cast<uint32_t>(GetMenuItemCount(app_.MainMenu())));
  } else if (what == "menuitem") {
    // value is the command id; the third word checked, unchecked or absent.
    const std::string want = cmd.args.size() > 2 ? cmd.args[2] : "";
    if (!ParseUint32(value, number) || (want != "checked" && want != "unchecked" && want != "absent")) {
      Fail(cmd, "expect menuitem needs ID and checked, unchecked or absent");
      return false;
    }
    actual = "absent";
    const HMENU menu = app_.MainMenu();
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
      if (GetMenuItemID(menu, i) == number)
        actual = (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) ? "checked" : "unchecked";
    held = actual == want;
    if (!held) Fail(cmd, "expected menuitem " + value + " " + want + ", got " + actual);
    return held;
  } else if (what == "hidden") {
    std::string error;
    HWND hwnd = Target(value, error);
    held = !hwnd || !IsWindowVisible(hwnd);
    actual = hwnd ? (held ? "hidden" : "visible") : "absent";
  } else {
    Fail(cmd, "unknown expectation " + what);
    return false;
  }
  if (!held) Fail(cmd, "expected " + what + " " + value + ", got " + actual);
  return held;
}

}  // namespace host
