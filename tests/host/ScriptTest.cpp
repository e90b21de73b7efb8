// The script language, the menu-walking keys, the plug-in record check and the skin list.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "host/AnsiText.h"
#include "host/ModalAnswer.h"
#include "host/PluginSet.h"
#include "host/Script.h"
#include "host/SkinSet.h"

namespace host {
namespace {

TEST(Script, ParsesCommandsWithQuotesAndComments) {
  std::vector<ScriptCommand> cmds;
  std::vector<ScriptError> errors;
  ASSERT_TRUE(ParseScript("# heading\n\nload \"C:/a b/x.mp3\" y.mp3  # two files\r\n  advance 1500 300\nquit", cmds,
                          errors));
  ASSERT_EQ(cmds.size(), 3u);
  EXPECT_EQ(cmds[0].line, 3);
  EXPECT_EQ(cmds[0].name, "load");
  EXPECT_EQ(cmds[0].args, (std::vector<std::string>{"C:/a b/x.mp3", "y.mp3"}));
  EXPECT_EQ(cmds[1].line, 4);
  EXPECT_EQ(cmds[1].args, (std::vector<std::string>{"1500", "300"}));
  EXPECT_EQ(cmds[2].name, "quit");
}

TEST(Script, ReportsEveryBadLineWithItsNumber) {
  std::vector<ScriptCommand> cmds;
  std::vector<ScriptError> errors;
  EXPECT_FALSE(ParseScript("play\nfly away\nseek\nkey pe\nload \"open\nclick plugin 1 2 3\nquit", cmds, errors));
  ASSERT_EQ(errors.size(), 5u);
  EXPECT_EQ(errors[0].line, 2);
  EXPECT_NE(errors[0].message.find("fly"), std::string::npos);
  EXPECT_EQ(errors[1].line, 3);
  EXPECT_EQ(errors[2].line, 4);
  EXPECT_EQ(errors[3].line, 5);
  EXPECT_EQ(errors[3].message, "unterminated quote");
  EXPECT_EQ(errors[4].line, 6);
}

TEST(Script, ChecksTheShapeOfEachCommand) {
  const struct {
    const char* line;
    bool good;
  } lines[] = {
      {"player501 profile", true}, {"player501", false},   {"modern now", false},
      {"mainwin minimise", true},  {"mainwin minimize", false}, {"mainwin hide show", false},
      {"expect menuitem 46000 checked", true},
  };
  for (const auto& l : lines) {
    std::vector<ScriptCommand> cmds;
    std::vector<ScriptError> errors;
    EXPECT_EQ(ParseScript(l.line, cmds, errors), l.good) << l.line;
    EXPECT_EQ(cmds.size(), l.good ? 1u : 0u) << l.line;
  }
}

TEST(Script, NumbersAreCheckedForRangeAndForm) {
  uint32_t u = 0;
  EXPECT_TRUE(ParseUint32("4294967295", u));
  EXPECT_EQ(u, 4294967295u);
  EXPECT_TRUE(ParseUint32("0x10", u));
  EXPECT_EQ(u, 16u);
  EXPECT_FALSE(ParseUint32("4294967296", u));
  EXPECT_FALSE(ParseUint32("-1", u));
  EXPECT_FALSE(ParseUint32("12ms", u));
  EXPECT_FALSE(ParseUint32("", u));
  int32_t i = 0;
  EXPECT_TRUE(ParseInt32("-2147483648", i));
  EXPECT_EQ(i, INT32_MIN);
  EXPECT_TRUE(ParseInt32("-15", i));
  EXPECT_EQ(i, -15);
  EXPECT_FALSE(ParseInt32("2147483648", i));
  EXPECT_FALSE(ParseInt32("-", i));
}

TEST(Script, KeyNamesBecomeVirtualKeys) {
  const struct {
    const char* text;
    uint32_t vk;
  } keys[] = {{"period", 190}, {"comma", 188}, {"m", 'M'}, {"M", 'M'}, {"5", '5'}, {"13", 13},
              {"0xBE", 190},   {"f4", 0x73},   {"enter", 13}, {"pgdn", 34}};
  for (const auto& k : keys) {
    uint32_t vk = 0;
    EXPECT_TRUE(ParseVirtualKey(k.text, vk)) << k.text;
    EXPECT_EQ(vk, k.vk) << k.text;
  }
  uint32_t vk = 0;
  EXPECT_FALSE(ParseVirtualKey("?", vk));
  EXPECT_FALSE(ParseVirtualKey("255", vk));
  EXPECT_FALSE(ParseVirtualKey("f13", vk));
  EXPECT_FALSE(ParseVirtualKey("", vk));
  WindowRole r;
  EXPECT_TRUE(ParseWindowRole("mb", r));
  EXPECT_EQ(r, WindowRole::MiniBrowser);
  EXPECT_FALSE(ParseWindowRole("PE", r));
}

int __cdecl NoInit() { return 0; }
void __cdecl NoCall() {}

TEST(PluginRecordCheck, RefusesIncompleteRecords) {
  PluginRecord good = {kPluginVersion, "x", NoInit, NoCall, NoCall, nullptr, nullptr};
  EXPECT_EQ(CheckPluginRecord(&good), nullptr);
  EXPECT_NE(CheckPluginRecord(nullptr), nullptr);
  PluginRecord r = good;
  r.version = 0x11;
  EXPECT_NE(CheckPluginRecord(&r), nullptr);
  r = good;
  r.description = nullptr;
  EXPECT_NE(CheckPluginRecord(&r), nullptr);
  r = good;
  r.init = nullptr;
  EXPECT_NE(CheckPluginRecord(&r), nullptr);
  r = good;
  r.config = nullptr;
  EXPECT_NE(CheckPluginRecord(&r), nullptr);
  r = good;
  r.quit = nullptr;
  EXPECT_NE(CheckPluginRecord(&r), nullptr);
}

class MenuWalk : public testing::Test {
 protected:
  void SetUp() override {
    // 10 A; separator; 11 B; submenu { 20 C; separator; 21 D }; 12 E
    menu_ = CreatePopupMenu();
    AppendMenuA(menu_, MF_STRING, 10, "A");
    AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu_, MF_STRING, 11, "B");
    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 20, "C");
    AppendMenuA(sub, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(sub, MF_STRING, 21, "D");
    AppendMenuA(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Sub");
    AppendMenuA(menu_, MF_STRING, 12, "E");
  }
  void TearDown() override { DestroyMenu(menu_); }
  std::string Keys(UINT id) {
    std::string s;
    for (const MenuKey& k : MenuKeysForPath(menu_, FindMenuItemPath(menu_, id))) {
      if (k.message == WM_CHAR) s += "enter";
      else if (k.code == VK_HOME) s += "home ";
      else if (k.code == VK_DOWN) s += "down ";
      else if (k.code == VK_RIGHT) s += "right ";
      else s += "? ";
    }
    return s;
  }
  HMENU menu_ = nullptr;
};

TEST_F(MenuWalk, FindsItemsAtAnyDepth) {
  EXPECT_EQ(FindMenuItemPath(menu_, 10), std::vector<int>{0});
  EXPECT_EQ(FindMenuItemPath(menu_, 12), std::vector<int>{4});
  EXPECT_EQ(FindMenuItemPath(menu_, 21), (std::vector<int>{3, 2}));
  EXPECT_TRUE(FindMenuItemPath(menu_, 99).empty());
  EXPECT_TRUE(FindMenuItemPath(nullptr, 10).empty());
}

TEST_F(MenuWalk, KeysSkipSeparatorsAndEnterSubmenus) {
  EXPECT_EQ(Keys(10), "home enter");
  EXPECT_EQ(Keys(11), "home down enter");
  EXPECT_EQ(Keys(12), "home down down down enter");
  EXPECT_EQ(Keys(20), "home down down right enter");
  EXPECT_EQ(Keys(21), "home down down right down enter");
}

class SkinFolder : public testing::Test {
 protected:
  void SetUp() override {
    root_ = std::string(TC_BINARY_DIR) + "/tests/host/skinset-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(root_.c_str(), nullptr);
    for (const char* name : {"Zeta", "Alpha", "Mid"}) CreateDirectoryA((root_ + "/" + name).c_str(), nullptr);
    Write(root_ + "/not-a-skin.txt", "x");
    Write(root_ + "/Mid/Pledit.txt", "[Text]\r\nNormal=#102030\r\nNormalBG=#abcdef\r\nCurrent=#12\r\n");
  }
  void TearDown() override {
    DeleteFileA((root_ + "/Mid/Pledit.txt").c_str());
    DeleteFileA((root_ + "/not-a-skin.txt").c_str());
    for (const char* name : {"Zeta", "Alpha", "Mid"}) RemoveDirectoryA((root_ + "/" + name).c_str());
    RemoveDirectoryA(root_.c_str());
  }
  static void Write(const std::string& path, const char* text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(text, f);
    std::fclose(f);
  }
  std::string root_;
};

TEST_F(SkinFolder, ListsFoldersInNameOrderAndAnswersTheCurrentOne) {
  SkinSet skins;
  skins.Scan(root_);
  ASSERT_EQ(skins.Names(), (std::vector<std::string>{"Alpha", "Mid", "Zeta"}));
  EXPECT_STREQ(skins.CurrentName(), "Alpha");
  EXPECT_EQ(skins.CurrentFolder(), root_ + "\\Alpha");
  EXPECT_FALSE(skins.Select("not-a-skin.txt"));
  EXPECT_STREQ(skins.CurrentName(), "Alpha");
  EXPECT_TRUE(skins.Select("Mid"));
  const SkinColors c = skins.CurrentColors();
  EXPECT_EQ(c.normal, 0x00302010u);
  EXPECT_EQ(c.normalBg, 0x00EFCDABu);
  EXPECT_EQ(c.current, SkinColors().current);  // malformed: default kept
  EXPECT_EQ(c.selectedBg, SkinColors().selectedBg);
}

TEST_F(SkinFolder, NoSkinsMeansEmptyAnswers) {
  SkinSet skins;
  skins.Scan(root_ + "/Zeta");
  EXPECT_TRUE(skins.Names().empty());
  EXPECT_STREQ(skins.CurrentName(), "");
  EXPECT_EQ(skins.CurrentFolder(), "");
  EXPECT_FALSE(skins.SelectIndex(0));
}

TEST(HostColor, ParsesOnlyTheFullForm) {
  EXPECT_EQ(ParseHostColor("#FF0000", 7), 0x000000FFu);
  EXPECT_EQ(ParseHostColor("#00ff00", 7), 0x0000FF00u);
  EXPECT_EQ(ParseHostColor("#0000FF", 7), 0x00FF0000u);
  EXPECT_EQ(ParseHostColor("#0000F", 7), 7u);
  EXPECT_EQ(ParseHostColor("#0000FG", 7), 7u);
  EXPECT_EQ(ParseHostColor("x000000", 7), 7u);
}

}  // namespace
}  // namespace host

