// The popup menus and the configuration dialog as the system builds them from the resources:
// ids, Japanese texts (as code page 932 bytes), grayed items, controls, their layout and styles.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "resources/ResourceIds.h"

namespace {

HMODULE Module() { return GetModuleHandleA(nullptr); }

struct Item {
  UINT id;          // 0 for a separator or a submenu
  std::string text;
  bool grayed;
  bool separator;
  bool submenu;
};

std::vector<Item> Items(HMENU menu) {
  std::vector<Item> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[256] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, i, TRUE, &info);
    const bool separator = (info.fType & MFT_SEPARATOR) != 0;
    items.push_back(Item{info.hSubMenu ? 0u : info.wID, text, (info.fState & MFS_GRAYED) != 0, separator,
                         info.hSubMenu != nullptr});
  }
  return items;
}

void ExpectItem(const Item& item, UINT id, const char* text, bool grayed) {
  EXPECT_FALSE(item.separator) << text;
  EXPECT_EQ(item.id, id) << text;
  EXPECT_EQ(item.text, text);
  EXPECT_EQ(item.grayed, grayed) << text;
}

TEST(MenuResource, TestTextsAreCodePage932) {
  // The expectations below are compiled to code page 932; make sure of that once.
  EXPECT_EQ(std::string("演奏"), std::string("\x89\x89\x91\x74"));
}

TEST(MenuResource, ListPopupHasItsItemsInOrder) {
  HMENU menu = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_POPUP_MENUS));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 2);
  const std::vector<Item> list = Items(GetSubMenu(menu, 0));
  ASSERT_EQ(list.size(), 5u);
  ExpectItem(list[0], ID_LIST_PLAY, "演奏\tEnter", false);
  EXPECT_TRUE(list[1].separator);
  ExpectItem(list[2], ID_LIST_FILE_INFO, "ファイル情報(&I)\tAlt+3", true);
  EXPECT_TRUE(list[3].submenu);
  EXPECT_EQ(list[3].text, "解凍(&E)");
  ExpectItem(list[4], ID_LIST_MINIBROWSER, "&MiniBroserで開く", false);

  const std::vector<Item> extract = Items(GetSubMenu(GetSubMenu(menu, 0), 3));
  ASSERT_EQ(extract.size(), 3u);
  ExpectItem(extract[0], ID_EXTRACT_BESIDE_ARCHIVE, "&ZIP.MP3と同じフォルダに解凍", false);
  ExpectItem(extract[1], ID_EXTRACT_TO_DESKTOP, "デスクトップに解凍(&D)", false);
  ExpectItem(extract[2], ID_EXTRACT_CHOSEN_FOLDER, "場所を指定して解凍(&S)", true);
  DestroyMenu(menu);
}

TEST(MenuResource, MainPopupAndLanguage) {
  HMENU menu = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_POPUP_MENUS));
  ASSERT_NE(menu, nullptr);
  const std::vector<Item> main = Items(GetSubMenu(menu, 1));
  ASSERT_EQ(main.size(), 2u);
  ExpectItem(main[0], ID_MAIN_SETTINGS, "設定(&S)", false);
  EXPECT_TRUE(main[1].separator);
  DestroyMenu(menu);
  const WORD japanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
  EXPECT_NE(FindResourceExA(Module(), MAKEINTRESOURCEA(4) /* RT_MENU */, MAKEINTRESOURCEA(IDR_POPUP_MENUS), japanese),
            nullptr);
  EXPECT_NE(FindResourceExA(Module(), MAKEINTRESOURCEA(5) /* RT_DIALOG */, MAKEINTRESOURCEA(IDD_CONFIG), japanese),
            nullptr);
}

