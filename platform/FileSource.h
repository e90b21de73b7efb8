// The archive on disk as a ByteSource: one open handle, unbuffered positioned reads. Win32 builds
// use a file handle, native builds C stdio.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/ByteSource.h"
#include "platform/WideString.h"

// Opens `path` (ANSI code page bytes on Windows) for reading; null when it cannot be opened or is a
// folder. Writers and readers elsewhere may keep the file open meanwhile.
std::unique_ptr<ByteSource> OpenFileSource(const std::string& path);
#ifdef _WIN32
// The same by a UTF-16 name, for files whose names the ANSI code page cannot spell.
std::unique_ptr<ByteSource> OpenFileSource(const WideString& path);
#endif

// What every file source of the process has done so far, for measuring the cost of a read.
struct FileReadTotals {
  uint64_t opens = 0;
  uint64_t reads = 0;
  uint64_t bytes = 0;
};
FileReadTotals GetFileReadTotals();
