// An empty DLL: loaded from chosen folders, it stands in for the plug-in module.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