namespace host {
namespace {

TEST(AnsiText, CutsLongTextsBeforeADoubleByteCharacter) {
  char buf[8];
  std::memset(buf, 'X', sizeof buf);
  CopyAnsiBounded("abcdef", buf, sizeof buf);
  EXPECT_STREQ(buf, "abcdef");
  CopyAnsiBounded("abcdefgh", buf, sizeof buf);
  EXPECT_STREQ(buf, "abcdefg");
  // "abcde" then the two bytes of a katakana letter (lead 0x83): 7 bytes fit, but the
  // character would end at byte 7, so it is left out entirely.
  CopyAnsiBounded("abcdef\x83\x5C", buf, sizeof buf);
  EXPECT_STREQ(buf, "abcdef");
  CopyAnsiBounded("abcde\x83\x5Cz", buf, sizeof buf);
  EXPECT_STREQ(buf, "abcde\x83\x5C");
  // A lead byte at the very end of the text stands alone.
  CopyAnsiBounded("ab\x83", buf, sizeof buf);
  EXPECT_STREQ(buf, "ab\x83");
  buf[0] = 'X';
  CopyAnsiBounded("abc", buf, 1);
  EXPECT_EQ(buf[0], '\0');
  CopyAnsiBounded("abc", buf, 0);  // nothing written, nothing overrun
  EXPECT_EQ(buf[0], '\0');
}

}  // namespace
}  // namespace host
