// The stand-in player: its main window and its equalizer, playlist-editor and MiniBrowser
// windows, the playlist and clock, the skins, the loaded plug-ins and the message record.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "host/MessageLog.h"
#include "host/PlayClock.h"
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

  // From here on the host plays the player's 5.x line: it tells its version (0x5666), keeps its
  // settings in `settingsFolder` (user message 335) and its INI file there (334, read at once),
  // names its equalizer and playlist editor (260), gives entry names as UTF-16 (214), its main,
  // equalizer and playlist windows are Unicode windows, and it has no MiniBrowser. Playlist file
  // names given from then on are UTF-8. Before the plug-ins are loaded.
  void PlayFiveLine(const std::string& settingsFolder);
  bool FiveLine() const { return fiveLine_; }
  // Windows of the equalizer's and playlist editor's classes, made after the host's own.
  void MakeDecoys();

 private:
  friend struct HostWindowProcs;
  LRESULT MainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT RoleProc(WindowRole role, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnUserMessage(WPARAM wp, LPARAM code);
  bool OnPlayerKey(WPARAM vk);
  void OnCommand(HWND hwnd, UINT id);
  void ShowMainMenu(HWND hwnd);
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
  bool fiveLine_ = false;
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
