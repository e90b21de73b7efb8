// Answers the modal loops a plug-in may open while a script runs: the next popup menu is
// answered with an arranged command, the next dialog with an arranged button. A menu or dialog
// nobody arranged an answer for is closed after a while, so a script never hangs in one.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace host {

// Positions, level by level, of the item with command id in menu; empty when absent.
std::vector<int> FindMenuItemPath(HMENU menu, UINT id);

// The keys that walk a freshly opened popup menu to the item at path and choose it: Home, then
// Down for every selectable item before it, Right into each submenu, and a carriage return.
struct MenuKey {
  UINT message;  // WM_KEYDOWN or WM_CHAR
  WPARAM code;
};
std::vector<MenuKey> MenuKeysForPath(HMENU menu, const std::vector<int>& path);

class ModalAnswer {
 public:
  using NoteSink = std::function<void(const std::string&)>;
  explicit ModalAnswer(NoteSink notes) : notes_(std::move(notes)) {}
  ~ModalAnswer();
  // Starts watching (a thread timer of the calling thread).
  void Start();
  // Command id for the next popup menu; 0 dismisses it.
  void ArrangeMenu(UINT id);
  // Button id for the next dialog (1 = OK, 2 = Cancel).
  void ArrangeDialog(UINT id);
  bool MenuPending() const { return menuPending_; }
  bool DialogPending() const { return dialogPending_; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  void Tick();
  void AnswerMenu(HWND menuWnd);
  void AnswerDialog(HWND dialog);

  NoteSink notes_;
  UINT_PTR timer_ = 0;
  bool menuPending_ = false;
  UINT menuId_ = 0;
  bool dialogPending_ = false;
  UINT dialogId_ = 0;
  HWND lastMenu_ = nullptr;
  DWORD menuSeen_ = 0;
  HWND lastDialog_ = nullptr;
  DWORD dialogSeen_ = 0;
  static ModalAnswer* active_;
};

}  // namespace host
