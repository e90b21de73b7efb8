// What the archive controller needs of the plug-in window. MainWindow implements it; tests
// put a recording double in its place.
#pragma once
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
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual bool IsShown() const = 0;
  virtual void Focus() = 0;  // the keyboard focus
};
