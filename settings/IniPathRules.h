// The pure rules that derive the INI file and the skin folder from a module's path. They work on
// any byte string in the ANSI code page, so they are kept apart from the module calls.
#pragma once
#include <string>

// The path with its extension replaced by ".ini": the last '.' of the file name and at most the
// three characters after it. A file name without '.' gets ".ini" appended, so a '.' in a folder
// name never moves the file elsewhere. An empty path (module unknown) gives empty text.
std::string ReplaceExtensionWithIni(const std::string& path);

// The folder named after the module: the path cut just before the last '.' of the file name, with
// a backslash appended (the whole path when the file name has no '.'). Empty for an empty path.
std::string FolderNamedAfterModule(const std::string& path);

// The "Plugins" folder inside the host's per-user settings folder (a trailing backslash of that
// folder is not doubled); empty for an empty folder.
std::string HostPluginsFolder(const std::string& hostFolder);
// Where the settings live when the INI file beside the DLL cannot be written: that Plugins folder
// and the file name of `besideIni`. Empty when either is empty.
std::string HostFolderIniPath(const std::string& hostFolder, const std::string& besideIni);
