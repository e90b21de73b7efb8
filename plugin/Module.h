// The plug-in module's instance handle, copied from the plug-in record at start-up (resources,
// module path). Tests that link the plug-in code into an executable set it to that executable.
#pragma once
#include <windows.h>

extern HINSTANCE g_pluginInstance;
