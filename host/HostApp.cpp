#include "host/HostApp.h"

#include <cstdio>

#include "host/AnsiText.h"
#include "host/StreamMeasure.h"
#include "host/WindowSnap.h"
#include "host/WineGaps.h"
#include "plugin/HostInterface.h"

namespace host {
namespace {

constexpr char kMainClass[] = "Winamp v1.x";
constexpr char kFrameClass[] = "trackcase frame";
constexpr int kMainWidth = 275;
constexpr int kMainHeight = 116;
constexpr int kRoleHeight = 116;
constexpr int kPlaylistHeight = 232;
constexpr UINT_PTR kRealTimeTimer = 1;
constexpr UINT kRealTimeMs = 50;

const char* RoleName(WindowRole role) {
  switch (role) {
    case WindowRole::Main: return kMainClass;
    case WindowRole::Equalizer: return kHostEqualizerClass;
    case WindowRole::Playlist: return kHostPlaylistClass;
    case WindowRole::MiniBrowser: return kHostMiniBrowserClass;
    case WindowRole::Plugin: return "SimpleVis";
    case WindowRole::DecoyEqualizer: return "decoy Winamp EQ";
    case WindowRole::DecoyPlaylist: return "decoy Winamp PE";
    case WindowRole::Frame: return kFrameClass;
    case WindowRole::PlaylistFrame: return "trackcase frame (playlist)";
  }
  return "";
}

HostApp* AppOf(HWND hwnd) { return reinterpret_cast<HostApp*>(GetWindowLongPtrA(hwnd, 0)); }

// A Unicode window's default processing must be the W one, or its texts pass the ANSI code page.
LRESULT DefaultProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return IsWindowUnicode(hwnd) ? DefWindowProcW(hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
}

// The window's procedure as the function that set it reads it (the other one may give a thunk).
WNDPROC ProcedureOf(HWND hwnd) {
  return reinterpret_cast<WNDPROC>(IsWindowUnicode(hwnd) ? GetWindowLongPtrW(hwnd, GWLP_WNDPROC)
                                                         : GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
}

// What the ANSI code page makes of a name: '?' for what it cannot spell, as the player's ANSI
// answer for such a name is no name that opens the file.
std::string WideToAnsi(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string ansi(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, &ansi[0], n, nullptr, nullptr);
  ansi.resize(static_cast<size_t>(n - 1));
  return ansi;
}

}  // namespace

// The window procedures find the application in the first extra window bytes: the user data
// slot of the host's windows is left to plug-ins, which are allowed to use it.
struct HostWindowProcs {
  template <WindowRole R>
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
      SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    HostApp* app = AppOf(hwnd);
    if (!app) return DefaultProc(hwnd, msg, wp, lp);
    if (R == WindowRole::Main) return app->MainProc(hwnd, msg, wp, lp);
    return app->RoleProc(R, hwnd, msg, wp, lp);
  }
  // Both frames are of one class, as a skin engine's are.
  static LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    HostApp* app = AppOf(hwnd);
    if (!app || msg == WM_NCCREATE) return Proc<WindowRole::Frame>(hwnd, msg, wp, lp);
    // The player frame only once it is known as such: not while either is being made.
    return app->RoleProc(hwnd == app->frame_ ? WindowRole::Frame : WindowRole::PlaylistFrame, hwnd, msg, wp, lp);
  }
};

HostIni ReadHostIni(const std::string& iniPath) {
  HostIni ini;
  ini.peFontSize = static_cast<int>(GetPrivateProfileIntA(kHostIniSection, kHostKeyFontSize, kHostDefaultFontSize, iniPath.c_str()));
  ini.snap = static_cast<int>(GetPrivateProfileIntA(kHostIniSection, kHostKeySnap, kHostDefaultSnap, iniPath.c_str()));
  ini.snapLength = static_cast<int>(GetPrivateProfileIntA(kHostIniSection, kHostKeySnapLength, kHostDefaultSnapLength, iniPath.c_str()));
  return ini;
}

HostApp::HostApp(HINSTANCE instance) : instance_(instance), startTick_(GetTickCount()) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string exe = path;
  const size_t slash = exe.find_last_of("\\/");
  exeFolder_ = slash == std::string::npos ? std::string(".") : exe.substr(0, slash);
  const size_t dot = exe.find_last_of('.');
  const std::string iniPath = (dot != std::string::npos && dot > slash) ? exe.substr(0, dot) + ".ini" : exe + ".ini";
  ini_ = ReadHostIni(iniPath);
}

HostApp::~HostApp() {
  Shutdown();
  if (font_) DeleteObject(font_);
}

