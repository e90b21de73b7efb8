#include "settings/ConfigLinks.h"

#include <shellapi.h>

#include <initializer_list>

#include "resources/ResourceIds.h"

ShellOpenFunction g_shellOpen = &ShellExecuteA;
WNDPROC linkOldProc = nullptr;

namespace {

HINSTANCE LinkModule(HWND control) {
  return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(GetParent(control), GWLP_HINSTANCE));
}

LRESULT CALLBACK LinkProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETCURSOR) {
    // Answered here, not passed on: the dialog would otherwise put its arrow back.
    SetCursor(LoadCursorA(LinkModule(control), MAKEINTRESOURCEA(IDCUR_LINK_HAND)));
    return TRUE;
  }
  return linkOldProc != nullptr ? CallWindowProcA(linkOldProc, control, message, wParam, lParam)
                                : DefWindowProcA(control, message, wParam, lParam);
}

}  // namespace

void SubclassLinks(HWND dialog) {
  // The three links are static controls of one class: they share the procedure kept from 1021.
  const WNDPROC previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(GetDlgItem(dialog, IDC_AUTHOR_LINK), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LinkProc)));
  if (previous != nullptr) linkOldProc = previous;
  for (int id : {IDC_CAMPAIGN_PICTURE, IDC_CAMPAIGN_BANNER}) {
    SetWindowLongPtrA(GetDlgItem(dialog, id), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LinkProc));
  }
}

bool OpenLink(HWND dialog, int id) {
  const char* page = nullptr;
  if (id == IDC_AUTHOR_LINK) {
    page = TC_AUTHOR_PAGE_URL;
  } else if (id == IDC_CAMPAIGN_PICTURE || id == IDC_CAMPAIGN_BANNER) {
    page = TC_CAMPAIGN_PAGE_URL;
  }
  if (page == nullptr) return false;
  if (g_shellOpen != nullptr) g_shellOpen(dialog, nullptr, page, nullptr, nullptr, SW_SHOWNORMAL);
  return true;
}

HBRUSH LinkColours(HWND control, HDC dc) {
  if (GetDlgCtrlID(control) != IDC_AUTHOR_LINK) return nullptr;
  SetTextColor(dc, RGB(0, 0, 255));
  SetBkMode(dc, TRANSPARENT);
  return static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
}