INT_PTR CALLBACK QuietDialog(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

struct Control {
  int id;
  const char* kind;  // window class
  const char* text;  // nullptr: not compared (bitmaps)
  LONG style;        // bits that must be set
};

// In tab order.
const Control kControls[] = {
    {-1, "Button", "ウインドウ", BS_GROUPBOX},
    {IDC_SHOW_ONLY_ZIP, "Button", "ZIP 以外では姿を消す(&Z)", BS_AUTOCHECKBOX},
    {IDC_SHOW_ONLY_UNCOMPRESSED, "Button", "無圧縮のときだけ表示(&U)", BS_AUTOCHECKBOX},
    {IDC_TIMEBAR, "Button", "曲の位置をスライドで表示する(&S)", BS_AUTOCHECKBOX},
    {-1, "Static", "表示/非表示切り替えのホットキー(&H)\n   → ver 0.2.2 から Alt + M に割り当て", 0},
    {-1, "Button", "ファイル一覧に表示する文字(&L) [リスト再読込後に有効]", BS_GROUPBOX},
    {IDC_NORMAL, "Edit", "", WS_BORDER | ES_AUTOHSCROLL},
    {IDC_NORMAL_VARIABLES, "Button", "変数(&.) >>", 0},
    {IDC_USE_ID3, "Button", "&ID3v1/v2 タグがある場合は以下を用いる", BS_AUTOCHECKBOX},
    {IDC_ID3, "Edit", "", WS_BORDER | ES_AUTOHSCROLL},
    {IDC_ID3_VARIABLES, "Button", "変数(&/) >>", 0},
    {IDC_USE_COMPILATION, "Button", "曲ごとにアーティスト名が異なる場合(&A)", BS_AUTOCHECKBOX | BS_MULTILINE},
    {IDC_COMPILATION, "Edit", "", WS_BORDER | ES_AUTOHSCROLL},
    {IDC_COMPILATION_VARIABLES, "Button", "変数(&\\) >>", 0},
    // The note must fit its text in the dialog font (at the 91 units first drawn it was cut).
    {-1, "Static", "Winamp 再起動後に有効かな。", 0},
    {IDC_FONT, "Edit", "", WS_BORDER | ES_AUTOHSCROLL},
    {IDOK, "Button", "OK", BS_DEFPUSHBUTTON},
    {IDCANCEL, "Button", "ｷｬﾝｾﾙ", 0},
    {-1, "Button", "バージョン情報", BS_GROUPBOX},
    {-1, "Static", "zip.mp3 表示プラグイソ。 \nver 0.2.14b", 0},
    {-1, "Static", nullptr, 0},
    {IDC_AUTHOR_LINK, "Static", TC_AUTHOR_PAGE_URL, SS_NOTIFY},
    {IDC_CAMPAIGN_PICTURE, "Static", nullptr, SS_BITMAP | SS_NOTIFY | SS_SUNKEN},
    {IDC_CAMPAIGN_BANNER, "Static", nullptr, SS_BITMAP | SS_NOTIFY | SS_SUNKEN},
    {-1, "Button", "No More CCCD", BS_GROUPBOX},
    {-1, "Button", "", BS_GROUPBOX},
    {-1, "Static", "フォント(&F)：", 0},
};

class ConfigDialogResource : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_CONFIG), nullptr, QuietDialog, 0);
    ASSERT_NE(dialog, nullptr);
  }
  void TearDown() override {
    if (dialog) DestroyWindow(dialog);
  }
  // Where a control lies in the dialog's client area.
  RECT Placed(HWND child) const {
    RECT placed = {};
    GetWindowRect(child, &placed);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placed), 2);
    return placed;
  }
  HWND dialog = nullptr;
};

TEST_F(ConfigDialogResource, FrameCaptionAndFont) {
  char caption[64] = {};
  GetWindowTextA(dialog, caption, sizeof caption);
  EXPECT_EQ(std::string(caption), "設定");
  const LONG style = GetWindowLongA(dialog, GWL_STYLE);
  EXPECT_EQ(style & (DS_MODALFRAME | WS_CAPTION | WS_SYSMENU), DS_MODALFRAME | WS_CAPTION | WS_SYSMENU);

  HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  LOGFONTA description = {};
  ASSERT_TRUE(GetObjectA(font, sizeof description, &description));
  EXPECT_EQ(std::string(description.lfFaceName), "ＭＳ Ｐゴシック");
  HDC screen = GetDC(nullptr);
  const int ninePoints = MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(description.lfHeight, -ninePoints);
}

