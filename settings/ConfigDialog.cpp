#include "settings/ConfigDialog.h"

#include <initializer_list>
#include <string>

#include "resources/ResourceIds.h"
#include "settings/ConfigLinks.h"
#include "settings/SettingsStore.h"
#include "settings/VariableMenu.h"

HWND configDialogWnd = nullptr;

namespace {

void Tick(HWND dialog, int id, int32_t flag) { CheckDlgButton(dialog, id, flag ? BST_CHECKED : BST_UNCHECKED); }

int32_t Ticked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0; }

// The whole text, however long: the edits have no limit of their own.
std::string Text(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  const int length = GetWindowTextLengthA(control);
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int read = GetWindowTextA(control, &text[0], length + 1);
  text.resize(read > 0 ? static_cast<size_t>(read) : 0);
  return text;
}

void Enable(HWND dialog, int id, bool enabled) { EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE); }

// A disabled box keeps its tick; OK stores it as it stands.
void ApplyEnablingRules(HWND dialog) {
  const bool showOnlyZip = Ticked(dialog, IDC_SHOW_ONLY_ZIP) != 0;
  const bool useID3 = Ticked(dialog, IDC_USE_ID3) != 0;
  const bool useCompilation = Ticked(dialog, IDC_USE_COMPILATION) != 0;
  Enable(dialog, IDC_SHOW_ONLY_UNCOMPRESSED, showOnlyZip);
  for (int id : {IDC_ID3, IDC_ID3_VARIABLES, IDC_USE_COMPILATION}) Enable(dialog, id, useID3);
  for (int id : {IDC_COMPILATION, IDC_COMPILATION_VARIABLES}) Enable(dialog, id, useID3 && useCompilation);
}

// The WM_INITDIALOG answer: TRUE lets the dialog manager focus the first control.
INT_PTR Initialise(HWND dialog) {
  if (configDialogWnd != nullptr && configDialogWnd != dialog && IsWindow(configDialogWnd)) {
    EndDialog(dialog, 0);
    SetFocus(configDialogWnd);
    return FALSE;
  }
  SubclassLinks(dialog);
  Tick(dialog, IDC_SHOW_ONLY_ZIP, g_settings.ShowOnlyZip);
  Tick(dialog, IDC_SHOW_ONLY_UNCOMPRESSED, g_settings.ShowOnlyUncompressedZip);
  Tick(dialog, IDC_USE_ID3, g_settings.useID3);
  Tick(dialog, IDC_USE_COMPILATION, g_settings.useCompilation);
  Tick(dialog, IDC_TIMEBAR, g_settings.timebar);
  SetDlgItemTextA(dialog, IDC_NORMAL, g_settings.Normal.c_str());
  SetDlgItemTextA(dialog, IDC_ID3, g_settings.ID3.c_str());
  SetDlgItemTextA(dialog, IDC_COMPILATION, g_settings.Compilation.c_str());
  SetDlgItemTextA(dialog, IDC_FONT, g_settings.font.c_str());
  ApplyEnablingRules(dialog);
  configDialogWnd = dialog;
  return TRUE;
}

void Store(HWND dialog) {
  g_settings.ShowOnlyZip = Ticked(dialog, IDC_SHOW_ONLY_ZIP);
  g_settings.ShowOnlyUncompressedZip = Ticked(dialog, IDC_SHOW_ONLY_UNCOMPRESSED);
  g_settings.timebar = Ticked(dialog, IDC_TIMEBAR);
  g_settings.Normal = Text(dialog, IDC_NORMAL);
  g_settings.ID3 = Text(dialog, IDC_ID3);
  g_settings.useID3 = Ticked(dialog, IDC_USE_ID3);
  g_settings.Compilation = Text(dialog, IDC_COMPILATION);
  g_settings.useCompilation = Ticked(dialog, IDC_USE_COMPILATION);
  g_settings.font = Text(dialog, IDC_FONT);
}

void Close(HWND dialog, INT_PTR result) {
  EndDialog(dialog, result);
  if (configDialogWnd == dialog) configDialogWnd = nullptr;
}

INT_PTR OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDC_SHOW_ONLY_ZIP:
    case IDC_USE_ID3:
    case IDC_USE_COMPILATION:
      ApplyEnablingRules(dialog);
      return TRUE;
    case IDC_NORMAL_VARIABLES:
    case IDC_ID3_VARIABLES:
    case IDC_COMPILATION_VARIABLES:
      ShowVariableMenu(dialog, id);
      return TRUE;
    case IDOK:
      Store(dialog);
      SaveSettings();
      Close(dialog, 1);
      return TRUE;
    case IDCANCEL:  // also Esc and the close box
      Close(dialog, 0);
      return TRUE;
    default:
      return OpenLink(dialog, id) ? TRUE : FALSE;
  }
}

}  // namespace

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* state = reinterpret_cast<ConfigDialogState*>(lParam);
    if (state == nullptr) {
      EndDialog(dialog, 0);  // nothing to bind: no dialog without its state
      return FALSE;
    }
    SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
    state->window = dialog;
    return Initialise(dialog);
  }
  auto* state = reinterpret_cast<ConfigDialogState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
  if (state == nullptr) return FALSE;  // before initialisation nothing is handled
  switch (message) {
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam));
    case WM_SETCURSOR:
      // The arrow over the dialog; default processing goes on, so an edit still shows its own.
      SetCursor(LoadCursorA(nullptr, IDC_ARROW));
      return FALSE;
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<INT_PTR>(LinkColours(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)));
    case WM_NCDESTROY:
      state->window = nullptr;
      SetWindowLongPtrA(dialog, GWLP_USERDATA, 0);
      // A dialog taken down without OK or Cancel (its owner destroyed) must not block the next.
      if (configDialogWnd == dialog) configDialogWnd = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR RunConfigDialog(HINSTANCE module) {
  ConfigDialogState state;
  return DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_CONFIG), GetForegroundWindow(), &ConfigDialogProc,
                         reinterpret_cast<LPARAM>(&state));
}
