// The two code-page services the portable core needs from the system: the lead-byte test of the
// ANSI code page and the conversion of UTF-16 text to it. Win32 builds ask Windows; native builds
// follow code page 932, the code page of the systems the plug-in is made for.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace codepage {

// True when `byte` starts a double-byte character in the ANSI code page.
bool IsLeadByte(uint8_t byte);

// Converts `count` UTF-16 code units to the ANSI code page; characters the code page lacks
// become the platform's default replacement character.
std::string Utf16ToAnsi(const char16_t* units, size_t count);

}  // namespace codepage
