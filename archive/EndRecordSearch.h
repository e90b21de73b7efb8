// The search for the end-of-central-directory record, backwards from the end of the archive in
// chunks of 4096 bytes. Of the signatures in the window, the record taken is the highest one
// whose comment length reaches exactly to the end of the file; when none does, the highest one
// whose 22 bytes lie inside the file. So an end record inside the last member's data (a ZIP
// stored in the archive) or inside the archive comment does not hide the archive's own.
#pragma once
#include <cstdint>

#include "platform/ByteSource.h"

namespace zip {

constexpr uint32_t kSearchChunkSize = 4096;
// 65535 bytes of archive comment, the 22-byte record and one byte.
constexpr uint32_t kSearchWindow = 65558;

// Finds the record in the first `fileSize` bytes of `in`; false when no record lies in the window.
bool FindEndRecord(ByteSource& in, uint32_t fileSize, uint32_t& endRecordOffset);

}  // namespace zip
