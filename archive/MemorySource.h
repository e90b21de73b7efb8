// A block of bytes in memory as a ByteSource, so the whole archive read runs without a file
// (fuzzing, tests). The block is borrowed and must outlive the source.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/ByteSource.h"

class MemorySource : public ByteSource {
 public:
  MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  uint64_t Size() const override { return size_; }
  size_t ReadAt(uint64_t offset, uint8_t* out, size_t count) override;

 private:
  const uint8_t* data_;
  size_t size_;
};
