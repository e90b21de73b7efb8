// Turns a member's file name from the archive into a name that is safe to create in a folder on
// disk: the archive is untrusted, and its names must not reach a stream, a device or a folder
// other than the one chosen.
#pragma once
#include <string>

// Bytes in the ANSI code page in, bytes out. Single-byte characters that Windows does not allow in
// a file name (control characters, < > : " / \ | ? *) and a lead byte without a valid trail byte
// become '_'; double-byte characters pass whole, so a trail byte 0x5C or 0x7C is kept. Trailing
// dots and spaces (which Windows would strip, turning "..", for instance, into the folder above)
// become '_', and a reserved device name (CON, NUL, COM1, ...), with or without an extension, gets
// a leading '_'. The empty name stays empty.
std::string MakeSafeFileName(const std::string& name);
