// The stand-in player: its main window and its equalizer, playlist-editor and MiniBrowser
// windows, the playlist and clock, the skins, the loaded plug-ins and the message record.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "host/MessageLog.h"
#include "host/PlayClock.h"
#include "host/PlayerMessages.h"
#include "host/PluginSet.h"
#include "host/Script.h"
#include "host/SkinSet.h"

namespace host {

struct HostIni {
  int peFontSize = 10;
  int snap = 1;
  int snapLength = 10;
};

// The host's own INI: the executable's path with ".ini", section "Winamp".
HostIni ReadHostIni(const std::string& iniPath);

class HostApp {
 public:
  explicit HostApp(HINSTANCE instance);
  ~HostApp();
  HostApp(const HostApp&) = delete;
  HostApp& operator=(const HostApp&) = delete;

  // Registers the classes and creates the four windows; reads the INI and scans the skins.
  bool Create();
  // Loads the plug-ins from Plugins beside the executable.
  void LoadPlugins();
  // Calls the plug-ins' shut-down, destroys the windows, then unloads the modules.
  void Shutdown();
  // Shuts down and unloads each plug-in in turn (in load order or the reverse); the host's
  // windows stay, so a script can go on to check that they still work.
  void UnloadPlugins(bool reverse);

  HWND Window(WindowRole role) const;
  const std::string& ExeFolder() const { return exeFolder_; }
  PlayClock& Clock() { return clock_; }
  SkinSet& Skins() { return skins_; }
  PluginSet& Plugins() { return plugins_; }
  MessageLog& Log() { return log_; }
  const HostIni& Ini() const { return ini_; }
  const std::string& MiniBrowserPath() const { return mbPath_; }

  // Replaces the playlist with files, each measured by its frames; logs what was measured.
  void LoadPlaylist(const std::vector<std::string>& files);
  void AddToPlaylist(const std::vector<std::string>& files);
  bool SelectSkin(const std::string& name);
  void Note(const std::string& text);
  // Redraws the host's windows after a change of state.
  void Refresh();
  // Real milliseconds since the host started.
  uint32_t Uptime() const;

  // When set, the clock follows real time (the demo); otherwise only Advance moves it.
  void SetRealTime(bool on);

  // From here on the host plays a player of the 5.x line: it tells its version (line.version),
  // keeps its settings in `settingsFolder` (user message 335) and its INI file there (334, read
  // at once), names its equalizer, playlist editor and MiniBrowser if it has one (260). A wide
  // line also gives entry names as UTF-16 (214), its main, equalizer and playlist windows are
  // Unicode windows and playlist file names given from then on are UTF-8. Before the plug-ins
  // are loaded.
  void PlayFiveLine(const std::string& settingsFolder, const PlayerLine& line);
  bool FiveLine() const { return line_.fiveLine; }
  // Windows of the equalizer's and playlist editor's classes, made after the host's own.
  void MakeDecoys();

  // A modern skin, as its engine sets the player up before the plug-ins load: two frame windows
  // (the player's and the playlist's), the playlist editor a child of its frame, the equalizer
  // hidden, the classic main window transparent and out of sight.
  void PlayModernSkin();
  // hide, show, minimise, restore, shade, unshade, double, single; false with why for an action
  // that cannot be done now.
  bool MainWindowAction(const std::string& action, std::string& why);
  // The player's accelerators, translated before a message is dispatched: true when msg was one
  // (Alt+M in the 5.x line), so nobody's window procedure sees it.
  bool TakeAccelerator(const MSG& msg);
  // The main popup menu, made once (user message 281 answers it).
  HMENU MainMenu() const { return menu_.main; }

 private:
  friend struct HostWindowProcs;
  LRESULT MainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT RoleProc(WindowRole role, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  // known: false for a message the current player line does not implement (answered 1).
  LRESULT OnUserMessage(WPARAM wp, LPARAM code, bool& known);
  bool OnPlayerKey(WPARAM vk);
  void OnCommand(HWND hwnd, UINT id);
  void MakeMainMenu();
  void ShowMainMenu(HWND hwnd);
  void MinimiseMain();
  void RestoreMain();
  // The main window at its size for the shade and double states, docked windows moved with it.
  void ResizeMain(bool shaded, bool twice);
  // Moves the transparent classic main window to the bottom-left corner of the frame's monitor.
  void FollowFrame();
  void PaintMain(HDC dc, const RECT& rc);
  void PaintRole(WindowRole role, HDC dc, const RECT& rc);
  void OnRealTimeTick();
  // Notes each host window whose procedure is not the host's own.
  void NoteReplacedProcedures();

  HINSTANCE instance_;
  std::string exeFolder_;
  HostIni ini_;
  HWND main_ = nullptr, eq_ = nullptr, pe_ = nullptr, mb_ = nullptr;
  HWND decoyEq_ = nullptr, decoyPe_ = nullptr;
  HWND frame_ = nullptr, peFrame_ = nullptr;
  PlayerLine line_ = kLineTwo;
  struct MainMenuHandles {
    HMENU main = nullptr, skins = nullptr, configs = nullptr;
  } menu_;
  LRESULT nextCommandId_ = kFirstNewCommandId;
  // The main window's states: hidden (moved away), shaded, double size, under a modern skin.
  bool mainHidden_ = false;
  POINT mainShownAt_ = {0, 0};
  bool shaded_ = false;
  bool double_ = false;
  bool modern_ = false;
  HHOOK locationHook_ = nullptr;
  std::string settingsFolder_;
  std::string iniPath_;
  HFONT font_ = nullptr;
  PlayClock clock_;
  SkinSet skins_;
  PluginSet plugins_;
  MessageLog log_;
  std::string mbPath_;
  std::string skinFolderAnswer_;
  DWORD startTick_;
  bool realTime_ = false;
  DWORD lastTick_ = 0;
  bool shutDown_ = false;
  // Mouse drag of a host window.
  bool dragging_ = false;
  POINT dragGrab_ = {0, 0};
};

}  // namespace host
