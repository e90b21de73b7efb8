// The commands the window and the keyboard send to the archive controller. ArchiveController
// implements them; window tests put a recording double in its place.
#pragma once
#include <cstdint>
#include <string>

class TrackCommands {
 public:
  virtual ~TrackCommands() = default;
  virtual void Update(const std::string& fileName, uint32_t positionMs) = 0;
  virtual void JumpTo(int trackIndex, uint32_t offsetMs) = 0;
  virtual void PlayCurrentTrack() = 0;
  virtual void ToggleWindow() = 0;
  virtual int ExtractTrack(int trackIndex, int commandId) = 0;
  virtual void OpenInMiniBrowser(int trackIndex) = 0;
};
