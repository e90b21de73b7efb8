// A general-purpose plug-in of the host's own tests: it records what the host calls and, on
// keys pressed in its window, sends the host its queries and commands and writes the answers.
// Output: the DLL's path with ".txt" for ".dll", one line per event.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "plugin/HostInterface.h"

namespace {

std::FILE* g_out = nullptr;
HINSTANCE g_module = nullptr;
HWND g_window = nullptr;
HWINEVENTHOOK g_locationHook = nullptr;
UINT g_hostItem = 0;  // the probe's item in the host's main menu, 0 when none
int g_calls = 0;  // order of the host's calls into the record

constexpr char kProbeClass[] = "SimpleVis";
constexpr COLORREF kProbeColor = RGB(255, 0, 255);
// Popup menu of the probe window: a separator, a grayed item and a submenu.
enum : UINT { kItemOne = 11, kItemTwo = 12, kItemThree = 13, kSubA = 21, kSubB = 22 };

int __cdecl Init();
void __cdecl Config();
void __cdecl Quit();

PluginRecord g_record = {kPluginVersion, "Host test probe", Init, Config, Quit, nullptr, nullptr};

void Write(const char* fmt, ...) {
  if (!g_out) return;
  va_list ap;
  va_start(ap, fmt);
  std::vfprintf(g_out, fmt, ap);
  va_end(ap);
  std::fputc('\n', g_out);
  std::fflush(g_out);
}

LRESULT Ask(LPARAM code, WPARAM wp = 0) { return SendMessageA(g_record.hwndParent, WM_USER, wp, code); }

void QueryAll() {
  Write("query 104 %ld", static_cast<long>(Ask(kIpcIsPlaying)));
  Write("query 105 %ld", static_cast<long>(Ask(kIpcGetOutputTime, 0)));
  Write("query 105.2 %ld", static_cast<long>(Ask(kIpcGetOutputTime, 2)));
  const LRESULT pos = Ask(kIpcGetListPos);
  Write("query 125 %ld", static_cast<long>(pos));
  const char* name = reinterpret_cast<const char*>(Ask(kIpcGetPlaylistFile, static_cast<WPARAM>(pos)));
  Write("query 211 %s", name ? name : "(null)");
  // Indexes outside the list must give null, not a stale or wild pointer.
  Write("query 211.bad %s", Ask(kIpcGetPlaylistFile, 1000) ? "text" : "(null)");
  Write("query 211.neg %s", Ask(kIpcGetPlaylistFile, static_cast<WPARAM>(-1)) ? "text" : "(null)");
  char folder[kSkinPathBufferSize];
  std::memset(folder, 'X', sizeof folder);
  const char* skin = reinterpret_cast<const char*>(Ask(kIpcGetSkinInfo, reinterpret_cast<WPARAM>(folder)));
  const bool terminated = std::memchr(folder, '\0', sizeof folder) != nullptr;
  Write("query 201 %s|%s", terminated ? folder : "(unterminated)", skin ? skin : "(null)");
}

// An answer as text: a menu or window handle by what it is, other large values as a pointer.
std::string Answer(LRESULT r) {
  if (static_cast<ULONG_PTR>(r) > 0xFFFF) {
    if (IsMenu(reinterpret_cast<HMENU>(r))) return "menu";
    char cls[64] = {};
    if (IsWindow(reinterpret_cast<HWND>(r)) && GetClassNameA(reinterpret_cast<HWND>(r), cls, sizeof cls)) return cls;
    return "pointer";
  }
  return std::to_string(static_cast<long long>(r));
}

// Messages whose answers tell a player line apart, and one no player knows.
void AskLine() {
  const struct {
    LPARAM code;
    WPARAM wp;
  } asks[] = {{0, 0},   {334, 0},  {335, 0},  {260, 0},  {260, 2}, {214, 0},  {281, 0},
              {3019, 0}, {3019, 0}, {900, 0}, {608, 0}, {638, static_cast<WPARAM>(-1)}, {12345, 0}};
  std::string line = "ask";
  for (const auto& a : asks) line += " " + std::to_string(a.code) + "=" + Answer(Ask(a.code, a.wp));
  Write("%s", line.c_str());
}

void CALLBACK OnLocationChange(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG, DWORD, DWORD) {
  char cls[64] = {};
  RECT r;
  if (object != OBJID_WINDOW || !GetClassNameA(hwnd, cls, sizeof cls) || std::strcmp(cls, "trackcase frame") != 0 ||
      !GetWindowRect(hwnd, &r))
    return;
  Write("location frame %ld,%ld", r.left, r.top);
}

void ShowMenu(HWND hwnd) {
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, kItemOne, "One");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING | MF_GRAYED, kItemTwo, "Two");
  HMENU sub = CreatePopupMenu();
  AppendMenuA(sub, MF_STRING, kSubA, "Sub A");
  AppendMenuA(sub, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(sub, MF_STRING, kSubB, "Sub B");
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "More");
  AppendMenuA(menu, MF_STRING, kItemThree, "Three");
  POINT pt;
  GetCursorPos(&pt);
  const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd, nullptr);
  DestroyMenu(menu);
  Write("menu %d", chosen);
}

