// Everything the plug-in asks of the host or tells it: the host's messages and the keys of its INI
// file, as operations. HostWindowPlayer sends the messages to the host's main window; tests record
// the calls instead. The controller and the window reach the host only through this class.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/WideString.h"

// The host windows the plug-in docks with, numbered as user message 260 asks for them.
enum class HostWindowKind { Equalizer = 0, Playlist = 1, MiniBrowser = 2 };

struct HostSkin {
  std::string folder;    // the folder of the host's current skin
  std::string identity;  // compared from tick to tick to notice a change of skin
};

class HostPlayer {
 public:
  virtual ~HostPlayer() = default;

  // User message 104: 1 playing, 3 paused, 0 stopped.
  virtual int GetPlayState() = 0;
  // What the timer asks on every tick, in this order while the host plays.
  bool IsPlaying() { return GetPlayState() == 1; }
  virtual uint32_t GetPosition() = 0;                         // user message 105, in ms
  virtual int GetListIndex() = 0;                             // user message 125
  virtual std::string GetEntryFileName(int listIndex) = 0;   // user message 211; empty for none

  virtual void Seek(uint32_t positionMs) = 0;                 // user message 106
  virtual void Play() = 0;                                    // command 40045
  virtual void Pause() = 0;                                   // command 40046
  virtual void Stop() = 0;                                    // command 40047
  // User message 249 with the path's address, then again with 0; the path must outlive the call.
  virtual void OpenInMiniBrowser(const std::string& path) = 0;

  virtual HostSkin GetSkin() = 0;                             // user message 201

  // Section "Winamp" of the host's INI file.
  virtual int GetListFontSize() = 0;                          // "pe_fontsize", default 10
  virtual int GetSnap() = 0;                                  // "snap", default 1
  virtual int GetSnapLength() = 0;                            // "snaplen", default 10

  // What newer hosts tell besides; each answers null or empty where the host does not (an older
  // host, or one without that window), and the caller then keeps to the older way.
  virtual HWND GetHostWindow(HostWindowKind /*kind*/) { return nullptr; }       // user message 260
  virtual std::string GetHostIniFile() { return std::string(); }                // user message 334
  virtual std::string GetSettingsFolder() { return std::string(); }             // user message 335
  // The entry's name as UTF-16 (user message 214): the one name that opens a file whose name the
  // ANSI code page cannot spell.
  virtual WideString GetEntryWideFileName(int /*listIndex*/) { return WideString(); }
  // False only where the host says its main window is turned off (user message 900).
  virtual bool IsMainWindowShown() { return true; }
  // The main window's popup menu (user message 281), where a plug-in may add an item of its own.
  virtual HMENU GetMainMenu() { return nullptr; }
  // A command id for such an item (user message 3019); 0 where the host hands out none.
  virtual UINT NewCommandId() { return 0; }
};
