// Positioned reads of a member's bytes through a callback (the open archive in the plug-in, memory
// in tests and fuzzing), and a window over them that serves small looks from one larger read.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace media {

// Copies up to `count` bytes at `offset` into `destination`; returns how many it copied (0 past
// the end or when the source cannot move there).
using ReadAtFunction = std::function<size_t(uint64_t offset, uint8_t* destination, size_t count)>;

class ByteWindow {
 public:
  // Never looks at or beyond `end`.
  ByteWindow(const ReadAtFunction& read, uint64_t end) : read_(read), end_(end) {}

  // `n` bytes at `offset`, or null when they do not all lie before the end or cannot be read.
  // The pointer stays valid until the next call. A refill also takes the `ahead` bytes after them
  // (as far as the end allows), so that looks just ahead of a scan need no read of their own.
  const uint8_t* At(uint64_t offset, size_t n, size_t ahead = 0);

  // Copies `n` bytes at `offset` into `destination`, from the window when it holds them, else by a
  // read of their own that leaves the window as it is; false when they are not all there.
  bool Peek(uint64_t offset, uint8_t* destination, size_t n);

 private:
  static constexpr size_t kChunk = 64 * 1024;
  const ReadAtFunction& read_;
  uint64_t end_;
  uint64_t start_ = 0;
  std::vector<uint8_t> buffer_;
};

}  // namespace media
