// Length of an MPEG audio stream measured the way a decoder plays it: every frame header across
// the whole file is walked, and whatever is no frame (ZIP records between members, ID3 tags,
// stray bytes) is skipped by resynchronising.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/MpegFrame.h"

namespace host {
constexpr uint64_t kTicksPerSecond = 14112000;
}

namespace host {

// Random access to the bytes being measured.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t Size() const = 0;
  // Copies up to n bytes from offset into dst; returns how many were copied.
  virtual size_t ReadAt(uint64_t offset, uint8_t* dst, size_t n) = 0;
};

class MemorySource : public ByteSource {
 public:
  MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint64_t Size() const override { return size_; }
  size_t ReadAt(uint64_t offset, uint8_t* dst, size_t n) override;

 private:
  const uint8_t* data_;
  size_t size_;
};

struct StreamMeasure {
  uint64_t frames = 0;
  uint64_t frameBytes = 0;    // bytes inside accepted frames
  uint64_t skippedBytes = 0;  // everything else
  // Play time in units of 1/14112000 s, a rate every MPEG sample rate divides, so sums of
  // frames at different rates stay exact.
  uint64_t ticks = 0;
  uint32_t DurationMs() const;  // saturates at the 32-bit range the host messages carry
};

StreamMeasure MeasureStream(ByteSource& source);
// False when the file cannot be opened; m then stays empty.
bool MeasureFile(const std::string& path, StreamMeasure& m);
#ifdef _WIN32
// The same by a UTF-16 name.
bool MeasureFile(const std::wstring& path, StreamMeasure& m);
#endif

}  // namespace host
