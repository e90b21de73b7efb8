// Loading and saving the settings record from the INI file beside the DLL, and the paths derived
// from the module and the host executable.
#pragma once
#include <string>

#include "settings/IniPathRules.h"
#include "settings/Settings.h"

// Each path is empty until the first load or save computes it, and stays empty when the module's
// path cannot be known in full (then nothing is read from or written to any INI file).
extern std::string iniPath;      // settings file beside the DLL
extern std::string hostIniPath;  // the host's own INI file
extern std::string pluginFolder; // the plug-in's own skin folder, with a trailing backslash

// Fills g_settings from iniPath (missing keys give the defaults), computing the three paths first
// when iniPath is empty. Set iniPath beforehand to load another file.
void LoadSettings();
// Writes every key of g_settings to iniPath, computing iniPath and hostIniPath first when empty.
void SaveSettings();
