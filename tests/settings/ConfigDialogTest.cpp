// The configuration dialog in-process with the real dialog resource, driven from inside its modal
// loop: ticks, texts and enabling rules from the settings file, OK writing every key at once;
// the variable menus, the links and their look, and Cancel after editing, in one session.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <tuple>
#include <vector>

#include "plugin/Lifecycle.h"
#include "plugin/Module.h"
#include "resources/ResourceIds.h"
#include "settings/ConfigLinks.h"
#include "settings/SettingsStore.h"
#include "support/ZipWriter.h"
#include "tests/settings/ConfigDialogDriver.h"

namespace {

using Driver = ConfigDialogDriver;

std::string Ini(const std::string& file, const char* section, const char* key) {
  char value[1024] = {};
  GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, file.c_str());
  return value;
}

class ConfigDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    g_pluginInstance = GetModuleHandleA(nullptr);  // the dialog resource is linked into this program
    ini = (TestTempFolder() / "config_dialog.ini").string();
    DeleteFileA(ini.c_str());
    iniPath = ini;
    g_settings = Settings();
  }
  void Load(const std::string& content) {
    WriteTempFile("config_dialog.ini", content);
    LoadSettings();
  }
  INT_PTR Run(Driver& driver) { return driver.Run([] { return static_cast<INT_PTR>(OpenConfiguration()); }); }

  std::string ini;
};

TEST_F(ConfigDialog, OpensFromTheFileFollowsTheEnablingRulesAndOkStoresEveryFieldAtOnce) {
  Load("[Display]\r\nShowOnlyZip=yes\r\nShowOnlyUncompressedZip=no\r\ntimebar=no\r\nfont=IPA\r\nCountUp=no\r\n"
       "compact=yes\r\n[List]\r\nNormal=n %FILE_PATH%\r\nID3=i %TRACK_NAME%\r\nCompilation=c 曲\r\nuseID3=yes\r\n"
       "useCompilation=no\r\n[pos]\r\nx=70\r\nwidth=9\r\n");
  std::string longTemplate;
  while (longTemplate.size() < 500) longTemplate += "%TRACK_NAME% ";
  longTemplate.resize(500);
  // Ticked 1001, 1000, 1012, 1015, 1002, then enabled 1000, 1013, 1014, 1015, 1016, 1017.
  const int ids[] = {IDC_SHOW_ONLY_ZIP, IDC_SHOW_ONLY_UNCOMPRESSED, IDC_USE_ID3, IDC_USE_COMPILATION, IDC_TIMEBAR,
                     IDC_SHOW_ONLY_UNCOMPRESSED, IDC_ID3, IDC_ID3_VARIABLES, IDC_USE_COMPILATION, IDC_COMPILATION,
                     IDC_COMPILATION_VARIABLES};
  auto state = [&](HWND dialog) {
    std::string s;
    for (int i = 0; i < 11; ++i) {
      const bool on = i < 5 ? IsDlgButtonChecked(dialog, ids[i]) == BST_CHECKED
                            : IsWindowEnabled(GetDlgItem(dialog, ids[i])) != FALSE;
      s += std::string(on ? "1" : "0") + (i == 4 ? " " : "");
    }
    return s;
  };
  Driver driver([&](HWND dialog) {
    EXPECT_EQ(state(dialog), "10100 111100");
    EXPECT_EQ(Driver::Text(dialog, IDC_NORMAL) + "|" + Driver::Text(dialog, IDC_ID3) + "|" +
                  Driver::Text(dialog, IDC_COMPILATION) + "|" + Driver::Text(dialog, IDC_FONT),
              "n %FILE_PATH%|i %TRACK_NAME%|c 曲|IPA");
    const std::pair<int, const char*> steps[] = {
        {IDC_SHOW_ONLY_UNCOMPRESSED, "11100 111100"}, {IDC_USE_COMPILATION, "11110 111111"},
        {IDC_SHOW_ONLY_ZIP, "01110 011111"},          {IDC_USE_ID3, "01010 000000"},  // 1000 and 1015 keep their ticks
        {IDC_TIMEBAR, "01011 000000"}};
    for (const auto& [click, expected] : steps) {
      Driver::Click(dialog, click);
      EXPECT_EQ(state(dialog), expected) << "after a click on " << click;
    }
    SetDlgItemTextA(dialog, IDC_NORMAL, longTemplate.c_str());
    SetDlgItemTextA(dialog, IDC_FONT, "");
    Driver::Click(dialog, IDOK);
  });
  EXPECT_EQ(Run(driver), 1);
  EXPECT_EQ(configDialogWnd, nullptr);
  EXPECT_EQ(g_settings.Normal, longTemplate);
  EXPECT_EQ(g_settings.font, "");
  EXPECT_EQ(std::make_tuple(g_settings.ShowOnlyZip, g_settings.ShowOnlyUncompressedZip, g_settings.useID3,
                            g_settings.useCompilation, g_settings.timebar),
            std::make_tuple(0, 1, 0, 1, 1));
  // The file holds every key now, the window's own ones as they stood.
  const char* const expected[][3] = {
      {"Display", "ShowOnlyZip", "no"}, {"Display", "ShowOnlyUncompressedZip", "yes"}, {"Display", "CountUp", "no"},
      {"Display", "compact", "yes"},    {"Display", "timebar", "yes"},                  {"Display", "font", ""},
      {"List", "ID3", "i %TRACK_NAME%"}, {"List", "Compilation", "c 曲"},              {"List", "useID3", "no"},
      {"List", "useCompilation", "yes"}, {"pos", "x", "70"},                            {"pos", "y", "30"},
      {"pos", "width", "9"},            {"pos", "height", "3"}};
  for (const auto& key : expected) EXPECT_EQ(Ini(ini, key[0], key[1]), key[2]) << key[1];
  EXPECT_EQ(Ini(ini, "List", "Normal"), longTemplate);
}