bool HostApp::Create() {
  skins_.Scan(exeFolder_ + "\\Skins");
  struct ClassDef {
    const char* name;
    WNDPROC proc;
  };
  const ClassDef classes[] = {
      {kMainClass, &HostWindowProcs::Proc<WindowRole::Main>},
      {kHostEqualizerClass, &HostWindowProcs::Proc<WindowRole::Equalizer>},
      {kHostPlaylistClass, &HostWindowProcs::Proc<WindowRole::Playlist>},
      {kHostMiniBrowserClass, &HostWindowProcs::Proc<WindowRole::MiniBrowser>},
      {kFrameClass, &HostWindowProcs::FrameProc},
  };
  for (const ClassDef& c : classes) {
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = c.proc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = c.name;
    if (!RegisterClassA(&wc)) return false;
  }
  font_ = CreateFontA(-ini_.peFontSize - 2, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_MODERN, nullptr);
  const DWORD style = WS_POPUP | WS_CLIPSIBLINGS;
  main_ = CreateWindowExA(0, kMainClass, "trackcase-host", style, 0, 0, kMainWidth, kMainHeight, nullptr,
                          nullptr, instance_, this);
  if (!main_) return false;
  eq_ = CreateWindowExA(WS_EX_TOOLWINDOW, kHostEqualizerClass, "", style, 0, kMainHeight, kMainWidth, kRoleHeight,
                        main_, nullptr, instance_, this);
  pe_ = CreateWindowExA(WS_EX_TOOLWINDOW, kHostPlaylistClass, "", style, 0, kMainHeight + kRoleHeight, kMainWidth,
                        kPlaylistHeight, main_, nullptr, instance_, this);
  mb_ = CreateWindowExA(WS_EX_TOOLWINDOW, kHostMiniBrowserClass, "", style, kMainWidth, kMainHeight, kMainWidth,
                        kRoleHeight + kPlaylistHeight, main_, nullptr, instance_, this);
  if (!eq_ || !pe_ || !mb_) return false;
  for (HWND w : {main_, eq_, pe_, mb_}) ShowWindow(w, SW_SHOWNOACTIVATE);
  SetForegroundWindow(main_);
  MakeMainMenu();
  if (RunningOnWine()) locationHook_ = ReportLocationChanges();
  return true;
}

void HostApp::LoadPlugins() {
  std::vector<std::string> notes;
  plugins_.LoadFolder(exeFolder_ + "\\Plugins", main_, notes);
  for (const std::string& n : notes) Note("plug-in " + n);
}

void HostApp::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  plugins_.QuitAll();
  NoteReplacedProcedures();
  if (main_) DestroyWindow(main_);  // the others, and any window a plug-in let it own, go with it
  for (HWND other : {decoyEq_, decoyPe_, frame_, peFrame_})
    if (other) DestroyWindow(other);
  main_ = eq_ = pe_ = mb_ = decoyEq_ = decoyPe_ = frame_ = peFrame_ = nullptr;
  if (menu_.main) DestroyMenu(menu_.main);  // its submenus go with it
  menu_ = MainMenuHandles();
  if (locationHook_) UnhookWindowsHookEx(locationHook_);
  locationHook_ = nullptr;
  plugins_.UnloadAll();
  Note("host shut down");
}

void HostApp::UnloadPlugins(bool reverse) {
  std::vector<std::string> notes;
  plugins_.QuitAndUnloadEach(reverse, notes);
  for (const std::string& n : notes) Note("plug-in " + n);
  NoteReplacedProcedures();
}

void HostApp::NoteReplacedProcedures() {
  // A plug-in that leaves its procedure in a host window after shut-down would be called after
  // its code is gone, unless it keeps its module loaded.
  const struct {
    HWND hwnd;
    WNDPROC own;
  } windows[] = {
      {main_, &HostWindowProcs::Proc<WindowRole::Main>},
      {eq_, &HostWindowProcs::Proc<WindowRole::Equalizer>},
      {pe_, &HostWindowProcs::Proc<WindowRole::Playlist>},
      {mb_, &HostWindowProcs::Proc<WindowRole::MiniBrowser>},
  };
  for (const auto& w : windows) {
    if (!w.hwnd) continue;
    if (ProcedureOf(w.hwnd) != w.own) {
      char cls[64] = {};
      GetClassNameA(w.hwnd, cls, sizeof cls);
      Note(std::string("after shut-down the procedure of ") + cls + " is still replaced");
    }
  }
}

struct OwnedSearch {
  HWND owner;
  HWND found;
};

