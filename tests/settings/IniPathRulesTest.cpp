// The rules that turn a module's path into the INI file and the skin folder.
#include <gtest/gtest.h>

#include <string>

#include "settings/IniPathRules.h"

namespace {

TEST(IniPathRules, PluginAndHostPaths) {
  EXPECT_EQ(ReplaceExtensionWithIni("C:\\Plugins\\gen_trackcase.dll"), "C:\\Plugins\\gen_trackcase.ini");
  EXPECT_EQ(FolderNamedAfterModule("C:\\Plugins\\gen_trackcase.dll"), "C:\\Plugins\\gen_trackcase\\");
  EXPECT_EQ(ReplaceExtensionWithIni("C:\\Player\\host.exe"), "C:\\Player\\host.ini");
}

TEST(IniPathRules, OnlyTheLastDotAndThreeBytesAfterItAreReplaced) {
  EXPECT_EQ(ReplaceExtensionWithIni("C:\\p\\gen.trackcase.dll"), "C:\\p\\gen.trackcase.ini");
  EXPECT_EQ(FolderNamedAfterModule("C:\\p\\gen.trackcase.dll"), "C:\\p\\gen.trackcase\\");
  EXPECT_EQ(ReplaceExtensionWithIni("C:\\p\\a.d"), "C:\\p\\a.ini");
  EXPECT_EQ(ReplaceExtensionWithIni("C:\\p\\a."), "C:\\p\\a.ini");
  // A longer extension keeps what follows its third byte.
  EXPECT_EQ(ReplaceExtensionWithIni("C:\\p\\a.dllx"), "C:\\p\\a.inix");
}

TEST(IniPathRules, DotInAFolderNameNeverMovesTheFile) {
  // The file name has no '.': the INI file and the skin folder stay beside the module.
  EXPECT_EQ(ReplaceExtensionWithIni("C:\\Player v1.5\\Plugins\\gen_trackcase"),
            "C:\\Player v1.5\\Plugins\\gen_trackcase.ini");
  EXPECT_EQ(FolderNamedAfterModule("C:\\Player v1.5\\Plugins\\gen_trackcase"),
            "C:\\Player v1.5\\Plugins\\gen_trackcase\\");
  EXPECT_EQ(ReplaceExtensionWithIni("C:/Player.v1/gen_trackcase"), "C:/Player.v1/gen_trackcase.ini");
  EXPECT_EQ(ReplaceExtensionWithIni("gen_trackcase"), "gen_trackcase.ini");
}

TEST(IniPathRules, DoubleByteCharactersAreNeverSplit) {
  // "\x83\x5C" is one character whose second byte equals '\'. Taken as a separator it would hide
  // the file name's '.', and the INI name would grow from the wrong place.
  EXPECT_EQ(ReplaceExtensionWithIni("C:\\d\\a.\x83\x5C" "b"), "C:\\d\\a.ini");
  EXPECT_EQ(FolderNamedAfterModule("C:\\d\\a.\x83\x5C" "b"), "C:\\d\\a\\");
  // Three bytes after the '.' end inside "\x83\x5C": the whole character goes, no stray trail byte.
  EXPECT_EQ(ReplaceExtensionWithIni("C:\\d\\a.b\x83\x5C"), "C:\\d\\a.ini");
  // Japanese folder and file names pass through.
  EXPECT_EQ(ReplaceExtensionWithIni("C:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C.dll"),
            "C:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C.ini");
  // A lead byte at the very end stands alone and is kept.
  EXPECT_EQ(ReplaceExtensionWithIni("C:\\d\\a\x83"), "C:\\d\\a\x83.ini");
}

TEST(IniPathRules, UnknownModuleGivesNoPath) {
  EXPECT_EQ(ReplaceExtensionWithIni(""), "");
  EXPECT_EQ(FolderNamedAfterModule(""), "");
}

TEST(IniPathRules, LongPathsAreHandledWhole) {
  const std::string folder = "C:\\" + std::string(300, 'f') + ".x\\";
  EXPECT_EQ(ReplaceExtensionWithIni(folder + "gen_trackcase.dll"), folder + "gen_trackcase.ini");
  EXPECT_EQ(ReplaceExtensionWithIni(folder + "gen_trackcase"), folder + "gen_trackcase.ini");
}

}  // namespace
