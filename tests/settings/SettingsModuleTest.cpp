// Where the settings go when the plug-in module is loaded from a real folder, including one whose
// path does not fit the module path buffer.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "plugin/Module.h"
#include "settings/SettingsStore.h"

namespace {

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  const int count = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                        static_cast<int>(wide.size()));
  wide.resize(count > 0 ? count : 0);
  return wide;
}

// Calls `visit` for every file and folder under `folder` (an extended-length path), children first.
template <typename Visit>
void Walk(const std::wstring& folder, Visit visit) {
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring child = folder + L"\\" + name;
    const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isFolder) Walk(child, visit);
    visit(child, isFolder);
  } while (FindNextFileW(search, &entry));
  FindClose(search);
}

class SettingsModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string base = temp;
    if (!base.empty() && base.back() == '\\') base.pop_back();
    root = base + "\\tc_settings_module_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryW(Wide(kLongPrefix + root).c_str(), nullptr);
    g_settings = Settings{};
    iniPath.clear();
    hostIniPath.clear();
    pluginFolder.clear();
  }

  void TearDown() override {
    if (module) FreeLibrary(module);
    g_pluginInstance = nullptr;
    iniPath.clear();
    const std::wstring top = Wide(kLongPrefix + root);
    Walk(top, [](const std::wstring& child, bool isFolder) {
      isFolder ? RemoveDirectoryW(child.c_str()) : DeleteFileW(child.c_str());
    });
    RemoveDirectoryW(top.c_str());
  }

  // Copies the probe DLL into `folder` (made as needed) as gen_trackcase.dll and loads it as the
  // plug-in module.
  void LoadPluginFrom(const std::string& folder) {
    std::string made = root;
    for (size_t start = root.size() + 1; start <= folder.size(); ) {
      size_t end = folder.find('\\', start);
      if (end == std::string::npos) end = folder.size();
      made = folder.substr(0, end);
      CreateDirectoryW(Wide(kLongPrefix + made).c_str(), nullptr);
      start = end + 1;
    }
    const std::wstring dll = Wide(kLongPrefix + folder + "\\gen_trackcase.dll");
    ASSERT_TRUE(CopyFileW(Wide(kProbeDll).c_str(), dll.c_str(), FALSE)) << GetLastError();
    module = LoadLibraryW(dll.c_str());
    ASSERT_NE(module, nullptr) << GetLastError();
    g_pluginInstance = module;
  }

  std::vector<std::wstring> IniFilesUnderRoot() {
    std::vector<std::wstring> found;
    Walk(Wide(kLongPrefix + root), [&found](const std::wstring& child, bool isFolder) {
      if (!isFolder && child.size() >= 4 && child.compare(child.size() - 4, 4, L".ini") == 0) found.push_back(child);
    });
    return found;
  }

  static constexpr const char* kLongPrefix = "\\\\?\\";
  static constexpr const char* kProbeDll = TC_PROBE_DLL;
  std::string root;
  HMODULE module = nullptr;
};

TEST_F(SettingsModuleTest, SettingsFileLandsBesideThePluginModule) {
  const std::string folder = root + "\\Plugins v1.5";
  LoadPluginFrom(folder);
  LoadSettings();
  EXPECT_EQ(iniPath, folder + "\\gen_trackcase.ini");
  EXPECT_EQ(pluginFolder, folder + "\\gen_trackcase\\");
  EXPECT_EQ(g_settings.height, 3);
  g_settings.height = 7;
  SaveSettings();
  EXPECT_EQ(IniFilesUnderRoot(), std::vector<std::wstring>{Wide(kLongPrefix + iniPath)});
  EXPECT_EQ(GetPrivateProfileIntA("pos", "height", 0, iniPath.c_str()), 7u);
}

TEST_F(SettingsModuleTest, ModulePathTooLongForTheBufferKeepsNoFile) {
  // Folders that bring the module's path past 259 bytes; a cut path would end inside them.
  std::string folder = root;
  while (folder.size() < 300) folder += "\\" + std::string(40, 'd') + ".x";
  LoadPluginFrom(folder);
  if (HasFatalFailure()) return;
  wchar_t loaded[1024] = {};
  ASSERT_GT(GetModuleFileNameW(module, loaded, 1024), 259u) << "the module must sit past the buffer";

  LoadSettings();
  EXPECT_EQ(iniPath, "");
  EXPECT_EQ(pluginFolder, "");
  EXPECT_EQ(g_settings.CountUp, 1) << "defaults still apply";
  EXPECT_EQ(g_settings.width, 5);

  SaveSettings();
  EXPECT_EQ(iniPath, "");
  EXPECT_TRUE(IniFilesUnderRoot().empty());
}

}  // namespace