static BOOL CALLBACK FindOwnedPluginWindow(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<OwnedSearch*>(lp);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpA(cls, "SimpleVis") == 0 && GetWindow(hwnd, GW_OWNER) == s->owner) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND HostApp::Window(WindowRole role) const {
  switch (role) {
    case WindowRole::Main: return main_;
    case WindowRole::Equalizer: return eq_;
    case WindowRole::Playlist: return pe_;
    case WindowRole::MiniBrowser: return mb_;
    case WindowRole::DecoyEqualizer: return decoyEq_;
    case WindowRole::DecoyPlaylist: return decoyPe_;
    case WindowRole::Frame: return frame_;
    case WindowRole::PlaylistFrame: return peFrame_;
    case WindowRole::Plugin: {
      if (!main_) return nullptr;
      OwnedSearch s = {main_, nullptr};
      EnumWindows(FindOwnedPluginWindow, reinterpret_cast<LPARAM>(&s));
      return s.found;
    }
  }
  return nullptr;
}

void HostApp::LoadPlaylist(const std::vector<std::string>& files) {
  clock_.Clear();
  AddToPlaylist(files);
}

void HostApp::AddToPlaylist(const std::vector<std::string>& files) {
  for (const std::string& file : files) {
    PlaylistEntry e;
    StreamMeasure m;
    bool opened = false;
    if (line_.wide) {
      wchar_t full[MAX_PATH] = {};
      const std::wstring wide = Utf8ToWide(file);
      const DWORD n = GetFullPathNameW(wide.c_str(), MAX_PATH, full, nullptr);
      e.widePath = (n > 0 && n < MAX_PATH) ? std::wstring(full) : wide;
      e.path = WideToAnsi(e.widePath);
      opened = MeasureFile(e.widePath, m);
    } else {
      char full[MAX_PATH] = {};
      const DWORD n = GetFullPathNameA(file.c_str(), MAX_PATH, full, nullptr);
      e.path = (n > 0 && n < MAX_PATH) ? std::string(full) : file;
      opened = MeasureFile(e.path, m);
    }
    e.lengthMs = m.DurationMs();
    e.frames = m.frames;
    char note[96];
    std::snprintf(note, sizeof note, "entry %d frames=%llu length_ms=%lu skipped=%llu%s ", clock_.Count(),
                  static_cast<unsigned long long>(m.frames), static_cast<unsigned long>(e.lengthMs),
                  static_cast<unsigned long long>(m.skippedBytes), opened ? "" : " unreadable");
    Note(note + e.path);
    clock_.Add(e);
  }
  Refresh();
}

bool HostApp::SelectSkin(const std::string& name) {
  if (!skins_.Select(name)) return false;
  Note("skin " + name);
  Refresh();
  return true;
}

void HostApp::Note(const std::string& text) { log_.Note(text); }

void HostApp::Refresh() {
  for (HWND w : {main_, eq_, pe_, mb_})
    if (w) InvalidateRect(w, nullptr, TRUE);
}

uint32_t HostApp::Uptime() const { return GetTickCount() - startTick_; }

void HostApp::SetRealTime(bool on) {
  realTime_ = on;
  lastTick_ = GetTickCount();
  if (!main_) return;
  if (on)
    SetTimer(main_, kRealTimeTimer, kRealTimeMs, nullptr);
  else
    KillTimer(main_, kRealTimeTimer);
}

void HostApp::OnRealTimeTick() {
  const DWORD now = GetTickCount();
  const DWORD elapsed = now - lastTick_;  // wraps correctly across the 49-day rollover
  lastTick_ = now;
  const int before = clock_.CurrentIndex();
  clock_.Advance(elapsed);
  InvalidateRect(main_, nullptr, FALSE);
  if (before != clock_.CurrentIndex()) Refresh();
}

void HostApp::MakeMainMenu() {
  menu_.main = CreatePopupMenu();
  menu_.skins = CreatePopupMenu();
  menu_.configs = CreatePopupMenu();
  AppendMenuA(menu_.main, MF_STRING, kCommandPlay, "Play\tX");
  AppendMenuA(menu_.main, MF_STRING, kCommandPause, "Pause\tC");
  AppendMenuA(menu_.main, MF_STRING, kCommandStop, "Stop\tV");
  AppendMenuA(menu_.main, MF_STRING, kCommandPrevious, "Previous\t,");
  AppendMenuA(menu_.main, MF_STRING, kCommandNext, "Next\t.");
  AppendMenuA(menu_.main, MF_POPUP, reinterpret_cast<UINT_PTR>(menu_.skins), "Skins");
  AppendMenuA(menu_.main, MF_POPUP, reinterpret_cast<UINT_PTR>(menu_.configs), "Configure plug-in");
  AppendMenuA(menu_.main, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu_.main, MF_STRING, kMenuExit, "Exit");
}

