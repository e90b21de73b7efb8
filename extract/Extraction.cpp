// The controller's extraction and MiniBrowser operations: all of them end in CopyMemberToFile.
#include <windows.h>
#include <shlobj.h>

#include "controller/ArchiveController.h"
#include "extract/MemberCopy.h"
#include "extract/SafeFileName.h"
#include "extract/TargetCheck.h"
#include "plugin/HostPlayer.h"

namespace {

// The current user's desktop folder, not created when missing; empty when there is none.
std::string DesktopFolder() {
  char path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE)) {
    return std::string();
  }
  return path;
}

}  // namespace

int ArchiveController::CopyTrack(int trackIndex, const std::string& outputPath) {
  if (!archive) {
    return 0;
  }
  const File* member = archive->GetMember(trackIndex);
  if (member == nullptr || archive->status != StatusPlayable) {
    return 0;
  }
  // Attempted: 1 whether or not the copy succeeded; failures are silent. The copy never replaces
  // the archive itself or the MiniBrowser copy the host may be showing.
  // Where the host gave the archive's UTF-16 name, it is read by that name: the ANSI one may not
  // open it.
  CopyMemberToFile(*member, currentWidePath.empty() ? AnsiToWide(member->archivePath) : currentWidePath,
                   AnsiToWide(outputPath), AnsiToWide(tempCopyPath));
  return 1;
}

int ArchiveController::ExtractTrack(int trackIndex, ExtractTarget target) {
  if (!archive || archive->status != StatusPlayable) {
    return 0;
  }
  const File* member = archive->GetMember(trackIndex);
  if (member == nullptr) {
    return 0;
  }
  std::string folder;
  if (target == ExtractTarget::BesideArchive) {
    folder = GetFolderPart(member->archivePath);
  } else {
    folder = DesktopFolder();
    if (folder.empty()) {
      return 1;
    }
    folder += '\\';
  }
  const std::string fileName = MakeSafeFileName(member->GetFileName());
  if (fileName.empty()) {
    return 1;  // a folder entry: there is no file to write
  }
  if (target == ExtractTarget::BesideArchive && !currentWidePath.empty()) {
    // The archive's folder by the name the host gave: its ANSI form may not name it.
    CopyMemberToFile(*member, currentWidePath, WideFolderPart(currentWidePath) + AnsiToWide(fileName),
                     AnsiToWide(tempCopyPath));
    return 1;
  }
  return CopyTrack(trackIndex, folder + fileName);
}

void ArchiveController::OpenInMiniBrowser(int trackIndex) {
  if (!archive || archive->status != StatusPlayable || archive->GetMember(trackIndex) == nullptr) {
    return;
  }
  char tempFolder[MAX_PATH] = {};
  const DWORD folderLength = GetTempPathA(sizeof tempFolder, tempFolder);
  if (folderLength == 0 || folderLength >= sizeof tempFolder) {
    return;
  }
  char tempPath[MAX_PATH] = {};
  if (GetTempFileNameA(tempFolder, "zipmp3tmp", 0, tempPath) == 0) {
    return;
  }
  // The platform hands out only a name no file has: when it is the remembered one, that copy is
  // gone, and the fresh empty file in its place is the target, not a copy to keep.
  if (tempCopyPath == tempPath) {
    tempCopyPath.clear();
  }
  if (CopyTrack(trackIndex, tempPath) == 0) {
    return;
  }
  // The older copy goes only now that the newer one exists.
  if (tempCopyPath != tempPath) {
    DeleteTempCopy();
  }
  tempCopyPath = tempPath;
  if (host != nullptr) host->OpenInMiniBrowser(tempCopyPath);
}
