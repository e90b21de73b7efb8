#include "host/ModalAnswer.h"

namespace host {
namespace {

constexpr UINT kTickMs = 40;
constexpr DWORD kUnansweredMs = 3000;
// Returns the menu handle of a popup menu window; not in every SDK header.
constexpr UINT kMenuGetHandle = 0x01E1;

bool Selectable(HMENU menu, int pos) {
  MENUITEMINFOA mi = {};
  mi.cbSize = sizeof mi;
  mi.fMask = MIIM_FTYPE;
  if (!GetMenuItemInfoA(menu, static_cast<UINT>(pos), TRUE, &mi)) return false;
  return !(mi.fType & MFT_SEPARATOR);
}

bool FindPath(HMENU menu, UINT id, std::vector<int>& path, int depth) {
  if (depth > 8) return false;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    HMENU sub = GetSubMenu(menu, i);
    path.push_back(i);
    if (sub) {
      if (FindPath(sub, id, path, depth + 1)) return true;
    } else if (GetMenuItemID(menu, i) == id) {
      return true;
    }
    path.pop_back();
  }
  return false;
}

struct ThreadWindowSearch {
  const char* className;
  HWND found;
};

BOOL CALLBACK FindVisibleOfClass(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<ThreadWindowSearch*>(lp);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpA(cls, s->className) == 0 && IsWindowVisible(hwnd)) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND VisibleThreadWindow(const char* className) {
  ThreadWindowSearch s = {className, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindVisibleOfClass, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

}  // namespace

ModalAnswer* ModalAnswer::active_ = nullptr;

std::vector<int> FindMenuItemPath(HMENU menu, UINT id) {
  std::vector<int> path;
  if (!menu || !FindPath(menu, id, path, 0)) path.clear();
  return path;
}

std::vector<MenuKey> MenuKeysForPath(HMENU menu, const std::vector<int>& path) {
  std::vector<MenuKey> keys;
  HMENU level = menu;
  for (size_t depth = 0; depth < path.size() && level; ++depth) {
    if (depth == 0) {
      keys.push_back({WM_KEYDOWN, VK_HOME});
    }
    // Home (or opening a submenu) selects the first selectable item; separators are skipped.
    bool first = true;
    for (int i = 0; i <= path[depth]; ++i) {
      if (!Selectable(level, i)) continue;
      if (!first) keys.push_back({WM_KEYDOWN, VK_DOWN});
      first = false;
    }
    if (depth + 1 < path.size()) {
      keys.push_back({WM_KEYDOWN, VK_RIGHT});
      level = GetSubMenu(level, path[depth]);
    }
  }
  keys.push_back({WM_CHAR, '\r'});
  return keys;
}

ModalAnswer::~ModalAnswer() {
  if (timer_) KillTimer(nullptr, timer_);
  if (active_ == this) active_ = nullptr;
}

void ModalAnswer::Start() {
  active_ = this;
  if (!timer_) timer_ = SetTimer(nullptr, 0, kTickMs, &ModalAnswer::OnTimer);
}

void ModalAnswer::ArrangeMenu(UINT id) {
  menuPending_ = true;
  menuId_ = id;
}

void ModalAnswer::ArrangeDialog(UINT id) {
  dialogPending_ = true;
  dialogId_ = id;
}

void CALLBACK ModalAnswer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (active_) active_->Tick();
}

void ModalAnswer::Tick() {
  const DWORD now = GetTickCount();
  if (HWND menuWnd = VisibleThreadWindow("#32768")) {
    if (menuWnd != lastMenu_) {
      lastMenu_ = menuWnd;
      menuSeen_ = now;
      if (menuPending_) AnswerMenu(menuWnd);
    } else if (now - menuSeen_ > kUnansweredMs) {
      notes_("popup menu left unanswered; closed");
      EndMenu();
      menuSeen_ = now;
    }
  } else {
    lastMenu_ = nullptr;
  }
  if (HWND dialog = VisibleThreadWindow("#32770")) {
    if (dialog != lastDialog_) {
      lastDialog_ = dialog;
      dialogSeen_ = now;
      if (dialogPending_) AnswerDialog(dialog);
    } else if (now - dialogSeen_ > kUnansweredMs) {
      notes_("dialog left unanswered; cancelled");
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      dialogSeen_ = now;
    }
  } else {
    lastDialog_ = nullptr;
  }
}

void ModalAnswer::AnswerMenu(HWND menuWnd) {
  menuPending_ = false;
  HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWnd, kMenuGetHandle, 0, 0));
  const std::vector<int> path = menuId_ ? FindMenuItemPath(menu, menuId_) : std::vector<int>();
  if (path.empty()) {
    if (menuId_) notes_("menu-choose: no item " + std::to_string(menuId_) + " in the menu; dismissed");
    EndMenu();
    return;
  }
  HMENU owner = menu;
  for (size_t i = 0; i + 1 < path.size(); ++i) owner = GetSubMenu(owner, path[i]);
  const UINT state = GetMenuState(owner, static_cast<UINT>(path.back()), MF_BYPOSITION);
  if (state & (MF_GRAYED | MF_DISABLED)) {
    notes_("menu-choose: item " + std::to_string(menuId_) + " is disabled; dismissed");
    EndMenu();
    return;
  }
  for (const MenuKey& k : MenuKeysForPath(menu, path)) PostMessageA(menuWnd, k.message, k.code, 1);
}

void ModalAnswer::AnswerDialog(HWND dialog) {
  dialogPending_ = false;
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(dialogId_, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, static_cast<int>(dialogId_))));
}

}  // namespace host
