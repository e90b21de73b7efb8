// UTF-16 text for the system's W functions, in the Win32 build. Its own character traits make it a
// type of this program: std::wstring's members come ready-made in one object file of the static
// C++ runtime, which the linker takes whole (35 KB of the DLL); this type's members are made from
// the headers, and only those that are used.
#pragma once
#include <string>

struct WideCharTraits : std::char_traits<wchar_t> {};
using WideString = std::basic_string<wchar_t, WideCharTraits>;
