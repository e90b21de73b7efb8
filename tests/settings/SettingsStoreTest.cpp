// The settings store against real INI files in a temporary folder, through the system's profile
// functions.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "plugin/Module.h"
#include "settings/ModulePath.h"
#include "settings/SettingsStore.h"
#include "support/FileBytes.h"

namespace {

// "MS P" and four katakana in code page 932, spelled as bytes so a wrong source charset shows.
const std::string kDefaultFontBytes = "MS P\x83\x53\x83\x56\x83\x62\x83\x4E";

void WriteWholeFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The file's non-empty lines without their line ends.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

// Every field, for comparing whole records.
std::string Describe(const Settings& s) {
  std::ostringstream text;
  text << s.ShowOnlyZip << s.ShowOnlyUncompressedZip << s.CountUp << s.compact << s.timebar << "|" << s.font << "|"
       << s.Normal << "|" << s.ID3 << "|" << s.Compilation << "|" << s.useID3 << s.useCompilation << "|" << s.x
       << "," << s.y << "," << s.width << "," << s.height;
  return text.str();
}

RECT DesktopRect() {
  RECT rect = {};
  GetWindowRect(GetDesktopWindow(), &rect);
  return rect;
}

// Every case starts from the record as the DLL holds it before loading, with iniPath pointing at a
// fresh file name of its own (the profile functions cache files by name).
class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static int counter = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "tc_settings_" + std::to_string(GetCurrentProcessId()) + "_" +
             std::to_string(++counter);
    CreateDirectoryA(folder.c_str(), nullptr);
    path = folder + "\\gen_trackcase.ini";
    written = {path};
    g_settings = Settings{};
    iniPath = path;
    hostIniPath.clear();
    pluginFolder.clear();
    g_pluginInstance = GetModuleHandleA(nullptr);
  }

  void TearDown() override {
    for (const std::string& file : written) {
      WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());  // drop the cached copy
      DeleteFileA(file.c_str());
    }
    RemoveDirectoryA(folder.c_str());
    iniPath.clear();
  }

  // Loads a new INI file of this text into a fresh record.
  void LoadFrom(const std::string& text) {
    iniPath = folder + "\\load" + std::to_string(written.size()) + ".ini";
    written.push_back(iniPath);
    WriteWholeFile(iniPath, text);
    g_settings = Settings{};
    LoadSettings();
  }

  std::string folder;
  std::string path;
  std::vector<std::string> written;
};

TEST_F(SettingsStoreTest, NoFileGivesDefaultsAndFirstSaveWritesEveryKey) {
  LoadSettings();
  const Settings& s = g_settings;
  EXPECT_EQ(s.ShowOnlyZip, 0);
  EXPECT_EQ(s.ShowOnlyUncompressedZip, 0);
  EXPECT_EQ(s.CountUp, 1);
  EXPECT_EQ(s.compact, 0);
  EXPECT_EQ(s.timebar, 1);
  EXPECT_EQ(s.font, kDefaultFontBytes);
  EXPECT_EQ(s.Normal, "%FILE_NAME%");
  EXPECT_EQ(s.ID3, "%TRACK_NUMBER2%. %TRACK_NAME%");
  EXPECT_EQ(s.Compilation, "%TRACK_NUMBER2%. (%ARTIST_NAME%)%TRACK_NAME%");
  EXPECT_EQ(s.useID3, 0);
  EXPECT_EQ(s.useCompilation, 0);
  EXPECT_EQ(s.x, 50);
  EXPECT_EQ(s.y, 30);
  EXPECT_EQ(s.width, 5);
  EXPECT_EQ(s.height, 3);
  EXPECT_FALSE(FileExists(path)) << "loading must not create the file";

  SaveSettings();
  const std::vector<std::string> expected = {
      "[Display]",
      "ShowOnlyZip=no",
      "ShowOnlyUncompressedZip=no",
      "CountUp=yes",
      "compact=no",
      "timebar=yes",
      "font=" + kDefaultFontBytes,
      "[List]",
      "Normal=%FILE_NAME%",
      "ID3=%TRACK_NUMBER2%. %TRACK_NAME%",
      "Compilation=%TRACK_NUMBER2%. (%ARTIST_NAME%)%TRACK_NAME%",
      "useID3=no",
      "useCompilation=no",
      "[pos]",
      "x=50",
      "y=30",
      "width=5",
      "height=3",
  };
  EXPECT_EQ(Lines(ReadFileBytes(path)), expected);
}

