#include "archive/MemorySource.h"

#include <cstring>

size_t MemorySource::ReadAt(uint64_t offset, uint8_t* out, size_t count) {
  if (offset >= size_ || count == 0) return 0;
  const size_t left = size_ - static_cast<size_t>(offset);
  const size_t n = count < left ? count : left;
  std::memcpy(out, data_ + offset, n);
  return n;
}
