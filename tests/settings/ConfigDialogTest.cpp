// The configuration dialog in-process with the real dialog resource, driven from inside its modal
// loop: ticks, texts and enabling rules from the settings file, the variable menus, OK writing the
// file at once, the three ways of cancelling, the links and their look.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "plugin/Lifecycle.h"
#include "plugin/Module.h"
#include "resources/ResourceIds.h"
#include "settings/ConfigLinks.h"
#include "settings/SettingsStore.h"
#include "settings/VariableMenu.h"
#include "support/ZipWriter.h"
#include "tests/settings/ConfigDialogDriver.h"

namespace {

using Driver = ConfigDialogDriver;

std::string Ini(const std::string& file, const char* section, const char* key) {
  char value[1024] = {};
  GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, file.c_str());
  return value;
}

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
bool Ticked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

class ConfigDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    g_pluginInstance = GetModuleHandleA(nullptr);  // the dialog resource is linked into this program
    ini = (TestTempFolder() / "config_dialog.ini").string();
    DeleteFileA(ini.c_str());
    iniPath = ini;
    g_settings = Settings();
  }
  // Loads the settings from a file with `content`.
  void Load(const std::string& content) {
    WriteTempFile("config_dialog.ini", content);
    LoadSettings();
  }
  INT_PTR Run(Driver& driver) { return driver.Run([] { return static_cast<INT_PTR>(OpenConfiguration()); }); }

  std::string ini;
};

// The controls the enabling rules govern.
const int kRuledIds[] = {IDC_SHOW_ONLY_UNCOMPRESSED, IDC_ID3, IDC_ID3_VARIABLES, IDC_USE_COMPILATION, IDC_COMPILATION,
                         IDC_COMPILATION_VARIABLES};

struct OpeningCase {
  const char* ini;
  bool ticks[5];  // 1001, 1000, 1012, 1015, 1002
  const char* texts[4];  // 1010, 1013, 1016, 1020
  bool enabled[6];  // 1000, 1013, 1014, 1015, 1016, 1017
};

