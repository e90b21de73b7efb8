#include "plugin/Module.h"

HINSTANCE g_pluginInstance = nullptr;
