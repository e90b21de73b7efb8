// Texts in the ANSI code page handed to plug-ins through fixed buffers, and the UTF-8 of scripts
// turned into the UTF-16 of wide windows and names and back.
#pragma once
#include <cstddef>
#include <string>

namespace host {

// Copies text into a buffer of size bytes, terminator included, never splitting a double-byte
// character of the ANSI code page: a text that does not fit is cut before the character that
// would not.
void CopyAnsiBounded(const std::string& text, char* buffer, size_t size);

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const wchar_t* text);

}  // namespace host
