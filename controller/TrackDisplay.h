// What the archive controller needs of the plug-in window. MainWindow implements it; tests
// put a recording double in its place.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

class TrackDisplay {
 public:
  virtual ~TrackDisplay() = default;
  virtual void ClearTracks() = 0;
  virtual void AddTrack(const std::string& title, uint32_t lengthMs) = 0;
  virtual void SetCurrentTrack(int index, uint32_t lengthMs) = 0;
  virtual int GetCurrentTrack() const = 0;
  virtual void SetTime(int minutes, int seconds) = 0;
  virtual HWND GetHwnd() const = 0;      // the plug-in window (shown, hidden, focused by the controller)
  virtual HWND GetHostWnd() const = 0;   // the host's main window, target of host messages
};
