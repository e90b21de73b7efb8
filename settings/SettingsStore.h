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

// The folder where the host keeps its per-user settings (its answer to user message 335); empty
// for a host that does not tell. Set before the first load: where the INI file beside the DLL
// cannot be written (a plug-in folder under Program Files), the settings live in that folder's
// Plugins folder instead, starting from the values beside the DLL.
extern std::string hostSettingsFolder;

// Fills g_settings from iniPath (missing keys give the defaults), computing the three paths first
// when iniPath is empty. Set iniPath beforehand to load another file.
void LoadSettings();
// Writes every key of g_settings to iniPath, computing iniPath and hostIniPath first when empty.
void SaveSettings();
// Brings the window's position back onto a monitor, by the rule loading applies, where the host's
// windows took it off every monitor; called before the settings are saved at shut-down.
void KeepSavedPositionOnScreen();
