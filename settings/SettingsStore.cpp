// The settings record's INI file: sections Display, List and pos, read with the profile functions
// and written back whole.
#include "settings/SettingsStore.h"

#include <windows.h>

#include <vector>

#include "plugin/Module.h"
#include "settings/ModulePath.h"
#include "settings/ScreenPlacement.h"

std::string iniPath;
std::string hostIniPath;
std::string pluginFolder;
std::string hostSettingsFolder;

namespace {

constexpr char kDisplay[] = "Display";
constexpr char kList[] = "List";
constexpr char kPos[] = "pos";
constexpr char kYes[] = "yes";
constexpr char kNo[] = "no";
constexpr char kDefaultFont[] = "MS Pゴシック";

// Texts are read through a buffer of this size, so a stored text keeps its first 259 bytes.
constexpr DWORD kReadBufferSize = 260;
// Numbers are formatted into a buffer of this size.
constexpr size_t kNumberBufferSize = 256;

// The plug-in's own path. Without an instance handle the module call would name the host's
// executable, and the settings would land beside the host; better to keep none.
std::string PluginModulePath() {
  if (g_pluginInstance == nullptr) return {};
  return ModuleFileName(g_pluginInstance);
}

// Whether the settings can be saved at `path`: an existing file opened for writing, or else a file
// made there and gone again at once. Asked rather than inferred from attributes or rights, which
// say nothing of the volume, the sharing or the system's own checks.
bool CanWrite(const std::string& path) {
  const bool exists = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  const HANDLE file =
      exists ? CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr)
             : CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// The file in the host's settings folder, made ready: its Plugins folder exists, and a first use
// starts from the values beside the DLL, which stays as it is.
std::string HostFolderIni(const std::string& besideIni) {
  const std::string path = HostFolderIniPath(hostSettingsFolder, besideIni);
  CreateDirectoryA(HostPluginsFolder(hostSettingsFolder).c_str(), nullptr);
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES &&
      CopyFileA(besideIni.c_str(), path.c_str(), TRUE)) {
    // The copy keeps a read-only mark, which would lose the settings here as well.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
      SetFileAttributesA(path.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  }
  return path;
}

ScreenRect DesktopRect() {
  RECT desktop = {};
  GetWindowRect(GetDesktopWindow(), &desktop);
  return ScreenRect{desktop.left, desktop.top, desktop.right, desktop.bottom};
}

BOOL CALLBACK AddMonitor(HMONITOR /*monitor*/, HDC /*dc*/, LPRECT area, LPARAM list) {
  reinterpret_cast<std::vector<ScreenRect>*>(list)->push_back(ScreenRect{area->left, area->top, area->right, area->bottom});
  return TRUE;
}

std::vector<ScreenRect> MonitorRects() {
  std::vector<ScreenRect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

void SetUpPaths(bool withPluginFolder) {
  const std::string modulePath = PluginModulePath();
  iniPath = ReplaceExtensionWithIni(modulePath);
  if (!iniPath.empty() && !hostSettingsFolder.empty() && !CanWrite(iniPath)) iniPath = HostFolderIni(iniPath);
  if (withPluginFolder) pluginFolder = FolderNamedAfterModule(modulePath);
  hostIniPath = ReplaceExtensionWithIni(ModuleFileName(GetModuleHandleA(nullptr)));
}

std::string ReadText(const char* section, const char* key, const char* defaultValue) {
  if (iniPath.empty()) return defaultValue;
  char buffer[kReadBufferSize] = {};
  GetPrivateProfileStringA(section, key, defaultValue, buffer, kReadBufferSize, iniPath.c_str());
  buffer[kReadBufferSize - 1] = '\0';
  return buffer;
}

// Flags that must read exactly "yes".
int32_t ReadFlag(const char* section, const char* key, const char* defaultValue) {
  return ReadText(section, key, defaultValue) == kYes ? 1 : 0;
}

// Flags that read "yes" in any letter case.
int32_t ReadFlagAnyCase(const char* section, const char* key, const char* defaultValue) {
  return lstrcmpiA(ReadText(section, key, defaultValue).c_str(), kYes) == 0 ? 1 : 0;
}

// The profile reader accumulates digits modulo 2^32; its unsigned result is taken as signed on
// purpose, so a saved "%u" form of a negative number reads back as that number.
int32_t ReadNumber(const char* section, const char* key, int32_t defaultValue) {
  if (iniPath.empty()) return defaultValue;
  return static_cast<int32_t>(GetPrivateProfileIntA(section, key, defaultValue, iniPath.c_str()));
}

void WriteText(const char* section, const char* key, const std::string& value) {
  WritePrivateProfileStringA(section, key, value.c_str(), iniPath.c_str());
}

void WriteFlag(const char* section, const char* key, int32_t flag) {
  WriteText(section, key, flag ? kYes : kNo);
}

void WriteNumber(const char* section, const char* key, int32_t value) {
  char buffer[kNumberBufferSize];
  wsprintfA(buffer, "%u", static_cast<UINT>(value));
  WriteText(section, key, buffer);
}

}  // namespace

void LoadSettings() {
  namespace d = settings_defaults;
  if (iniPath.empty()) SetUpPaths(true);
  Settings& s = g_settings;

  s.ShowOnlyZip = ReadFlag(kDisplay, "ShowOnlyZip", kNo);
  s.ShowOnlyUncompressedZip = ReadFlag(kDisplay, "ShowOnlyUncompressedZip", kNo);
  s.CountUp = ReadFlagAnyCase(kDisplay, "CountUp", kYes);
  s.compact = ReadFlag(kDisplay, "compact", kNo);
  s.timebar = ReadFlag(kDisplay, "timebar", kYes);
  s.font = ReadText(kDisplay, "font", kDefaultFont);

  s.Normal = ReadText(kList, "Normal", d::kNormal);
  s.ID3 = ReadText(kList, "ID3", d::kID3);
  s.Compilation = ReadText(kList, "Compilation", d::kCompilation);
  s.useID3 = ReadFlagAnyCase(kList, "useID3", kNo);
  s.useCompilation = ReadFlagAnyCase(kList, "useCompilation", kNo);

  s.x = ReadNumber(kPos, "x", d::kX);
  s.y = ReadNumber(kPos, "y", d::kY);
  PlaceSavedPosition(s.x, s.y, DesktopRect(), MonitorRects());

  s.width = ReadNumber(kPos, "width", d::kWidth);
  if (s.width < 5) s.width = 5;
  if (s.width > d::kMaxWidth) s.width = d::kMaxWidth;

  s.height = ReadNumber(kPos, "height", d::kHeight);
  if (s.height < 2) s.height = 2;
  if (s.height > d::kMaxHeight) s.height = d::kMaxHeight;
}

void KeepSavedPositionOnScreen() { PlaceSavedPosition(g_settings.x, g_settings.y, DesktopRect(), MonitorRects()); }

void SaveSettings() {
  if (iniPath.empty()) SetUpPaths(false);
  if (iniPath.empty()) return;  // the plug-in's path is unknown: keep nothing rather than guess
  const Settings& s = g_settings;

  WriteFlag(kDisplay, "ShowOnlyZip", s.ShowOnlyZip);
  WriteFlag(kDisplay, "ShowOnlyUncompressedZip", s.ShowOnlyUncompressedZip);
  WriteFlag(kDisplay, "CountUp", s.CountUp);
  WriteFlag(kDisplay, "compact", s.compact);
  WriteFlag(kDisplay, "timebar", s.timebar);
  WriteText(kDisplay, "font", s.font);

  WriteText(kList, "Normal", s.Normal);
  WriteText(kList, "ID3", s.ID3);
  WriteText(kList, "Compilation", s.Compilation);
  WriteFlag(kList, "useID3", s.useID3);
  WriteFlag(kList, "useCompilation", s.useCompilation);

  WriteNumber(kPos, "x", s.x);
  WriteNumber(kPos, "y", s.y);
  WriteNumber(kPos, "width", s.width);
  WriteNumber(kPos, "height", s.height);
}