// Empties a submenu of the main menu and grays its item when nothing is put back.
static void RefillSubmenu(HMENU main, HMENU sub, const std::vector<std::string>& names, UINT firstId, int checked) {
  while (GetMenuItemCount(sub) > 0) DeleteMenu(sub, 0, MF_BYPOSITION);
  for (size_t i = 0; i < names.size(); ++i)
    AppendMenuA(sub, MF_STRING | (static_cast<int>(i) == checked ? MF_CHECKED : 0), firstId + i, names[i].c_str());
  // Found by handle: plug-ins may have inserted items before it.
  for (int pos = GetMenuItemCount(main) - 1; pos >= 0; --pos)
    if (GetSubMenu(main, pos) == sub)
      EnableMenuItem(main, static_cast<UINT>(pos), MF_BYPOSITION | (names.empty() ? MF_GRAYED : MF_ENABLED));
}

void HostApp::ShowMainMenu(HWND hwnd) {
  RefillSubmenu(menu_.main, menu_.skins, skins_.Names(), kMenuSkinFirst, skins_.CurrentIndex());
  std::vector<std::string> configs;
  for (const LoadedPlugin& p : plugins_.Plugins()) configs.push_back(p.record->description);
  RefillSubmenu(menu_.main, menu_.configs, configs, kMenuConfigFirst, -1);
  POINT pt;
  GetCursorPos(&pt);
  // The choice arrives as WM_COMMAND at the main window's procedure, whoever replaced it.
  TrackPopupMenu(menu_.main, TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd, nullptr);
}

LRESULT HostApp::MainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_USER: {
      bool known = true;
      const LRESULT r = OnUserMessage(wp, lp, known);
      const char* text = nullptr;
      const char* text2 = nullptr;
      long long wpShown = static_cast<long long>(wp);
      long long rShown = static_cast<long long>(r);
      if (!known) {
        // answered as the player answers what it does not implement
      } else if (lp == kIpcGetPlaylistFile) {
        text = reinterpret_cast<const char*>(r);
        rShown = r ? 1 : 0;
      } else if (lp == kIpcMiniBrowserOpen) {
        text = reinterpret_cast<const char*>(wp);
        wpShown = wp ? 1 : 0;
      } else if (lp == kIpcGetPlaylistFileW || lp == kIpcGetHostWindow || lp == kMsgMainMenu) {
        rShown = r ? 1 : 0;
      } else if ((lp == kIpcGetIniFile || lp == kIpcGetSettingsFolder) && r) {
        text = reinterpret_cast<const char*>(r);
        rShown = 1;
      } else if (lp == kIpcGetSkinInfo) {
        text = skinFolderAnswer_.c_str();
        text2 = reinterpret_cast<const char*>(r);
        wpShown = wp ? 1 : 0;
        rShown = 1;
      }
      log_.User(Uptime(), clock_.Position(), static_cast<long>(lp), wpShown, rShown, text, text2);
      return r;
    }
    case WM_COMMAND:
      log_.Command(Uptime(), clock_.Position(), LOWORD(wp));
      OnCommand(hwnd, LOWORD(wp));
      return 0;
    case WM_TIMER:
      if (wp == kRealTimeTimer && realTime_) OnRealTimeTick();
      return 0;
    case WM_RBUTTONUP:
      ShowMainMenu(hwnd);
      return 0;
    case WM_CLOSE:
      Shutdown();
      PostQuitMessage(0);
      return 0;
    default:
      return RoleProc(WindowRole::Main, hwnd, msg, wp, lp);
  }
}

