// A second plug-in for the unloading tests: at start-up it replaces the playlist editor's
// procedure, which must already be another plug-in's (so it sits on top of that one), and passes
// every message on; at shut-down it puts back what it found, as plug-ins commonly do.
#include <windows.h>

#include "plugin/HostInterface.h"

namespace {

HWND g_playlist = nullptr;
WNDPROC g_saved = nullptr;

LRESULT CALLBACK WrapProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(g_saved, hwnd, message, wParam, lParam);
}

int __cdecl Init() {
  g_playlist = FindWindowA(kHostPlaylistClass, nullptr);
  HMODULE owner = nullptr;
  if (g_playlist) {
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(GetWindowLongPtrA(g_playlist, GWLP_WNDPROC)), &owner);
  }
  if (owner == nullptr || owner == GetModuleHandleA(nullptr)) return 1;  // nobody intercepted it first
  g_saved = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(g_playlist, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WrapProc)));
  return g_saved ? 0 : 1;
}

void __cdecl Config() {}

void __cdecl Quit() {
  if (g_saved && IsWindow(g_playlist)) SetWindowLongPtrA(g_playlist, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_saved));
}

PluginRecord g_record = {kPluginVersion, "Playlist editor wrapper", Init, Config, Quit, nullptr, nullptr};

}  // namespace

extern "C" __declspec(dllexport) PluginRecord* __cdecl winampGetGeneralPurposePlugin() { return &g_record; }
