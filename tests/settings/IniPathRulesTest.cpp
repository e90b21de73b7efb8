// The rules that turn a module's path into the INI file and the skin folder.
#include <gtest/gtest.h>

#include <string>

#include "settings/IniPathRules.h"

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
    if (c.folder != "-") EXPECT_EQ(FolderNamedAfterModule(c.module), c.folder) << c.module;
  }
}

}  // namespace
