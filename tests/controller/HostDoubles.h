// Test doubles of the controller's surroundings: a host main window that records the messages it
// is sent and answers the play-state question, a recording plug-in window, and MP3 member bytes
// whose play time the member analysis computes exactly (MPEG-1 Layer III at 128 kbit/s, so every
// 16 bytes count one millisecond).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controller/TrackDisplay.h"
#include "plugin/HostWindowPlayer.h"
#include "support/MediaBuilders.h"

// Without a window manager, Wine waits two seconds whenever a managed window is hidden; windows
// that no window manager handles do not wait. Takes effect for windows made after the call, so
// call it before the first window. Does nothing on Windows.
inline bool UseUnmanagedWindowsUnderWine() {
  if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") == nullptr) {
    return false;
  }
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const bool set = RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2) == ERROR_SUCCESS;
  RegCloseKey(key);
  return set;
}

// Dispatches every message of this thread for `milliseconds` of real time, as the host's loop
// would (timers included).
inline void Pump(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(5);
  } while (GetTickCount() - start < milliseconds);
}

// Records WM_USER messages (except the timer's queries) and WM_COMMAND as short texts:
// "seek 1234", "playing?", "play", "browser PATH", "browser 0".
class TestHost {
 public:
  TestHost() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &TestHost::Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TcTestHost";
    RegisterClassA(&windowClass);  // fails harmlessly when a previous test registered it
    hwnd = CreateWindowExA(0, "TcTestHost", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleA(nullptr), this);
  }
  ~TestHost() { DestroyWindow(hwnd); }
  TestHost(const TestHost&) = delete;
  TestHost& operator=(const TestHost&) = delete;

  HWND hwnd = nullptr;
  LRESULT playState = 1;  // the answer to the play-state question
  std::string fileName;   // the current playlist entry's file; empty: no name
  uint32_t position = 0;  // play position in ms
  std::vector<std::string> calls;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* host = reinterpret_cast<TestHost*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (host != nullptr && message == WM_USER) {
      switch (lParam) {
        case 104:
          host->calls.push_back("playing?");
          return host->playState;
        case 106:
          host->calls.push_back("seek " + std::to_string(static_cast<uint32_t>(wParam)));
          return 0;
        case 105:  // the timer's questions, answered from the fields below and not recorded
          return static_cast<LRESULT>(host->position);
        case 125:
          return 0;
        case 211:
          return host->fileName.empty() ? 0 : reinterpret_cast<LRESULT>(host->fileName.c_str());
        case 201:
          return 0;
        case 249:
          host->calls.push_back(wParam != 0 ? "browser " + std::string(reinterpret_cast<const char*>(wParam))
                                            : std::string("browser 0"));
          return 0;
        default:
          host->calls.push_back("user " + std::to_string(lParam));
          return 0;
      }
    }
    if (host != nullptr && message == WM_COMMAND) {
      host->calls.push_back(wParam == 40045 ? std::string("play") : "command " + std::to_string(wParam));
      return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
};

// The plug-in window's part, recorded as texts: "clear", "add TITLE LENGTH", "current INDEX LENGTH",
// "time M:SS". Owns a real (initially hidden) window for the show, hide and focus calls.
class RecordingDisplay : public TrackDisplay {
 public:
  explicit RecordingDisplay(HWND host) : host(host) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TcTestPluginWindow";
    RegisterClassA(&windowClass);
    hwnd = CreateWindowExA(0, "TcTestPluginWindow", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  }
  ~RecordingDisplay() override { DestroyWindow(hwnd); }
  RecordingDisplay(const RecordingDisplay&) = delete;
  RecordingDisplay& operator=(const RecordingDisplay&) = delete;

  void ClearTracks() override {
    events.push_back("clear");
    rows = 0;
    current = -1;
  }
  void AddTrack(const std::string& title, uint32_t lengthMs) override {
    events.push_back("add " + title + " " + std::to_string(lengthMs));
    ++rows;
  }
  // Like the list: the row becomes current only when it exists (or for -1).
  void SetCurrentTrack(int index, uint32_t lengthMs) override {
    events.push_back("current " + std::to_string(index) + " " + std::to_string(lengthMs));
    if (index == -1 || (index >= 0 && index < rows)) {
      current = index;
    }
  }
  int GetCurrentTrack() const override { return current; }
  void SetTime(int minutes, int seconds) override {
    char text[32];
    snprintf(text, sizeof text, "time %d:%02d", minutes, seconds);
    events.push_back(text);
  }
  void Show() override { ShowWindow(hwnd, SW_SHOW); }
  void Hide() override { ShowWindow(hwnd, SW_HIDE); }
  bool IsShown() const override { return IsWindowVisible(hwnd) != FALSE; }
  void Focus() override { SetFocus(hwnd); }

  bool IsVisible() const { return IsShown(); }

  HWND hwnd = nullptr;
  HWND host = nullptr;
  int rows = 0;
  int current = -1;
  std::vector<std::string> events;
};

using build::Mp3Member;
