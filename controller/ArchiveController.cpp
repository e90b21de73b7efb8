#include "controller/ArchiveController.h"

#include <windows.h>

#include "format/ListLine.h"
#include "platform/FileSource.h"
#include "plugin/HostPlayer.h"
#include "settings/Settings.h"

namespace {

ArchiveController* g_instance = nullptr;

// Texts of the list when the file is not a readable archive.
constexpr const char kCannotOpenLine[] = "ファイルを開けませんでした";
constexpr const char kNotZipLine[] = "ZIP ファイルではありません";
constexpr const char kBadHeaderLine1[] = "ZIP ファイルのヘッダ情報の読みとりに失敗しました。";
constexpr const char kBadHeaderLine2[] = "正しい ZIP ファイルではないか、このプラグインがヘボい可能性があります。";

// Answers of the host's play state (user message 104); 3 is paused.
constexpr int kHostPlaying = 1;
constexpr int kHostStopped = 0;

}  // namespace

ArchiveController& ArchiveController::Instance() {
  if (g_instance == nullptr) {
    g_instance = new ArchiveController();
  }
  return *g_instance;
}

void ArchiveController::Destroy() {
  delete g_instance;
  g_instance = nullptr;
}

ArchiveController::~ArchiveController() {
  DeleteTempCopy();
}

void ArchiveController::DeleteTempCopy() {
  if (!tempCopyPath.empty() && GetFileAttributesA(tempCopyPath.c_str()) != INVALID_FILE_ATTRIBUTES) {
    DeleteFileA(tempCopyPath.c_str());
  }
}

bool ArchiveController::KeepsWindowHidden() const {
  if (!g_settings.ShowOnlyZip) {
    return false;
  }
  // An archive whose members are all compressed is still an archive: it stays visible unless the
  // user asked for uncompressed archives only.
  if (archive && archive->status == StatusNoStoredMember && !g_settings.ShowOnlyUncompressedZip) {
    return false;
  }
  return true;
}

void ArchiveController::Update(const std::string& fileName, uint32_t positionMs) {
  Update(fileName, WideString(), positionMs);
}

void ArchiveController::Update(const std::string& fileName, const WideString& wideName, uint32_t positionMs) {
  // By the UTF-16 name where there is one: the ANSI names of two files it cannot spell may be the
  // same text of question marks.
  const bool changed = !wideName.empty() ? wideName != currentWidePath
                                         : !fileName.empty() && (fileName != currentPath || !currentWidePath.empty());
  if (changed) {
    OpenArchive(fileName, wideName);
    if (window != nullptr) window->Show();
  }
  if (window == nullptr) {
    return;
  }

  if (archive && archive->status == StatusPlayable) {
    const int track = archive->GetTrackAt(positionMs);
    if (track != window->GetCurrentTrack() && track >= 0 && track < archive->GetCount()) {
      window->SetCurrentTrack(track, archive->GetMember(track)->GetPlayTime());
    }
    const uint32_t seconds = archive->GetTimeInTrack(track, positionMs) / 1000u;
    if (seconds != shownSeconds) {
      window->SetTime(static_cast<int>(seconds / 60u), static_cast<int>(seconds % 60u));
      shownSeconds = seconds;
    }
  } else if (KeepsWindowHidden()) {
    window->Hide();
  }
}

void ArchiveController::OpenArchive(const std::string& path, const WideString& widePath) {
  currentPath = path;
  currentWidePath = widePath;
  if (archive) {
    if (window != nullptr) {
      window->ClearTracks();
    }
    archive.reset();
  }
  // Read through a handle opened by the UTF-16 name; the ANSI name stays the archive's name.
  const std::unique_ptr<ByteSource> wideSource = widePath.empty() ? nullptr : OpenFileSource(widePath);
  archive = wideSource ? std::make_unique<ZipFile>(currentPath, *wideSource) : std::make_unique<ZipFile>(currentPath);
  archive->Read();
  if (window == nullptr) {
    return;
  }

  switch (archive->status) {
    case StatusCannotOpen:
      window->AddTrack(kCannotOpenLine, 0);
      break;
    case StatusNotZip:
      window->AddTrack(kNotZipLine, 0);
      window->SetCurrentTrack(0, 0);
      break;
    case StatusBadHeader:
      window->AddTrack(kBadHeaderLine1, 0);
      window->AddTrack(kBadHeaderLine2, 0);
      window->SetCurrentTrack(0, 0);
      break;
    default:
      FillMemberLines();
      break;
  }
}

void ArchiveController::FillMemberLines() {
  const bool artistsDiffer = ArtistsDiffer(archive->members);
  for (const auto& member : archive->members) {
    window->AddTrack(MakeListLine(*member, artistsDiffer), member->GetPlayTime());
  }
  const File* first = archive->GetMember(0);
  window->SetCurrentTrack(0, first != nullptr ? first->GetPlayTime() : 0);
}

void ArchiveController::ToggleWindow() {
  if (window == nullptr) {
    return;
  }
  if (window->IsShown()) {
    window->Hide();
  } else {
    window->Show();
    window->Focus();
  }
}

void ArchiveController::PlayCurrentTrack() {
  if (!archive || window == nullptr) {
    return;
  }
  const uint32_t start =
      archive->status == StatusPlayable ? archive->GetStartTime(window->GetCurrentTrack()) : 0;
  if (host != nullptr) {
    host->Play();
    host->Seek(start);
  }
}

void ArchiveController::JumpTo(int trackIndex, uint32_t offsetMs) {
  // Compared as unsigned so that -1 (previous track on the first one) is out of range as well.
  if (!archive || window == nullptr ||
      static_cast<unsigned>(trackIndex) >= static_cast<unsigned>(archive->GetCount())) {
    return;
  }
  if (host == nullptr) {
    return;
  }
  const uint32_t target = archive->GetStartTime(trackIndex) + offsetMs;
  host->Seek(target);
  const int state = host->GetPlayState();
  if (state == kHostPlaying) return;
  // A stopped host ignores the seek: it must be started, whichever track is marked. A paused one
  // is started only for a jump into another track.
  if (state == kHostStopped || archive->GetTrackAt(target) != window->GetCurrentTrack()) {
    host->Play();
    host->Seek(target);
  }
}

