#include "display/PopupMenu.h"

int TrackPopupMenuHere(HMENU menu, POINT screenPoint, HWND owner) {
  SetForegroundWindow(owner);
  const int command = static_cast<int>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, screenPoint.x, screenPoint.y, 0, owner, nullptr));
  PostMessageA(owner, WM_NULL, 0, 0);
  return command;
}
