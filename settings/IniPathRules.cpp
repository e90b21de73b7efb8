#include "settings/IniPathRules.h"

#include <cstdint>

#include "platform/CodePage.h"

namespace {

// Byte length of the character starting at `index`: two for a lead byte that has a byte after it.
size_t CharLength(const std::string& path, size_t index) {
  const bool lead = codepage::IsLeadByte(static_cast<uint8_t>(path[index]));
  return (lead && index + 1 < path.size()) ? 2 : 1;
}

// Index of the last '.' after the last separator, or npos. Trail bytes are stepped over, so the
// second byte of a character such as U+30BD (0x83 0x5C) is never taken for a backslash.
size_t ExtensionDot(const std::string& path) {
  size_t dot = std::string::npos;
  for (size_t i = 0; i < path.size(); i += CharLength(path, i)) {
    const char byte = path[i];
    if (CharLength(path, i) == 2) continue;
    if (byte == '\\' || byte == '/') {
      dot = std::string::npos;
    } else if (byte == '.') {
      dot = i;
    }
  }
  return dot;
}

// Index just past the last separator, or 0.
size_t FileNameStart(const std::string& path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); i += CharLength(path, i))
    if (CharLength(path, i) == 1 && (path[i] == '\\' || path[i] == '/')) start = i + 1;
  return start;
}

}  // namespace

std::string ReplaceExtensionWithIni(const std::string& path) {
  if (path.empty()) return {};
  const size_t dot = ExtensionDot(path);
  if (dot == std::string::npos) return path + ".ini";
  // Up to three bytes after the '.' go, but never half of a double-byte character.
  size_t end = dot + 1;
  while (end < path.size() && end - (dot + 1) < 3) end += CharLength(path, end);
  return path.substr(0, dot) + ".ini" + path.substr(end);
}

std::string FolderNamedAfterModule(const std::string& path) {
  if (path.empty()) return {};
  const size_t dot = ExtensionDot(path);
  return path.substr(0, dot == std::string::npos ? path.size() : dot) + "\\";
}

std::string HostPluginsFolder(const std::string& hostFolder) {
  if (hostFolder.empty()) return {};
  std::string folder = hostFolder;
  // A trailing backslash counts only as a whole character, never as the end of a double-byte one.
  if (FileNameStart(folder) == folder.size()) folder.pop_back();
  return folder + "\\Plugins";
}

std::string HostFolderIniPath(const std::string& hostFolder, const std::string& besideIni) {
  if (hostFolder.empty() || besideIni.empty()) return {};
  return HostPluginsFolder(hostFolder) + "\\" + besideIni.substr(FileNameStart(besideIni));
}
