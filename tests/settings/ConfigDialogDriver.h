// Drives the modal configuration dialog from inside its own modal loop: a thread timer hands the
// open dialog to a test's script once, and answers the popup menus that the script opens, noting
// their items and where they appeared. A dialog or menu left open by a failing script is closed
// after a while, so a test never hangs.
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
  using Script = std::function<void(HWND dialog)>;

  explicit ConfigDialogDriver(Script script) : script_(std::move(script)) {}

  // The next popup menu gets command `id` (0: dismissed).
  void AnswerMenu(UINT id) {
    menuPending_ = true;
    menuId_ = id;
  }
  // What the last answered menu showed: its item texts ("" for a separator) and its window.
  std::vector<std::string> menuItems;
  RECT menuRect = {};

  // Opens the dialog with `open` (the configuration entry by default) and returns its result.
  INT_PTR Run(const std::function<INT_PTR()>& open) {
    current_ = this;
    started_ = false;
    begin_ = GetTickCount();
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, &ConfigDialogDriver::OnTimer);
    const INT_PTR result = open();
    KillTimer(nullptr, timer);
    current_ = nullptr;
    EXPECT_TRUE(started_) << "the dialog never came up";
    return result;
  }

  // A button click as the user makes it: the button's own handling, then its notification.
  static void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

  // The dialogs (class "#32770") this thread has.
  static int DialogCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), &ConfigDialogDriver::CountDialog, reinterpret_cast<LPARAM>(&count));
    return count;
  }

  static std::string Text(HWND dialog, int id) {
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
  }

 private:
  static BOOL CALLBACK FindVisibleMenu(HWND hwnd, LPARAM found) {
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32768") == 0 && IsWindowVisible(hwnd)) {
      *reinterpret_cast<HWND*>(found) = hwnd;
      return FALSE;
    }
    return TRUE;
  }
  static HWND VisibleMenu() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &ConfigDialogDriver::FindVisibleMenu, reinterpret_cast<LPARAM>(&found));
    return found;
  }

  static BOOL CALLBACK CountDialog(HWND hwnd, LPARAM count) {
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0) ++*reinterpret_cast<int*>(count);
    return TRUE;
  }

  void Answer(HWND menuWnd) {
    menuPending_ = false;
    constexpr UINT kMenuGetHandle = 0x01E1;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWnd, kMenuGetHandle, 0, 0));
    menuItems.clear();
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      char text[256] = {};
      if (!(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)) {
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      }
      menuItems.push_back(text);
    }
    GetWindowRect(menuWnd, &menuRect);
    const std::vector<int> path = host::FindMenuItemPath(menu, menuId_);
    if (menuId_ == 0 || path.empty()) {
      EndMenu();
      return;
    }
    for (const host::MenuKey& key : host::MenuKeysForPath(menu, path)) PostMessageA(menuWnd, key.message, key.code, 1);
  }

  void Tick() {
    if (HWND menuWnd = VisibleMenu()) {
      if (menuPending_) Answer(menuWnd);
    } else if (!started_ && configDialogWnd != nullptr && IsWindowVisible(configDialogWnd)) {
      started_ = true;
      script_(configDialogWnd);  // menus it opens are answered by nested ticks
    }
    if (GetTickCount() - begin_ > 15000) {
      ADD_FAILURE() << "the dialog was left open";
      begin_ = GetTickCount();
      EndMenu();
      if (configDialogWnd != nullptr) PostMessageA(configDialogWnd, WM_COMMAND, IDCANCEL, 0);
    }
  }

  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (current_ != nullptr) current_->Tick();
  }

  Script script_;
  bool started_ = false;
  DWORD begin_ = 0;
  bool menuPending_ = false;
  UINT menuId_ = 0;
  static inline ConfigDialogDriver* current_ = nullptr;
};