TEST_F(SettingsStoreTest, SavedValuesComeBackUnchanged) {
  g_settings = Settings{};
  Settings& s = g_settings;
  s.ShowOnlyZip = 1;
  s.ShowOnlyUncompressedZip = 1;
  s.CountUp = 0;
  s.compact = 1;
  s.timebar = 0;
  s.font = "\x82\x6C\x82\x72 \x96\xBE\x92\xA9";  // MS Mincho in full-width letters and kanji
  s.Normal = "\x83\x5C\x83\x74\x83\x67 %FILE_PATH%";  // a trail byte equal to '\'
  s.ID3 = "%TRACK_NUMBER3% %TRACK_NAME%";
  s.Compilation = "";  // kept empty, not replaced by the default
  s.useID3 = 1;
  s.useCompilation = 1;
  s.x = 12;
  s.y = 34;
  s.width = 7;
  s.height = 9;
  const Settings saved = s;
  SaveSettings();

  g_settings = Settings{};
  LoadSettings();
  EXPECT_EQ(Describe(g_settings), Describe(saved));
}

// Only CountUp, useID3 and useCompilation ignore letter case.
TEST_F(SettingsStoreTest, UpperCaseYesSetsOnlyTheCaseBlindFlags) {
  for (const std::string value : {"YES", "Yes"}) {
    SCOPED_TRACE(value);
    LoadFrom("[Display]\r\nShowOnlyZip=" + value + "\r\nShowOnlyUncompressedZip=" + value + "\r\nCountUp=" +
             value + "\r\ncompact=" + value + "\r\ntimebar=" + value + "\r\n[List]\r\nuseID3=" + value +
             "\r\nuseCompilation=" + value + "\r\n");
    EXPECT_EQ(g_settings.CountUp, 1);
    EXPECT_EQ(g_settings.useID3, 1);
    EXPECT_EQ(g_settings.useCompilation, 1);
    EXPECT_EQ(g_settings.ShowOnlyZip, 0);
    EXPECT_EQ(g_settings.ShowOnlyUncompressedZip, 0);
    EXPECT_EQ(g_settings.compact, 0);
    EXPECT_EQ(g_settings.timebar, 0);
  }
}

TEST_F(SettingsStoreTest, AnythingButYesClearsAFlag) {
  LoadFrom("[Display]\r\nShowOnlyZip=yes\r\nCountUp=1\r\ncompact=yes \r\ntimebar=true\r\n"
           "[List]\r\nuseID3=yess\r\nuseCompilation=\r\n");
  EXPECT_EQ(g_settings.ShowOnlyZip, 1);
  EXPECT_EQ(g_settings.CountUp, 0);
  EXPECT_EQ(g_settings.compact, 1) << "the profile reader trims trailing blanks";
  EXPECT_EQ(g_settings.timebar, 0);
  EXPECT_EQ(g_settings.useID3, 0);
  EXPECT_EQ(g_settings.useCompilation, 0);
}

TEST_F(SettingsStoreTest, PresentButEmptyTextsReadAsEmpty) {
  LoadFrom("[Display]\r\nfont=\r\n[List]\r\nNormal=\r\n");
  EXPECT_EQ(g_settings.font, "");
  EXPECT_EQ(g_settings.Normal, "");
  EXPECT_EQ(g_settings.ID3, "%TRACK_NUMBER2%. %TRACK_NAME%") << "a missing key keeps its default";
}

TEST_F(SettingsStoreTest, PositionIsKeptOnTheDesktop) {
  const RECT desktop = DesktopRect();
  ASSERT_GT(desktop.right, 50);
  ASSERT_GT(desktop.bottom, 30);
  struct Case {
    std::string x, y;
    int32_t expectedX, expectedY;
  };
  const std::vector<Case> cases = {
      {"-20", "-1", 0, 0},
      {std::to_string(desktop.right), std::to_string(desktop.bottom), desktop.right, desktop.bottom},
      {std::to_string(desktop.right + 1), std::to_string(desktop.bottom + 1), 50, 30},
      {"100000", "100000", 50, 30},
      {"0", "0", 0, 0},
      {"12abc", "+7", 12, 7},
      {"abc", "x9", 0, 0},  // not a number reads as 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("x=" + c.x + " y=" + c.y);
    LoadFrom("[pos]\r\nx=" + c.x + "\r\ny=" + c.y + "\r\n");
    EXPECT_EQ(g_settings.x, c.expectedX);
    EXPECT_EQ(g_settings.y, c.expectedY);
  }
}

