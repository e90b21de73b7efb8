// The rules that turn a module's path into the INI file and the skin folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/IniPathRules.h"
#include "settings/ScreenPlacement.h"

namespace {

TEST(IniPathRules, ModulePathsToIniFileAndSkinFolder) {
  const std::string longFolder = "C:\\" + std::string(300, 'f') + ".x\\";
  struct Case {
    std::string module, ini, folder;  // folder: "-" where only the INI rule is asked
  };
  const Case cases[] = {
      {"C:\\Plugins\\gen_trackcase.dll", "C:\\Plugins\\gen_trackcase.ini", "C:\\Plugins\\gen_trackcase\\"},
      {"C:\\Player\\host.exe", "C:\\Player\\host.ini", "-"},
      // Only the last '.' and three bytes after it are replaced; a longer extension keeps the rest.
      {"C:\\p\\gen.trackcase.dll", "C:\\p\\gen.trackcase.ini", "C:\\p\\gen.trackcase\\"},
      {"C:\\p\\a.d", "C:\\p\\a.ini", "-"},
      {"C:\\p\\a.", "C:\\p\\a.ini", "-"},
      {"C:\\p\\a.dllx", "C:\\p\\a.inix", "-"},
      // A '.' in a folder name never moves the file: without one in the file name, the INI file
      // and the skin folder stay beside the module.
      {"C:\\Player v1.5\\Plugins\\gen_trackcase", "C:\\Player v1.5\\Plugins\\gen_trackcase.ini",
       "C:\\Player v1.5\\Plugins\\gen_trackcase\\"},
      {"C:/Player.v1/gen_trackcase", "C:/Player.v1/gen_trackcase.ini", "-"},
      {"gen_trackcase", "gen_trackcase.ini", "-"},
      // "\x83\x5C" is one character whose second byte equals '\'. Taken as a separator it would
      // hide the file name's '.', and the INI name would grow from the wrong place.
      {"C:\\d\\a.\x83\x5C" "b", "C:\\d\\a.ini", "C:\\d\\a\\"},
      // Three bytes after the '.' end inside "\x83\x5C": the whole character goes, no stray trail byte.
      {"C:\\d\\a.bc\x83\x5C", "C:\\d\\a.ini", "-"},
      // Japanese folder and file names pass through.
      {"C:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C.dll", "C:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C.ini", "-"},
      // A lead byte at the very end stands alone and is kept.
      {"C:\\d\\a\x83", "C:\\d\\a\x83.ini", "-"},
      // An unknown module gives no path.
      {"", "", ""},
      // Long paths are handled whole.
      {longFolder + "gen_trackcase.dll", longFolder + "gen_trackcase.ini", "-"},
      {longFolder + "gen_trackcase", longFolder + "gen_trackcase.ini", "-"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReplaceExtensionWithIni(c.module), c.ini) << c.module;
    if (c.folder != "-") {
      EXPECT_EQ(FolderNamedAfterModule(c.module), c.folder) << c.module;
    }
  }
}

TEST(IniPathRules, SettingsInTheHostsFolderKeepTheFileName) {
  const std::string beside = "C:\\Program Files\\Winamp\\Plugins\\gen_trackcase.ini";
  const std::string kept = "C:\\Users\\u\\AppData\\Roaming\\Winamp\\Plugins\\gen_trackcase.ini";
  EXPECT_EQ(HostFolderIniPath("C:\\Users\\u\\AppData\\Roaming\\Winamp", beside), kept);
  EXPECT_EQ(HostFolderIniPath("C:\\Users\\u\\AppData\\Roaming\\Winamp\\", beside), kept);
  // A folder ending in "\x83\x5C" ends in a character, not in a separator.
  EXPECT_EQ(HostFolderIniPath("D:\\\x83\x5C", "x.ini"), "D:\\\x83\x5C\\Plugins\\x.ini");
  EXPECT_EQ(HostFolderIniPath("", beside), "");
}

// Monitors as the system reports them, primary first at 0,0.
TEST(ScreenPlacement, SavedPositionStaysOnAnyMonitorAndComesBackFromNone) {
  const ScreenRect primary{0, 0, 1920, 1080};
  const std::vector<ScreenRect> one = {primary};
  const std::vector<ScreenRect> leftAndRight = {primary, {-1280, 0, 0, 1024}, {1920, -200, 3840, 880}};
  const struct {
    const std::vector<ScreenRect>* monitors;
    int32_t x, y, placedX, placedY;
  } cases[] = {
      // One monitor: the older rule, and every point on it stays.
      {&one, -20, -1, 0, 0},
      {&one, 1920, 1080, 1920, 1080},
      {&one, 1921, 100000, 50, 30},
      {&one, 700, 500, 700, 500},
      // Left of and right of the primary, above it too: kept where the user put it.
      {&leftAndRight, -1000, 300, -1000, 300},
      {&leftAndRight, 2500, -150, 2500, -150},
      // On no monitor: below the left one, beyond the right one, a monitor since removed.
      {&leftAndRight, -1000, 1050, 0, 1050},
      {&leftAndRight, 4000, 100, 50, 100},
      {&one, -1000, 300, 0, 300},
      {&one, 2500, -150, 50, 0},
  };
  for (const auto& c : cases) {
    int32_t x = c.x;
    int32_t y = c.y;
    PlaceSavedPosition(x, y, primary, *c.monitors);
    EXPECT_EQ(std::to_string(x) + "," + std::to_string(y), std::to_string(c.placedX) + "," + std::to_string(c.placedY))
        << "saved " << c.x << "," << c.y << " on " << c.monitors->size() << " monitors";
  }
}

}  // namespace
