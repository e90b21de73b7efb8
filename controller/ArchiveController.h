// Follows what the host plays: opens the archive when the file changes, fills the list, marks the
// playing track and its time, and carries out the track commands and the extractions.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "archive/ZipFile.h"
#include "controller/TrackCommands.h"
#include "controller/TrackDisplay.h"

class HostPlayer;

class ArchiveController : public TrackCommands {
 public:
  // The one instance, created on first use.
  static ArchiveController& Instance();
  // Shut-down: deletes the temporary MiniBrowser copy and destroys the instance.
  static void Destroy();

  void SetWindow(TrackDisplay* window) { this->window = window; }
  // The host that receives the seek, play and play-state messages; null sends nothing.
  void SetHost(HostPlayer* host) { this->host = host; }

  void Update(const std::string& fileName, uint32_t positionMs) override;
  // Where the host gives the entry's UTF-16 name, the file is told apart, opened and extracted
  // beside by that name; `fileName` (ANSI) stays the archive's name inside the model.
  void Update(const std::string& fileName, const WideString& wideName, uint32_t positionMs) override;
  void OpenArchive(const std::string& path, const WideString& widePath = WideString());
  void ToggleWindow() override;
  void PlayCurrentTrack() override;
  void JumpTo(int trackIndex, uint32_t offsetMs) override;

  // Extraction and the MiniBrowser copy.
  int CopyTrack(int trackIndex, const std::string& outputPath);
  int ExtractTrack(int trackIndex, ExtractTarget target) override;
  void OpenInMiniBrowser(int trackIndex) override;

  TrackDisplay* Window() const { return window; }
  const ZipFile* Archive() const { return archive.get(); }
  const std::string& TempCopyPath() const { return tempCopyPath; }

  ~ArchiveController() override;

 private:
  static constexpr uint32_t kUnsetSeconds = 0xFFFFFFFFu;

  ArchiveController() = default;

  // True when the settings keep the window hidden for the file that is open now (not playable).
  bool KeepsWindowHidden() const;
  void FillMemberLines();
  void DeleteTempCopy();

  TrackDisplay* window = nullptr;
  HostPlayer* host = nullptr;
  std::string currentPath;
  WideString currentWidePath;  // empty unless the host gave the name as UTF-16
  std::string tempCopyPath;
  std::unique_ptr<ZipFile> archive;
  uint32_t shownSeconds = kUnsetSeconds;
};
