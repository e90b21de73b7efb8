#include "host/WineGaps.h"

namespace host {
namespace {

LRESULT CALLBACK AfterWindowProcedure(int code, WPARAM wp, LPARAM lp) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lp);
  if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(call->lParam);
    if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
      NotifyWinEvent(EVENT_OBJECT_LOCATIONCHANGE, call->hwnd, OBJID_WINDOW, CHILDID_SELF);
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

bool RunningOnWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

HHOOK ReportLocationChanges() {
  return SetWindowsHookExA(WH_CALLWNDPROCRET, AfterWindowProcedure, nullptr, GetCurrentThreadId());
}

}  // namespace host
