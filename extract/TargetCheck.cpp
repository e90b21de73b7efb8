#include "extract/TargetCheck.h"

#include <windows.h>

namespace {

// A path as the file system sees it: made full (relative parts, "." and ".." resolved, '/' made
// '\'), and the same in upper case for comparing, each ending in its terminating zero. Both are
// empty when the path cannot be resolved.
struct ResolvedPath {
  std::vector<wchar_t> full;
  std::vector<wchar_t> key;
};

// Through UTF-16, as the A functions do: a double-byte character whose trail byte is '\' stays one
// character, and full-width letters fold to upper case as the file system folds them.
ResolvedPath Resolve(const WideString& wide) {
  if (wide.empty()) {
    return {};
  }
  const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) {
    return {};
  }
  ResolvedPath resolved;
  resolved.full.assign(needed, L'\0');
  const DWORD length = GetFullPathNameW(wide.c_str(), needed, resolved.full.data(), nullptr);
  if (length == 0 || length >= needed) {
    return {};
  }
  resolved.full.resize(length + 1);
  resolved.key.assign(length + 1, L'\0');
  if (LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, resolved.full.data(), static_cast<int>(length),
                   resolved.key.data(), static_cast<int>(length)) != static_cast<int>(length)) {
    return {};
  }
  return resolved;
}

enum class Presence { Missing, Present, Unknown };

struct FileFacts {
  DWORD attributes = 0;
  DWORD type = FILE_TYPE_UNKNOWN;
  DWORD volume = 0;
  DWORD indexHigh = 0;
  DWORD indexLow = 0;
  // Some network file systems report no file index; such a file has no identity to compare.
  bool HasIdentity() const { return indexHigh != 0 || indexLow != 0; }
  bool SameFileAs(const FileFacts& other) const {
    return HasIdentity() && volume == other.volume && indexHigh == other.indexHigh && indexLow == other.indexLow;
  }
};

// Looks at a file through a handle that may read its attributes only, so that nothing is locked
// or changed. `followLinks` false examines a link itself rather than what it points to.
Presence Examine(const std::vector<wchar_t>& path, bool followLinks, FileFacts& facts) {
  const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
  const HANDLE handle = CreateFileW(path.data(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Presence::Missing : Presence::Unknown;
  }
  BY_HANDLE_FILE_INFORMATION info = {};
  const bool known = GetFileInformationByHandle(handle, &info) != 0;
  facts.type = GetFileType(handle);
  CloseHandle(handle);
  if (!known) {
    return Presence::Unknown;
  }
  facts.attributes = info.dwFileAttributes;
  facts.volume = info.dwVolumeSerialNumber;
  facts.indexHigh = info.nFileIndexHigh;
  facts.indexLow = info.nFileIndexLow;
  return Presence::Present;
}

// An existing file the copy must leave alone whoever it belongs to: the user marked it read-only,
// hid it, or the system owns it (desktop.ini on the desktop), or it is no plain file. Hidden or
// system alone is enough: a plain create-always open of such a file fails too.
bool IsProtected(const FileFacts& facts) {
  constexpr DWORD kKept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
  return (facts.attributes & (kKept | kNotPlain)) != 0 || facts.type != FILE_TYPE_DISK;
}

}  // namespace

WideString AnsiToWide(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 1) {
    return WideString();
  }
  WideString wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
  wide.resize(static_cast<size_t>(length - 1));
  return wide;
}

bool MayWriteTarget(const std::string& target, const std::vector<std::string>& keep) {
  std::vector<WideString> wideKeep;
  for (const std::string& path : keep) {
    wideKeep.push_back(AnsiToWide(path));
  }
  return MayWriteTarget(AnsiToWide(target), wideKeep);
}

bool MayWriteTarget(const WideString& target, const std::vector<WideString>& keep) {
  const ResolvedPath resolvedTarget = Resolve(target);
  if (resolvedTarget.key.empty()) {
    return false;
  }
  std::vector<ResolvedPath> kept;
  for (const WideString& path : keep) {
    if (path.empty()) {
      continue;
    }
    kept.push_back(Resolve(path));
    // Checked by name first: a kept file that cannot be opened still has its name.
    if (kept.back().key == resolvedTarget.key) {
      return false;
    }
  }
  FileFacts targetFacts;
  switch (Examine(resolvedTarget.full, false, targetFacts)) {
    case Presence::Missing:
      return true;  // a new file cannot be any existing one
    case Presence::Unknown:
      return false;
    case Presence::Present:
      break;
  }
  if (IsProtected(targetFacts)) {
    return false;
  }
  // The same file under another name: a short 8.3 name, a hard link, another route to the folder.
  for (const ResolvedPath& path : kept) {
    FileFacts keptFacts;
    if (!path.full.empty() && Examine(path.full, true, keptFacts) == Presence::Present &&
        keptFacts.SameFileAs(targetFacts)) {
      return false;
    }
  }
  return true;
}

WideString WideFolderPart(const WideString& path) {
  const size_t separator = path.find_last_of(L"\\/");
  return separator == WideString::npos ? WideString() : path.substr(0, separator + 1);
}
