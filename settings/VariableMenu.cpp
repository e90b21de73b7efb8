#include "settings/VariableMenu.h"

#include <string>

#include "resources/ResourceIds.h"

namespace {

const std::vector<const char*> kFileNameEntries = {
    "%FILE_NAME%\tファイル名。ディレクトリは除く。",
    "%FILE_PATH%\tディレクトリをふくんだファイル名。",
};

const std::vector<const char*> kTagEntries = {
    "%FILE_NAME%\tファイル名。ディレクトリは除く。",
    "%FILE_PATH%\tディレクトリをふくんだファイル名。",
    "",
    "%TRACK_NUMBER%\tトラック番号。",
    "%TRACK_NUMBER2%\t２桁以上のトラック番号。",
    "%TRACK_NUMBER3%\t３桁以上のトラック番号。",
    "%TRACK_NAME%\t曲名。",
    "%ARTIST_NAME%\tアーティスト名。",
    "%ALBUM_NAME%\tアルバム名。",
    "%YEAR%\t年",
    "%COMMENT%\tコメント",
};

const std::vector<const char*> kNoEntries;

}  // namespace

const std::vector<const char*>& VariableMenuEntries(int buttonId) {
  switch (buttonId) {
    case IDC_NORMAL_VARIABLES:
      return kFileNameEntries;  // the Normal template is used for untagged files too
    case IDC_ID3_VARIABLES:
    case IDC_COMPILATION_VARIABLES:
      return kTagEntries;
    default:
      return kNoEntries;
  }
}

int VariableMenuTarget(int buttonId) {
  switch (buttonId) {
    case IDC_NORMAL_VARIABLES:
      return IDC_NORMAL;
    case IDC_ID3_VARIABLES:
      return IDC_ID3;
    case IDC_COMPILATION_VARIABLES:
      return IDC_COMPILATION;
    default:
      return 0;
  }
}

void ShowVariableMenu(HWND dialog, int buttonId) {
  const std::vector<const char*>& entries = VariableMenuEntries(buttonId);
  const int target = VariableMenuTarget(buttonId);
  HWND button = GetDlgItem(dialog, buttonId);
  if (entries.empty() || target == 0 || button == nullptr) return;
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return;
  for (size_t i = 0; i < entries.size(); ++i) {
    // Items are numbered from 1, so that 0 stays the dismissal.
    if (entries[i][0] == '\0') {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuA(menu, MF_STRING, i + 1, entries[i]);
    }
  }
  RECT corner = {};
  GetWindowRect(button, &corner);
  const int chosen = static_cast<int>(
      TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, corner.right, corner.top, 0, dialog, nullptr));
  if (chosen >= 1 && static_cast<size_t>(chosen) <= entries.size()) {
    std::string variable = entries[chosen - 1];
    variable = variable.substr(0, variable.find('\t'));
    // The edit keeps its selection while the button has the focus: the variable replaces it, or
    // goes in at the caret, and the edit's undo takes it back.
    SendDlgItemMessageA(dialog, target, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(variable.c_str()));
  }
  DestroyMenu(menu);
}
