// Positioned reads of an archive's bytes, from a file on disk or from a block in memory.
#pragma once
#include <cstddef>
#include <cstdint>

class ByteSource {
 public:
  virtual ~ByteSource() = default;

  // Length in bytes, fixed while the source is open.
  virtual uint64_t Size() const = 0;
  // Reads up to `count` bytes at `offset` into `out`; returns how many arrived (fewer only at the
  // end of the source or when the system fails the read).
  virtual size_t ReadAt(uint64_t offset, uint8_t* out, size_t count) = 0;
};
