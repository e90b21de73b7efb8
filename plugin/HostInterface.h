// What the plug-in relies on of the host media player: the plug-in record it exports, the
// messages it sends to the host's main window, the host's window classes and INI keys.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

// The record returned by winampGetGeneralPurposePlugin (32-bit layout, cdecl functions).
struct PluginRecord {
  int version;                     // kPluginVersion
  const char* description;
  int(__cdecl* init)();            // 0 on success, 1 on failure
  void(__cdecl* config)();
  void(__cdecl* quit)();
  HWND hwndParent;                 // filled in by the host before init
  HINSTANCE hDllInstance;          // filled in by the host before init
};

#if defined(__i386__) || defined(_M_IX86)
// The host reads the record by these offsets; the shipped 32-bit build must keep them.
static_assert(sizeof(PluginRecord) == 28, "plug-in record size");
static_assert(offsetof(PluginRecord, version) == 0 && offsetof(PluginRecord, description) == 4 &&
                  offsetof(PluginRecord, init) == 8 && offsetof(PluginRecord, config) == 12 &&
                  offsetof(PluginRecord, quit) == 16 && offsetof(PluginRecord, hwndParent) == 20 &&
                  offsetof(PluginRecord, hDllInstance) == 24,
              "plug-in record layout");
#endif

constexpr int kPluginVersion = 0x10;
constexpr const char kPluginDescription[] = "zip.mp3 Display-plugin [gen_trackcase.dll]";
constexpr const char kPluginExportName[] = "winampGetGeneralPurposePlugin";
typedef PluginRecord*(__cdecl* GetPluginProc)();

// User messages: WM_USER with the code in lParam.
constexpr UINT kHostUserMessage = WM_USER;
constexpr LPARAM kIpcIsPlaying = 104;        // 1 = playing
constexpr LPARAM kIpcGetOutputTime = 105;    // wParam 0: position in ms
constexpr LPARAM kIpcJumpToTime = 106;       // wParam: position in ms
constexpr LPARAM kIpcGetListPos = 125;       // current playlist index
constexpr LPARAM kIpcGetSkinInfo = 201;      // wParam: 261-byte buffer for the folder; returns identity text
constexpr LPARAM kIpcGetPlaylistFile = 211;  // wParam: entry index; returns file name or null
constexpr LPARAM kIpcMiniBrowserOpen = 249;  // wParam: path text, then a second call with 0
constexpr size_t kSkinPathBufferSize = 261;

// Asked of hosts that tell their version (user message 0). A host answers 1 to a message it does
// not know, so each message below is asked only of the versions that have it, and an answer that
// should be an address or a window handle counts only from kLowestPointer up: below it no object
// lies, and reading there would crash the host. Answers that point into the host's memory are
// copied at once.
constexpr LPARAM kIpcGetVersion = 0;              // e.g. 0x2900 for 2.9, 0x5001 for 5.01, 0x5666 for 5.666
constexpr uintptr_t kLowestPointer = 0x10000;
constexpr uint32_t kHostVersionNewer = 0x2900;    // from here on: messages 334, 335, 260, 281
constexpr uint32_t kHostVersionFive = 0x5000;     // 900
constexpr uint32_t kHostVersionFiveOne = 0x5010;  // 3019
constexpr uint32_t kHostVersionWideNames = 0x5030;  // 214
constexpr LPARAM kIpcGetIniFile = 334;          // full path of the host's own INI file
constexpr LPARAM kIpcGetSettingsFolder = 335;   // the folder of the host's per-user settings
constexpr LPARAM kIpcGetHostWindow = 260;       // wParam 0 equalizer, 1 playlist editor, 2 MiniBrowser
constexpr LPARAM kIpcGetPlaylistFileW = 214;    // wParam: entry index; returns the name as UTF-16, or null
constexpr LPARAM kIpcGetMainMenu = 281;         // wParam 0: the main window's popup menu
constexpr LPARAM kIpcNewCommandId = 3019;       // a command id no one else uses
constexpr LPARAM kIpcIsMainWindowShown = 900;   // 0 after the user turned the main window off
// Where the host hands out no command id: one above the player's own command range.
constexpr UINT kFixedWindowMenuCommand = 48000;

// Commands: WM_COMMAND with lParam 0.
constexpr WPARAM kCommandPlay = 40045;
constexpr WPARAM kCommandPause = 40046;
constexpr WPARAM kCommandStop = 40047;

// Host windows, found by class name.
constexpr const char kHostEqualizerClass[] = "Winamp EQ";
constexpr const char kHostPlaylistClass[] = "Winamp PE";
constexpr const char kHostMiniBrowserClass[] = "Winamp MB";

// The host's INI file, section "Winamp".
constexpr const char kHostIniSection[] = "Winamp";
constexpr const char kHostKeyFontSize[] = "pe_fontsize";
constexpr int kHostDefaultFontSize = 10;
constexpr const char kHostKeySnap[] = "snap";
constexpr int kHostDefaultSnap = 1;
constexpr const char kHostKeySnapLength[] = "snaplen";
constexpr int kHostDefaultSnapLength = 10;