TEST_F(ConfigDialog, OpensWithTheFilesTicksAndTextsAndItsEnablingRules) {
  const OpeningCase cases[] = {
      {"[Display]\r\nShowOnlyZip=yes\r\nShowOnlyUncompressedZip=no\r\ntimebar=no\r\nfont=IPA\r\n"
       "[List]\r\nNormal=n %FILE_PATH%\r\nID3=i %TRACK_NAME%\r\nCompilation=c %ARTIST_NAME%\r\n"
       "useID3=yes\r\nuseCompilation=no\r\n",
       {true, false, true, false, false},
       {"n %FILE_PATH%", "i %TRACK_NAME%", "c %ARTIST_NAME%", "IPA"},
       {true, true, true, true, false, false}},
      {"[Display]\r\nShowOnlyZip=no\r\nShowOnlyUncompressedZip=yes\r\ntimebar=yes\r\nfont=\r\n"
       "[List]\r\nNormal=\r\nID3=ｲ\r\nCompilation=曲\r\nuseID3=no\r\nuseCompilation=yes\r\n",
       {false, true, false, true, true},
       {"", "ｲ", "曲", ""},
       {false, false, false, false, false, false}},
  };
  const int tickIds[] = {IDC_SHOW_ONLY_ZIP, IDC_SHOW_ONLY_UNCOMPRESSED, IDC_USE_ID3, IDC_USE_COMPILATION, IDC_TIMEBAR};
  const int textIds[] = {IDC_NORMAL, IDC_ID3, IDC_COMPILATION, IDC_FONT};
  for (const OpeningCase& c : cases) {
    SCOPED_TRACE(c.ini);
    Load(c.ini);
    Driver driver([&](HWND dialog) {
      for (int i = 0; i < 5; ++i) EXPECT_EQ(Ticked(dialog, tickIds[i]), c.ticks[i]) << tickIds[i];
      for (int i = 0; i < 4; ++i) EXPECT_EQ(Driver::Text(dialog, textIds[i]), c.texts[i]) << textIds[i];
      for (int i = 0; i < 6; ++i) EXPECT_EQ(Enabled(dialog, kRuledIds[i]), c.enabled[i]) << kRuledIds[i];
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(Run(driver), 0);
  }
}

TEST_F(ConfigDialog, EnablingRulesFollowTheClicksAndOkStoresDisabledTicks) {
  Load("");
  struct Step {
    int click;
    bool enabled[6];  // 1000, 1013, 1014, 1015, 1016, 1017
  };
  const Step steps[] = {
      {IDC_SHOW_ONLY_ZIP, {true, false, false, false, false, false}},
      {IDC_USE_ID3, {true, true, true, true, false, false}},
      {IDC_USE_COMPILATION, {true, true, true, true, true, true}},
      {IDC_SHOW_ONLY_ZIP, {false, true, true, true, true, true}},
      {IDC_USE_ID3, {false, false, false, false, false, false}},  // 1015 stays ticked
  };
  Driver driver([&](HWND dialog) {
    for (const Step& step : steps) {
      Driver::Click(dialog, step.click);
      for (int i = 0; i < 6; ++i) EXPECT_EQ(Enabled(dialog, kRuledIds[i]), step.enabled[i]) << step.click << " " << kRuledIds[i];
    }
    EXPECT_TRUE(Ticked(dialog, IDC_USE_COMPILATION));
    EXPECT_EQ(Driver::Text(dialog, IDC_ID3), "%TRACK_NUMBER2%. %TRACK_NAME%");
    EXPECT_EQ(Driver::Text(dialog, IDC_COMPILATION), "%TRACK_NUMBER2%. (%ARTIST_NAME%)%TRACK_NAME%");
    Driver::Click(dialog, IDOK);
  });
  EXPECT_EQ(Run(driver), 1);
  EXPECT_EQ(g_settings.useID3, 0);
  EXPECT_EQ(g_settings.useCompilation, 1);
  EXPECT_EQ(g_settings.ShowOnlyZip, 0);
  EXPECT_EQ(Ini(ini, "List", "useCompilation"), "yes");
}

const std::vector<std::string> kFileEntries = {"%FILE_NAME%\tファイル名。ディレクトリは除く。",
                                               "%FILE_PATH%\tディレクトリをふくんだファイル名。"};
const std::vector<std::string> kTagEntries = {
    "%FILE_NAME%\tファイル名。ディレクトリは除く。", "%FILE_PATH%\tディレクトリをふくんだファイル名。", "",
    "%TRACK_NUMBER%\tトラック番号。", "%TRACK_NUMBER2%\t２桁以上のトラック番号。",
    "%TRACK_NUMBER3%\t３桁以上のトラック番号。", "%TRACK_NAME%\t曲名。", "%ARTIST_NAME%\tアーティスト名。",
    "%ALBUM_NAME%\tアルバム名。", "%YEAR%\t年", "%COMMENT%\tコメント"};

TEST_F(ConfigDialog, VariableMenusInsertTheChosenVariableAtTheSelectionOrCaret) {
  Load("[List]\r\nuseID3=yes\r\nuseCompilation=yes\r\n");
  const std::string id3 = "%TRACK_NUMBER2%. %TRACK_NAME%";
  const std::string compilation = "%TRACK_NUMBER2%. (%ARTIST_NAME%)%TRACK_NAME%";
  struct Case {
    int button;
    int edit;
    int selStart, selEnd;  // -1: the end of the text
    UINT choice;           // item number; 0 dismisses the menu
    std::string expected;
    const std::vector<std::string>* entries;
  };
  const Case cases[] = {
      {IDC_ID3_VARIABLES, IDC_ID3, 0, 15, 7, "%TRACK_NAME%. %TRACK_NAME%", &kTagEntries},  // the first variable selected
      {IDC_ID3_VARIABLES, IDC_ID3, -1, -1, 7, id3 + "%TRACK_NAME%", &kTagEntries},        // the caret at the end
      {IDC_ID3_VARIABLES, IDC_ID3, 0, 15, 0, id3, &kTagEntries},                          // dismissed
      {IDC_NORMAL_VARIABLES, IDC_NORMAL, 0, 0, 2, "%FILE_PATH%%FILE_NAME%", &kFileEntries},
      {IDC_COMPILATION_VARIABLES, IDC_COMPILATION, 18, 31, 10, "%TRACK_NUMBER2%. (%YEAR%)%TRACK_NAME%", &kTagEntries},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("button " + std::to_string(c.button) + " choice " + std::to_string(c.choice));
    Driver driver([&](HWND dialog) {
      const std::string before = Driver::Text(dialog, c.edit);
      HWND edit = GetDlgItem(dialog, c.edit);
      SetFocus(edit);
      const int end = static_cast<int>(before.size());
      SendMessageA(edit, EM_SETSEL, c.selStart < 0 ? end : c.selStart, c.selEnd < 0 ? end : c.selEnd);
      driver.AnswerMenu(c.choice);
      Driver::Click(dialog, c.button);
      EXPECT_EQ(driver.menuItems, *c.entries);
      RECT button = {};
      GetWindowRect(GetDlgItem(dialog, c.button), &button);
      EXPECT_EQ(driver.menuRect.left, button.right);
      EXPECT_EQ(driver.menuRect.top, button.top);
      EXPECT_EQ(Driver::Text(dialog, c.edit), c.expected);
      // The insertion is one undoable change; the other edits are untouched.
      SendMessageA(edit, EM_UNDO, 0, 0);
      EXPECT_EQ(Driver::Text(dialog, c.edit), before);
      if (c.edit != IDC_ID3) {
        EXPECT_EQ(Driver::Text(dialog, IDC_ID3), id3);
      }
      if (c.edit != IDC_COMPILATION) {
        EXPECT_EQ(Driver::Text(dialog, IDC_COMPILATION), compilation);
      }
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(Run(driver), 0);
  }
}

TEST_F(ConfigDialog, OkStoresEveryFieldWholeAndWritesEveryKeyAtOnce) {
  Load("[Display]\r\nCountUp=no\r\ncompact=yes\r\n[pos]\r\nx=70\r\nwidth=9\r\n");
  std::string longTemplate;
  while (longTemplate.size() < 500) longTemplate += "%TRACK_NAME% ";
  longTemplate.resize(500);
  Driver driver([&](HWND dialog) {
    Driver::Click(dialog, IDC_SHOW_ONLY_ZIP);
    Driver::Click(dialog, IDC_SHOW_ONLY_UNCOMPRESSED);
    Driver::Click(dialog, IDC_TIMEBAR);
    Driver::Click(dialog, IDC_USE_ID3);
    SetDlgItemTextA(dialog, IDC_NORMAL, longTemplate.c_str());
    SetDlgItemTextA(dialog, IDC_ID3, "曲 %TRACK_NAME%");
    SetDlgItemTextA(dialog, IDC_COMPILATION, "");
    SetDlgItemTextA(dialog, IDC_FONT, "");
    Driver::Click(dialog, IDOK);
  });
  EXPECT_EQ(Run(driver), 1);
  EXPECT_EQ(configDialogWnd, nullptr);
  EXPECT_EQ(g_settings.Normal, longTemplate);
  EXPECT_EQ(g_settings.ID3, "曲 %TRACK_NAME%");
  EXPECT_EQ(g_settings.Compilation, "");
  EXPECT_EQ(g_settings.font, "");
  EXPECT_EQ(g_settings.useID3, 1);
  EXPECT_EQ(g_settings.useCompilation, 0);
  // The file holds every key now, the window's own ones as they stood.
  const char* const expected[][3] = {
      {"Display", "ShowOnlyZip", "yes"}, {"Display", "ShowOnlyUncompressedZip", "yes"}, {"Display", "CountUp", "no"},
      {"Display", "compact", "yes"},     {"Display", "timebar", "no"},                  {"Display", "font", ""},
      {"List", "ID3", "曲 %TRACK_NAME%"}, {"List", "Compilation", ""},                  {"List", "useID3", "yes"},
      {"List", "useCompilation", "no"},  {"pos", "x", "70"},                            {"pos", "y", "30"},
      {"pos", "width", "9"},             {"pos", "height", "3"}};
  for (const auto& key : expected) EXPECT_EQ(Ini(ini, key[0], key[1]), key[2]) << key[1];
  EXPECT_EQ(Ini(ini, "List", "Normal"), longTemplate);
}

TEST_F(ConfigDialog, CancelEscAndTheCloseBoxStoreNothing) {
  Load("[List]\r\nNormal=keep\r\nuseID3=yes\r\n");
  SaveSettings();
  const std::string file = ReadFileBytes(ini);
  const Settings record = g_settings;
  const std::function<void(HWND)> closers[] = {
      [](HWND dialog) { Driver::Click(dialog, IDCANCEL); },
      [](HWND dialog) {
        HWND edit = GetDlgItem(dialog, IDC_NORMAL);
        PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageA(edit, WM_KEYUP, VK_ESCAPE, 0xC0000001);
      },
      [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
  };
  for (const auto& close : closers) {
    Driver driver([&](HWND dialog) {
      Driver::Click(dialog, IDC_SHOW_ONLY_ZIP);
      Driver::Click(dialog, IDC_USE_ID3);
      Driver::Click(dialog, IDC_TIMEBAR);
      SetFocus(GetDlgItem(dialog, IDC_NORMAL));
      SetDlgItemTextA(dialog, IDC_NORMAL, "changed");
      SetDlgItemTextA(dialog, IDC_FONT, "");
      close(dialog);
    });
    EXPECT_EQ(Run(driver), 0);
    EXPECT_EQ(configDialogWnd, nullptr);
    EXPECT_EQ(g_settings.Normal, record.Normal);
    EXPECT_EQ(g_settings.font, record.font);
    EXPECT_EQ(g_settings.ShowOnlyZip, record.ShowOnlyZip);
    EXPECT_EQ(g_settings.useID3, record.useID3);
    EXPECT_EQ(g_settings.timebar, record.timebar);
    EXPECT_EQ(ReadFileBytes(ini), file);
  }
}

struct ShellCall {
  HWND owner;
  std::string verb;
  std::string file;
  INT show;
};
std::vector<ShellCall> g_shellCalls;

HINSTANCE WINAPI RecordShellCall(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT show) {
  g_shellCalls.push_back({owner, verb ? verb : "<default>", file ? file : "", show});
  return reinterpret_cast<HINSTANCE>(33);
}

TEST_F(ConfigDialog, LinksOpenTheirPagesWithTheDialogAsOwnerUnderTheHandCursor) {
  Load("");
  g_shellCalls.clear();
  const ShellOpenFunction shell = g_shellOpen;
  g_shellOpen = &RecordShellCall;
  const HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDCUR_LINK_HAND));
  const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  ASSERT_NE(hand, nullptr);
  HWND shown = nullptr;
  Driver driver([&](HWND dialog) {
    shown = dialog;
    for (int id : {IDC_AUTHOR_LINK, IDC_CAMPAIGN_PICTURE, IDC_CAMPAIGN_BANNER}) {
      HWND link = GetDlgItem(dialog, id);
      SetCursor(arrow);
      EXPECT_TRUE(SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
      EXPECT_EQ(GetCursor(), hand) << id;
      SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
      SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }
    SendMessageA(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), arrow);
    // The author's link in blue on no background of its own; other texts keep the defaults.
    for (int id : {IDC_AUTHOR_LINK, IDC_CAMPAIGN_PICTURE}) {
      HDC dc = CreateCompatibleDC(nullptr);
      const LRESULT brush = SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
      const bool blue = id == IDC_AUTHOR_LINK;
      EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush) == GetStockObject(HOLLOW_BRUSH), blue) << id;
      EXPECT_EQ(GetTextColor(dc) == RGB(0, 0, 255) && GetBkMode(dc) == TRANSPARENT, blue) << id;
      DeleteDC(dc);
    }
    Driver::Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(Run(driver), 0);
  g_shellOpen = shell;
  ASSERT_EQ(g_shellCalls.size(), 3u);
  const char* const pages[] = {TC_AUTHOR_PAGE_URL, TC_CAMPAIGN_PAGE_URL, TC_CAMPAIGN_PAGE_URL};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(g_shellCalls[i].owner, shown);
    EXPECT_EQ(g_shellCalls[i].verb, "<default>");
    EXPECT_EQ(g_shellCalls[i].file, pages[i]);
    EXPECT_EQ(g_shellCalls[i].show, SW_SHOWNORMAL);
  }
}

}  // namespace
