// A second plug-in for the unloading tests: at start-up it replaces the playlist editor's
// procedure, which must then already be another plug-in's (so it sits on top of that one), and
// passes every message on; at shut-down it puts back what it found, as plug-ins commonly do.
#include <windows.h>

#include "plugin/HostInterface.h"

namespace {

HWND g_playlist = nullptr;
WNDPROC g_saved = nullptr;

int __cdecl Init();
void __cdecl Config() {}
void __cdecl Quit();

PluginRecord g_record = {kPluginVersion, "Playlist editor wrapper", Init, Config, Quit, nullptr, nullptr};

LRESULT CALLBACK WrapProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(g_saved, hwnd, message, wParam, lParam);
}

int __cdecl Init() {
  g_playlist = FindWindowA(kHostPlaylistClass, nullptr);
  if (!g_playlist) return 1;
  const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(g_playlist, GWLP_WNDPROC));
  HMODULE owner = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(current), &owner);
  // Refuses to start unless another plug-in intercepted the window first.
  if (owner == nullptr || owner == GetModuleHandleA(nullptr)) return 1;
  g_saved = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(g_playlist, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WrapProc)));
  return g_saved ? 0 : 1;
}

void __cdecl Quit() {
  if (g_playlist && IsWindow(g_playlist)) SetWindowLongPtrA(g_playlist, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_saved));
}

}  // namespace

extern "C" __declspec(dllexport) PluginRecord* __cdecl winampGetGeneralPurposePlugin() { return &g_record; }
