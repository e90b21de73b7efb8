// Decides whether a copy may write its target file. A member's name comes from an untrusted archive
// and may name the archive itself or a file the user protected; replacing either loses data.
#pragma once
#include <string>
#include <vector>

#include "platform/WideString.h"

// True when `target` may be created or replaced. False when it is one of `keep` (empty entries are
// ignored) - the same path once both are made full and compared without regard to letter case, or
// the same file by volume serial number and file index - or when it exists and is read-only, hidden,
// system, a folder, a reparse point or anything but a plain file on disk, or when it
// cannot be examined.
bool MayWriteTarget(const std::string& target, const std::vector<std::string>& keep);
// The same for paths known by their UTF-16 names.
bool MayWriteTarget(const WideString& target, const std::vector<WideString>& keep);

// An ANSI code page path as UTF-16, as the system's A functions read it; empty for empty text.
WideString AnsiToWide(const std::string& text);

// The folder part of a UTF-16 path, up to and including its last separator; empty without one.
WideString WideFolderPart(const WideString& path);
