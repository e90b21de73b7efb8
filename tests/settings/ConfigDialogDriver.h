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
  static int DialogCount() { return static_cast<int>(ThreadWindows("#32770", false).size()); }

  static std::string Text(HWND dialog, int id) {
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
  }

 private:
  struct Search {
    const char* className;
    bool visibleOnly;
    std::vector<HWND> found;
  };
  static BOOL CALLBACK Collect(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<Search*>(lp);
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, search->className) == 0 && (!search->visibleOnly || IsWindowVisible(hwnd))) {
      search->found.push_back(hwnd);
    }
    return TRUE;
  }
  static std::vector<HWND> ThreadWindows(const char* className, bool visibleOnly) {
    Search search{className, visibleOnly, {}};
    EnumThreadWindows(GetCurrentThreadId(), &ConfigDialogDriver::Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  static HWND VisibleMenu() {
    const std::vector<HWND> menus = ThreadWindows("#32768", true);
    return menus.empty() ? nullptr : menus.front();
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