TEST_F(SettingsStoreTest, SizeHasItsMinimumsAndASaneMaximum) {
  struct Case {
    std::string width, height;
    int32_t expectedWidth, expectedHeight;
  };
  const std::vector<Case> cases = {
      {"3", "1", 5, 2}, {"5", "2", 5, 2}, {"6", "3", 6, 3}, {"-4", "0", 5, 2}, {"40", "abc", 40, 2},
      // A hand-edited file must not make the window's pixel size overflow.
      {"400", "400", 400, 400}, {"401", "401", 400, 400}, {"2147483647", "99999999", 400, 400},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("width=" + c.width + " height=" + c.height);
    LoadFrom("[pos]\r\nwidth=" + c.width + "\r\nheight=" + c.height + "\r\n");
    EXPECT_EQ(g_settings.width, c.expectedWidth);
    EXPECT_EQ(g_settings.height, c.expectedHeight);
  }
}

TEST_F(SettingsStoreTest, NegativePositionIsWrittenUnsignedAndReadBackAsZero) {
  LoadSettings();
  g_settings.x = -10;
  g_settings.y = -1;
  SaveSettings();
  const std::vector<std::string> lines = Lines(ReadFileBytes(path));
  EXPECT_NE(std::find(lines.begin(), lines.end(), "x=4294967286"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "y=4294967295"), lines.end());
  // The reader wraps the unsigned form back to the negative value, and the clamp raises it.
  EXPECT_EQ(static_cast<int32_t>(GetPrivateProfileIntA("pos", "x", 50, path.c_str())), -10);
  LoadSettings();
  EXPECT_EQ(g_settings.x, 0);
  EXPECT_EQ(g_settings.y, 0);
}

TEST_F(SettingsStoreTest, LongTemplateIsWrittenWholeAndReadBackCut) {
  std::string longTemplate;
  while (longTemplate.size() < 300) longTemplate += "%TRACK_NAME%-" + std::to_string(longTemplate.size());
  longTemplate.resize(300);
  LoadSettings();
  g_settings.Normal = longTemplate;
  SaveSettings();
  EXPECT_NE(ReadFileBytes(path).find("Normal=" + longTemplate + "\r\n"), std::string::npos);
  EXPECT_EQ(g_settings.Normal.size(), 300u) << "the record keeps the whole text until the next load";

  LoadSettings();
  EXPECT_EQ(g_settings.Normal, longTemplate.substr(0, 259));
}

TEST(ModuleFileName, CutPathGivesNothing) {
  const std::string whole = ModuleFileName(GetModuleHandleA(nullptr));
  ASSERT_GT(whole.size(), 4u);
  EXPECT_EQ(whole.substr(whole.size() - 4), ".exe");
  EXPECT_EQ(ModuleFileName(GetModuleHandleA(nullptr), static_cast<DWORD>(whole.size() + 1)), whole);
  EXPECT_EQ(ModuleFileName(GetModuleHandleA(nullptr), static_cast<DWORD>(whole.size())), "");
  EXPECT_EQ(ModuleFileName(GetModuleHandleA(nullptr), 8), "");
  EXPECT_EQ(ModuleFileName(GetModuleHandleA(nullptr), 0), "");
}

// The first load derives the three paths from the module (here the test program stands for both
// the plug-in and the host).
TEST(SettingsPaths, FirstLoadDerivesThePathsFromTheModules) {
  const std::string exe = ModuleFileName(GetModuleHandleA(nullptr));
  const std::string stem = exe.substr(0, exe.size() - 4);
  iniPath.clear();
  hostIniPath.clear();
  pluginFolder.clear();
  g_pluginInstance = GetModuleHandleA(nullptr);
  LoadSettings();
  EXPECT_EQ(iniPath, stem + ".ini");
  EXPECT_EQ(hostIniPath, stem + ".ini");
  EXPECT_EQ(pluginFolder, stem + "\\");
  iniPath.clear();
}

// Without the plug-in's instance handle the module call would name the host, so nothing is
// written rather than an INI file beside the host.
TEST(SettingsPaths, UnknownPluginModuleWritesNoFile) {
  const std::string exe = ModuleFileName(GetModuleHandleA(nullptr));
  const std::string besideHost = exe.substr(0, exe.size() - 4) + ".ini";
  DeleteFileA(besideHost.c_str());
  iniPath.clear();
  g_pluginInstance = nullptr;
  g_settings = Settings{};
  LoadSettings();
  EXPECT_EQ(iniPath, "");
  EXPECT_EQ(g_settings.width, 5) << "defaults still apply";
  EXPECT_EQ(g_settings.CountUp, 1);
  SaveSettings();
  EXPECT_EQ(iniPath, "");
  EXPECT_FALSE(FileExists(besideHost));
}

}  // namespace
