#include "extract/MemberCopy.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <vector>

#include "archive/ArchiveReader.h"
#include "archive/File.h"
#include "extract/TargetCheck.h"
#include "platform/FileSource.h"

namespace {

// A file this process created under a fresh name; deleted again unless Keep() was called.
class OwnedTempFile {
 public:
  explicit OwnedTempFile(const WideString& folder) {
    WideString prefix = folder;
    if (!prefix.empty() && prefix.back() != L'\\' && prefix.back() != L'/') {
      prefix += L'\\';
    }
    // CREATE_NEW fails when the name is taken, so the file found is always our own and deleting
    // it can never remove somebody else's.
    unsigned number = (GetTickCount() ^ GetCurrentProcessId()) & 0xFFFFu;
    for (int attempt = 0; attempt < 0x10000; ++attempt, number = (number + 1) & 0xFFFFu) {
      char name[16];
      wsprintfA(name, "ztc%04X.tmp", number);
      const WideString candidate = prefix + WideString(name, name + strlen(name));
      handle = CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
      if (handle != INVALID_HANDLE_VALUE) {
        path = candidate;
        return;
      }
      if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
        return;  // an unwritable or missing folder: no name will do
      }
    }
  }
  ~OwnedTempFile() {
    Close();
    if (!path.empty()) {
      DeleteFileW(path.c_str());
    }
  }
  OwnedTempFile(const OwnedTempFile&) = delete;
  OwnedTempFile& operator=(const OwnedTempFile&) = delete;

  bool IsOpen() const { return handle != INVALID_HANDLE_VALUE; }
  bool Write(const char* bytes, size_t count) {
    DWORD written = 0;
    return WriteFile(handle, bytes, static_cast<DWORD>(count), &written, nullptr) && written == count;
  }
  bool Close() {
    if (handle == INVALID_HANDLE_VALUE) {
      return true;
    }
    const bool closed = CloseHandle(handle) != 0;
    handle = INVALID_HANDLE_VALUE;
    return closed;
  }
  // Moves the finished file over `target`; from then on it is no longer ours to delete.
  bool ReplaceTarget(const WideString& target) {
    if (!Close() || !MoveFileExW(path.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      return false;
    }
    path.clear();
    return true;
  }

 private:
  HANDLE handle = INVALID_HANDLE_VALUE;
  WideString path;
};

// Copies `count` bytes from `offset` of `archivePath` to `output`; true when all of them arrived.
// Read through the archive's own cache, which widens its reads as the copy goes on.
bool CopyBytes(const WideString& archivePath, uint32_t offset, uint32_t count, OwnedTempFile& output) {
  const std::unique_ptr<ByteSource> file = OpenFileSource(archivePath);
  if (!file) {
    return false;
  }
  ArchiveReader input(*file);
  std::vector<uint8_t> chunk(kCopyChunkSize);
  uint64_t at = offset;
  uint32_t remaining = count;
  while (remaining > 0) {
    const size_t wanted = remaining < kCopyChunkSize ? remaining : kCopyChunkSize;
    const size_t got = input.ReadAt(at, chunk.data(), wanted);
    if (got > 0 && !output.Write(reinterpret_cast<const char*>(chunk.data()), got)) {
      return false;
    }
    if (got < wanted) {
      return false;  // the archive ends inside the member, or the read failed
    }
    at += got;
    remaining -= static_cast<uint32_t>(got);
  }
  return true;
}

}  // namespace

bool CopyMemberToFile(const File& member, const std::string& outputPath, const std::string& keepPath) {
  // As the A functions would take them: the same names through UTF-16.
  return CopyMemberToFile(member, AnsiToWide(member.archivePath), AnsiToWide(outputPath), AnsiToWide(keepPath));
}

bool CopyMemberToFile(const File& member, const WideString& archivePath, const WideString& outputPath,
                      const WideString& keepPath) {
  const std::vector<WideString> keep = {archivePath, keepPath};
  if (!MayWriteTarget(outputPath, keep)) {
    return false;
  }
  // The temporary file lies in the output's own folder, so that the final move stays on one
  // volume and an unwritable folder fails here, before anything else is touched.
  WideString folder = WideFolderPart(outputPath);
  if (folder.empty()) {
    folder = L".";
  }
  OwnedTempFile temp(folder);
  if (!temp.IsOpen()) {
    return false;
  }
  if (!CopyBytes(archivePath, member.dataOffset, member.compressedSize, temp)) {
    return false;
  }
  // Once more just before the move: the target may have changed while the member was copied.
  if (!MayWriteTarget(outputPath, keep)) {
    return false;
  }
  return temp.ReplaceTarget(outputPath);
}