std::vector<std::string> g_shellCalls;  // "owner|verb|file|show"
HWND g_dialog = nullptr;

HINSTANCE WINAPI RecordShellCall(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT show) {
  g_shellCalls.push_back(std::string(owner == g_dialog ? "dialog" : "other") + "|" + (verb ? verb : "<default>") +
                         "|" + (file ? file : "") + "|" + std::to_string(show));
  return reinterpret_cast<HINSTANCE>(33);
}

// One session: the variable menus, the links and their look, then edits that Cancel drops.
TEST_F(ConfigDialog, VariableMenusLinksAndCancelAfterEditing) {
  Load("[List]\r\nuseID3=yes\r\nuseCompilation=yes\r\n");
  SaveSettings();
  const std::string file = ReadFileBytes(ini);
  auto fields = [] {
    return std::make_tuple(g_settings.Normal, g_settings.ID3, g_settings.font, g_settings.ShowOnlyZip,
                           g_settings.useID3, g_settings.timebar);
  };
  const auto before = fields();
  const std::vector<std::string> fileEntries = {"%FILE_NAME%\tファイル名。ディレクトリは除く。",
                                                "%FILE_PATH%\tディレクトリをふくんだファイル名。"};
  std::vector<std::string> tagEntries = fileEntries;
  tagEntries.insert(tagEntries.end(), {"", "%TRACK_NUMBER%\tトラック番号。", "%TRACK_NUMBER2%\t２桁以上のトラック番号。",
                                       "%TRACK_NUMBER3%\t３桁以上のトラック番号。", "%TRACK_NAME%\t曲名。",
                                       "%ARTIST_NAME%\tアーティスト名。", "%ALBUM_NAME%\tアルバム名。", "%YEAR%\t年",
                                       "%COMMENT%\tコメント"});
  const std::string id3 = "%TRACK_NUMBER2%. %TRACK_NAME%";  // the default templates
  struct Case {
    int button, edit;
    int selStart, selEnd;  // -1: the end of the text
    UINT choice;           // item number; 0 dismisses the menu
    std::string expected;
    const std::vector<std::string>& entries;
  } cases[] = {
      {IDC_ID3_VARIABLES, IDC_ID3, 0, 15, 7, "%TRACK_NAME%. %TRACK_NAME%", tagEntries},  // the first variable selected
      {IDC_ID3_VARIABLES, IDC_ID3, -1, -1, 7, id3 + "%TRACK_NAME%", tagEntries},        // the caret at the end
      {IDC_ID3_VARIABLES, IDC_ID3, 0, 15, 0, id3, tagEntries},                          // dismissed
      {IDC_NORMAL_VARIABLES, IDC_NORMAL, 0, 0, 2, "%FILE_PATH%%FILE_NAME%", fileEntries},
      {IDC_COMPILATION_VARIABLES, IDC_COMPILATION, 18, 31, 10, "%TRACK_NUMBER2%. (%YEAR%)%TRACK_NAME%", tagEntries},
  };
  g_shellCalls.clear();
  const ShellOpenFunction shell = g_shellOpen;
  g_shellOpen = &RecordShellCall;
  const HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDCUR_LINK_HAND));
  const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  ASSERT_NE(hand, nullptr);
  Driver driver([&](HWND dialog) {
    g_dialog = dialog;
    for (const Case& c : cases) {
      SCOPED_TRACE("button " + std::to_string(c.button) + " choice " + std::to_string(c.choice));
      const std::string before = Driver::Text(dialog, c.edit);
      HWND edit = GetDlgItem(dialog, c.edit);
      SetFocus(edit);
      SendMessageA(edit, EM_EMPTYUNDOBUFFER, 0, 0);  // each case's undo undoes its insertion alone
      const int end = static_cast<int>(before.size());
      SendMessageA(edit, EM_SETSEL, c.selStart < 0 ? end : c.selStart, c.selEnd < 0 ? end : c.selEnd);
      driver.AnswerMenu(c.choice);
      Driver::Click(dialog, c.button);
      EXPECT_EQ(driver.menuItems, c.entries);
      RECT button = {};
      GetWindowRect(GetDlgItem(dialog, c.button), &button);
      EXPECT_EQ(driver.menuRect.left, button.right);  // at the button's top-right corner
      EXPECT_EQ(driver.menuRect.top, button.top);
      EXPECT_EQ(Driver::Text(dialog, c.edit), c.expected);
      SendMessageA(edit, EM_UNDO, 0, 0);  // the insertion is one undoable change
      EXPECT_EQ(Driver::Text(dialog, c.edit), before);
    }
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
    for (int id : {IDC_SHOW_ONLY_ZIP, IDC_USE_ID3, IDC_TIMEBAR}) Driver::Click(dialog, id);
    SetDlgItemTextA(dialog, IDC_NORMAL, "changed");
    SetDlgItemTextA(dialog, IDC_ID3, "changed");
    SetDlgItemTextA(dialog, IDC_FONT, "");
    Driver::Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(Run(driver), 0);
  g_shellOpen = shell;
  EXPECT_EQ(configDialogWnd, nullptr);
  EXPECT_EQ(fields(), before);
  EXPECT_EQ(ReadFileBytes(ini), file);
  const std::string page = "dialog|<default>|", normal = "|" + std::to_string(SW_SHOWNORMAL);
  EXPECT_EQ(g_shellCalls, (std::vector<std::string>{page + TC_AUTHOR_PAGE_URL + normal,
                                                    page + TC_CAMPAIGN_PAGE_URL + normal,
                                                    page + TC_CAMPAIGN_PAGE_URL + normal}));
}

}  // namespace
