// Loading and saving the settings record from the INI file beside the DLL, and the paths derived
// from the module and the host executable.
#pragma once
#include <string>

#include "settings/Settings.h"

extern std::string iniPath;      // settings file beside the DLL
extern std::string hostIniPath;  // the host's own INI file
extern std::string pluginFolder; // the plug-in's own skin folder, with a trailing backslash

void LoadSettings();
void SaveSettings();

// Path rules, kept apart from the module calls so they can be tested on any path.
std::string ReplaceExtensionWithIni(const std::string& path);
std::string FolderNamedAfterModule(const std::string& path);