LRESULT HostApp::RoleProc(WindowRole role, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT rc;
      GetClientRect(hwnd, &rc);
      if (role == WindowRole::Main)
        PaintMain(dc, rc);
      else
        PaintRole(role, dc, rc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // painting covers the whole window
    case WM_WINDOWPOSCHANGED:
      // However the player's frame moved, the skin engine puts the classic window back.
      if (role == WindowRole::Frame && !(reinterpret_cast<const WINDOWPOS*>(lp)->flags & SWP_NOMOVE)) FollowFrame();
      return DefaultProc(hwnd, msg, wp, lp);
    case WM_KEYDOWN: {
      // Another player's window: the key is seen, nothing of this player moves.
      const bool decoy = role == WindowRole::DecoyEqualizer || role == WindowRole::DecoyPlaylist;
      const bool handled = !decoy && OnPlayerKey(wp);
      Note(std::string("host key ") + std::to_string(wp) + " in " + RoleName(role) + (handled ? "" : " ignored"));
      return 0;
    }
    case WM_SYSKEYDOWN:
      Note(std::string("host syskey ") + std::to_string(wp) + " in " + RoleName(role));
      // Only Alt+F4 means something to the host; the rest must not start keyboard menu mode.
      return wp == VK_F4 ? DefaultProc(hwnd, msg, wp, lp) : 0;
    case WM_SYSCHAR:
      return 0;
    case WM_LBUTTONDOWN:
      dragging_ = true;
      dragGrab_ = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      SetCapture(hwnd);
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_ && GetCapture() == hwnd) {
        POINT pt;
        GetCursorPos(&pt);
        RECT r;
        GetWindowRect(hwnd, &r);
        Box proposed = {pt.x - dragGrab_.x, pt.y - dragGrab_.y, 0, 0};
        proposed.right = proposed.left + (r.right - r.left);
        proposed.bottom = proposed.top + (r.bottom - r.top);
        std::vector<Box> others;
        for (HWND w : {main_, eq_, pe_, mb_, frame_, peFrame_}) {
          RECT o;
          const bool seen = w && w != hwnd && IsWindowVisible(w) && !(GetWindowLongA(w, GWL_STYLE) & WS_CHILD) &&
                            !(modern_ && w == main_);
          if (seen && GetWindowRect(w, &o)) others.push_back({o.left, o.top, o.right, o.bottom});
        }
        const Box snapped = SnapBox(proposed, others, ini_.snap == 1 ? ini_.snapLength : 0);
        SetWindowPos(hwnd, nullptr, snapped.left, snapped.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return 0;
    case WM_LBUTTONUP:
      if (dragging_) {
        dragging_ = false;
        ReleaseCapture();
        RECT r;
        GetWindowRect(hwnd, &r);
        Note(std::string("host window ") + RoleName(role) + " at " + std::to_string(r.left) + "," + std::to_string(r.top));
      }
      return 0;
    default:
      return DefaultProc(hwnd, msg, wp, lp);
  }
}

void HostApp::PlayFiveLine(const std::string& settingsFolder, const PlayerLine& line) {
  line_ = line;
  settingsFolder_ = settingsFolder;
  CreateDirectoryA(settingsFolder_.c_str(), nullptr);
  iniPath_ = settingsFolder_ + "\\trackcase-host.ini";
  ini_ = ReadHostIni(iniPath_);
  if (font_) DeleteObject(font_);
  font_ = CreateFontA(-ini_.peFontSize - 2, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_MODERN, nullptr);
  if (mb_ && !line_.miniBrowser) {
    DestroyWindow(mb_);
    mb_ = nullptr;
  }
  // Set through the W function, a window's procedure makes it a Unicode window.
  if (line_.wide)
    for (HWND w : {main_, eq_, pe_})
      if (w) SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProcedureOf(w)));
  char version[16];
  std::snprintf(version, sizeof version, "0x%X", static_cast<unsigned>(line_.version));
  Note(std::string("playing the 5.x line (") + version + "), settings in " + settingsFolder_);
}

void HostApp::MakeDecoys() {
  const DWORD style = WS_POPUP | WS_CLIPSIBLINGS | WS_VISIBLE;
  decoyEq_ = CreateWindowExA(WS_EX_TOOLWINDOW, kHostEqualizerClass, "", style, 600, 0, kMainWidth, kRoleHeight, nullptr,
                             nullptr, instance_, this);
  decoyPe_ = CreateWindowExA(WS_EX_TOOLWINDOW, kHostPlaylistClass, "", style, 600, kRoleHeight, kMainWidth,
                             kPlaylistHeight, nullptr, nullptr, instance_, this);
  // Their own procedures, so that what reaches them is told apart from the host's windows.
  const struct {
    HWND hwnd;
    WNDPROC proc;
  } decoys[] = {{decoyEq_, &HostWindowProcs::Proc<WindowRole::DecoyEqualizer>},
                {decoyPe_, &HostWindowProcs::Proc<WindowRole::DecoyPlaylist>}};
  for (const auto& d : decoys) {
    if (!d.hwnd) continue;
    const auto proc = reinterpret_cast<LONG_PTR>(d.proc);
    line_.wide ? SetWindowLongPtrW(d.hwnd, GWLP_WNDPROC, proc) : SetWindowLongPtrA(d.hwnd, GWLP_WNDPROC, proc);
  }
  Note("decoys made");
}

}  // namespace host
