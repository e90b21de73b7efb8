// The commands the window and the keyboard send to the archive controller. ArchiveController
// implements them; window tests put a recording double in its place.
#pragma once
#include <cstdint>
#include <string>

#include "platform/WideString.h"

// Where an extracted track goes.
enum class ExtractTarget {
  BesideArchive,  // the archive's own folder
  Desktop,        // the current user's desktop folder
};

class TrackCommands {
 public:
  virtual ~TrackCommands() = default;
  virtual void Update(const std::string& fileName, uint32_t positionMs) = 0;
  // The same with the entry's UTF-16 name where the host gives one (else empty).
  virtual void Update(const std::string& fileName, const WideString& wideName, uint32_t positionMs) {
    (void)wideName;
    Update(fileName, positionMs);
  }
  virtual void JumpTo(int trackIndex, uint32_t offsetMs) = 0;
  virtual void PlayCurrentTrack() = 0;
  virtual void ToggleWindow() = 0;
  virtual int ExtractTrack(int trackIndex, ExtractTarget target) = 0;
  virtual void OpenInMiniBrowser(int trackIndex) = 0;
};
