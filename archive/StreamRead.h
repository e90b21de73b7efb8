// Positioned reads for the member analysis, through the archive's one reader.
#pragma once
#include <cstddef>
#include <cstdint>

#include "archive/ArchiveReader.h"

namespace io {

// Reads up to `count` bytes at `offset` into `out`; returns how many arrived.
inline size_t ReadAt(ArchiveReader& in, uint64_t offset, uint8_t* out, size_t count) {
  return in.ReadAt(offset, out, count);
}

}  // namespace io
