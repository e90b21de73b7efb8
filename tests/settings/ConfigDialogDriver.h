// Drives the modal configuration dialog from inside its own modal loop: a thread timer hands the
// open dialog to a test's script once and answers the popup menu the script opens, noting its
// items and place. A dialog left open by a failing script is cancelled, so a test never hangs.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "host/ModalAnswer.h"
#include "settings/ConfigDialog.h"

class ConfigDialogDriver {
 public:
  explicit ConfigDialogDriver(std::function<void(HWND)> script) : script_(std::move(script)) {}

  // The next popup menu gets command `id` (0: dismissed); its item texts ("" for a separator)
  // and its window's place are noted.
  void AnswerMenu(UINT id) { menuId_ = id, menuPending_ = true; }
  std::vector<std::string> menuItems;
  RECT menuRect = {};

  INT_PTR Run(const std::function<INT_PTR()>& open) {
    current_ = this;
    begin_ = GetTickCount();
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, &ConfigDialogDriver::OnTimer);
    const INT_PTR result = open();
    KillTimer(nullptr, timer);
    current_ = nullptr;
    EXPECT_TRUE(started_) << "the dialog never came up";
    return result;
  }

  // A click as the user makes it: the button's own handling, then its notification.
  static void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
  static std::string Text(HWND dialog, int id) {
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
  }
  // This thread's windows of a class ("#32770" dialogs, "#32768" menus).
  static std::vector<HWND> ThreadWindows(const char* className, bool visibleOnly = false) {
    std::vector<HWND> found;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, className, nullptr)) != nullptr;) {
      if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId() && (!visibleOnly || IsWindowVisible(w))) {
        found.push_back(w);
      }
    }
    return found;
  }

 private:
  void Answer(HWND menuWnd) {
    menuPending_ = false;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWnd, 0x01E1 /* MN_GETHMENU */, 0, 0));
    menuItems.clear();
    for (UINT i = 0; i < static_cast<UINT>(GetMenuItemCount(menu)); ++i) {
      char text[256] = {};
      if (!(GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR)) GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
      menuItems.push_back(text);
    }
    GetWindowRect(menuWnd, &menuRect);
    const std::vector<int> path = host::FindMenuItemPath(menu, menuId_);
    if (menuId_ == 0 || path.empty()) return (void)EndMenu();
    for (const host::MenuKey& key : host::MenuKeysForPath(menu, path)) PostMessageA(menuWnd, key.message, key.code, 1);
  }

  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    ConfigDialogDriver* self = current_;
    if (self == nullptr) return;
    const std::vector<HWND> menus = ThreadWindows("#32768", true);
    if (!menus.empty()) {
      if (self->menuPending_) self->Answer(menus.front());
    } else if (!self->started_ && configDialogWnd != nullptr && IsWindowVisible(configDialogWnd)) {
      self->started_ = true;
      self->script_(configDialogWnd);  // the menus it opens are answered by nested ticks
    }
    if (GetTickCount() - self->begin_ > 15000) {
      ADD_FAILURE() << "the dialog was left open";
      self->begin_ = GetTickCount();
      EndMenu();
      if (configDialogWnd != nullptr) PostMessageA(configDialogWnd, WM_COMMAND, IDCANCEL, 0);
    }
  }

  std::function<void(HWND)> script_;
  bool started_ = false, menuPending_ = false;
  DWORD begin_ = 0;
  UINT menuId_ = 0;
  static inline ConfigDialogDriver* current_ = nullptr;
};
