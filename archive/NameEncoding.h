// Member names and comments as texts of the ANSI code page. A name stored with the language
// encoding flag (bit 11 of the general purpose flags) is UTF-8, as Python's zipfile, 7-Zip and
// Windows write non-ASCII names; any other name is taken as its stored bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace zip {

constexpr uint16_t kUtf8NamesFlag = 0x0800;

// UTF-16 of UTF-8 bytes; every byte that starts no valid sequence (overlong forms, surrogates
// and values beyond U+10FFFF included) becomes U+FFFD.
std::u16string Utf8ToUtf16(const char* bytes, size_t count);

// `stored` converted to the ANSI code page when `flags` has the UTF-8 bit, characters the code
// page lacks becoming its default replacement; otherwise `stored` unchanged.
std::string StoredTextToAnsi(const std::string& stored, uint16_t flags);

}  // namespace zip