void OnKey(WPARAM vk) {
  Write("key %u", static_cast<unsigned>(vk));
  if (vk == 'Q') {
    QueryAll();
  } else if (vk == 'U') {
    AskLine();
  } else if (vk == 'I') {
    // Puts a checked item of its own at the top of the host's main menu, or takes it away.
    const HMENU menu = reinterpret_cast<HMENU>(Ask(281, 0));
    if (g_hostItem) {
      Write("removed %u %d", g_hostItem, DeleteMenu(menu, g_hostItem, MF_BYCOMMAND) ? 1 : 0);
      g_hostItem = 0;
    } else {
      g_hostItem = static_cast<UINT>(Ask(3019));
      Write("inserted %u %d", g_hostItem,
            InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING | MF_CHECKED, g_hostItem, "Probe") ? 1 : 0);
    }
  } else if (vk >= '0' && vk <= '9') {
    // Digit n seeks to n seconds; the host's answer tells whether it took the seek.
    Write("seek %u -> %ld", static_cast<unsigned>((vk - '0') * 1000),
          static_cast<long>(Ask(kIpcJumpToTime, (vk - '0') * 1000)));
  } else if (vk == 'P') {
    SendMessageA(g_record.hwndParent, WM_COMMAND, kCommandPlay, 0);
  } else if (vk == 'A') {
    SendMessageA(g_record.hwndParent, WM_COMMAND, kCommandPause, 0);
  } else if (vk == 'T') {
    SendMessageA(g_record.hwndParent, WM_COMMAND, kCommandStop, 0);
  } else if (vk == 'M') {
    char path[MAX_PATH];
    GetModuleFileNameA(g_module, path, MAX_PATH);
    Ask(kIpcMiniBrowserOpen, reinterpret_cast<WPARAM>(path));
    Ask(kIpcMiniBrowserOpen, 0);
  }
}

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT rc;
      GetClientRect(hwnd, &rc);
      HBRUSH b = CreateSolidBrush(kProbeColor);
      FillRect(dc, &rc, b);
      DeleteObject(b);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_KEYDOWN: OnKey(wp); return 0;
    case WM_SYSKEYDOWN:
      Write("syskey %u alt=%d", static_cast<unsigned>(wp), (lp & (1 << 29)) ? 1 : 0);
      return 0;
    case WM_LBUTTONDOWN: Write("lbuttondown %d %d", x, y); return 0;
    case WM_LBUTTONUP: Write("lbuttonup %d %d", x, y); return 0;
    case WM_LBUTTONDBLCLK: Write("lbuttondblclk %d %d", x, y); return 0;
    case WM_MOUSEMOVE:
      if (wp & MK_LBUTTON) {
        POINT pt;
        GetCursorPos(&pt);
        Write("drag %d %d cursor %ld %ld", x, y, pt.x, pt.y);
      }
      return 0;
    case WM_MOUSEWHEEL: Write("wheel %d", static_cast<short>(HIWORD(wp))); return 0;
    case WM_RBUTTONDOWN: ShowMenu(hwnd); return 0;
    default: return DefWindowProcA(hwnd, msg, wp, lp);
  }
}

int __cdecl Init() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(g_module, path, MAX_PATH);
  std::string out = path;
  const size_t dot = out.find_last_of('.');
  out = out.substr(0, dot) + ".txt";
  g_out = std::fopen(out.c_str(), "wb");
  char cls[64] = {};
  GetClassNameA(g_record.hwndParent, cls, sizeof cls);
  Write("init %d parent=%s instance=%d pe=%d", ++g_calls, cls, g_record.hDllInstance == g_module ? 1 : 0,
        FindWindowA(kHostPlaylistClass, nullptr) ? 1 : 0);
  WNDCLASSA wc = {};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ProbeProc;
  wc.hInstance = g_module;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = kProbeClass;
  if (!RegisterClassA(&wc)) return 1;
  g_window = CreateWindowExA(WS_EX_TOOLWINDOW, kProbeClass, "", WS_POPUP | WS_CLIPSIBLINGS, 600, 0, 100, 60,
                             g_record.hwndParent, nullptr, g_module, nullptr);
  if (!g_window) return 1;
  ShowWindow(g_window, SW_SHOWNOACTIVATE);
  g_locationHook = SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE, nullptr, OnLocationChange,
                                   GetCurrentProcessId(), GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
  return 0;
}

void __cdecl Config() {
  Write("config %d", ++g_calls);
  const int r = MessageBoxA(g_window, "Probe configuration", "probe", MB_OKCANCEL);
  Write("config result %d", r);
}

void __cdecl Quit() {
  Write("quit %d", ++g_calls);
  if (g_locationHook) UnhookWinEvent(g_locationHook);
  g_locationHook = nullptr;
  if (g_window) DestroyWindow(g_window);
  g_window = nullptr;
  UnregisterClassA(kProbeClass, g_module);
}

}  // namespace

extern "C" __declspec(dllexport) PluginRecord* __cdecl winampGetGeneralPurposePlugin() { return &g_record; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  if (reason == DLL_PROCESS_DETACH) {
    Write("detach");
    if (g_out) std::fclose(g_out);
    g_out = nullptr;
  }
  return TRUE;
}
