// The full path of a loaded module, as the INI paths need it.
#pragma once
#include <windows.h>

#include <string>

// Module paths are fetched through a buffer of this many bytes.
constexpr DWORD kModulePathBufferSize = 260;

// The module's full path; empty when the call fails or the path had to be cut to fit the buffer,
// since a cut path names some other file or folder.
std::string ModuleFileName(HMODULE module, DWORD bufferSize = kModulePathBufferSize);