TEST_F(ConfigDialogResource, EveryControlInTabOrderWithTextPlaceAndStyle) {
  std::vector<HWND> children;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  ASSERT_EQ(children.size(), sizeof kControls / sizeof kControls[0]);
  HDC dc = GetDC(dialog);
  const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
  for (size_t i = 0; i < children.size(); ++i) {
    const Control& want = kControls[i];
    HWND child = children[i];
    SCOPED_TRACE("control " + std::to_string(i) + " id " + std::to_string(want.id));
    EXPECT_EQ(GetDlgCtrlID(child), want.id);
    char kind[32] = {};
    GetClassNameA(child, kind, sizeof kind);
    EXPECT_STRCASEEQ(kind, want.kind);
    if (want.text) {
      char text[256] = {};
      GetWindowTextA(child, text, sizeof text);
      EXPECT_EQ(std::string(text), want.text);
    }
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    const bool button = std::string(want.kind) == "Button";
    const bool picture = !button && (want.style & SS_TYPEMASK) == SS_BITMAP;
    if (button) {
      EXPECT_EQ(style & BS_TYPEMASK, want.style & BS_TYPEMASK) << "button kind";
      EXPECT_EQ(style & want.style & ~BS_TYPEMASK, want.style & ~BS_TYPEMASK);
    } else if (picture) {
      EXPECT_EQ(style & SS_TYPEMASK, SS_BITMAP);
      EXPECT_EQ(style & (SS_NOTIFY | SS_SUNKEN), SS_NOTIFY | SS_SUNKEN);
    } else {
      // An edit created with a border trades it for a sunken client edge.
      const LONG extended = GetWindowLongA(child, GWL_EXSTYLE);
      const LONG border = (extended & WS_EX_CLIENTEDGE) ? WS_BORDER : 0;
      EXPECT_EQ((style | border) & want.style, want.style);
    }
    // Wholly inside the dialog, and clear of every other control but the group boxes around it.
    const RECT placed = Placed(child);
    RECT client = {}, overlap = {};
    GetClientRect(dialog, &client);
    EXPECT_TRUE(placed.left >= 0 && placed.top >= 0 && placed.right <= client.right && placed.bottom <= client.bottom);
    const bool group = button && (style & BS_TYPEMASK) == BS_GROUPBOX;
    for (size_t j = 0; j < i && !group; ++j) {
      const bool otherGroup = (GetWindowLongA(children[j], GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
                              std::string(kControls[j].kind) == "Button";
      if (otherGroup) continue;
      const RECT other = Placed(children[j]);
      EXPECT_FALSE(IntersectRect(&overlap, &placed, &other)) << "overlaps control " << j;
    }
    // Labels and check boxes fit their text in the dialog's font, wrapped where the control wraps.
    const bool check = button && (style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
    if (check || (std::string(want.kind) == "Static" && !picture && (style & SS_TYPEMASK) == SS_LEFT)) {
      char text[256] = {};
      GetWindowTextA(child, text, sizeof text);
      RECT client = {}, needed = {};
      GetClientRect(child, &client);
      needed.right = client.right - (check ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 0);  // beside the box
      const int width = needed.right;
      DrawTextA(dc, text, -1, &needed, DT_CALCRECT | (!check || (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE));
      EXPECT_LE(needed.right, width) << text;
      EXPECT_LE(needed.bottom, client.bottom) << text;
    }
  }
  SelectObject(dc, previous);
  ReleaseDC(dialog, dc);
}

TEST_F(ConfigDialogResource, PictureControlsShowTheCampaignBitmaps) {
  for (int id : {IDC_CAMPAIGN_PICTURE, IDC_CAMPAIGN_BANNER}) {
    HBITMAP shown = reinterpret_cast<HBITMAP>(SendDlgItemMessageA(dialog, id, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(shown, nullptr) << id;
    BITMAP info = {};
    ASSERT_TRUE(GetObjectA(shown, sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 100);
    EXPECT_EQ(info.bmHeight, id == IDC_CAMPAIGN_PICTURE ? 100 : 40);
  }
}

}  // namespace
