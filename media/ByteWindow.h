// Positioned reads of a member's bytes through a callback (the open archive in the plug-in, memory
// in tests and fuzzing), and a window over them that serves small looks from one larger read.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace media {

// Copies up to `count` bytes at `offset` into `destination`; returns how many it copied (0 past
// the end or when the source cannot move there). A plain function and its context: the seam
// allocates nothing and needs no type erasure.
struct ReadAtFunction {
  size_t (*function)(void* context, uint64_t offset, uint8_t* destination, size_t count);
  void* context;
  size_t operator()(uint64_t offset, uint8_t* destination, size_t count) const {
    return function(context, offset, destination, count);
  }
};

// Reads through `source`, any object callable as ReadAtFunction is; it must outlive the reads.
template <typename Source>
ReadAtFunction ReadThrough(const Source& source) {
  return {[](void* context, uint64_t offset, uint8_t* destination, size_t count) -> size_t {
            return (*static_cast<const Source*>(context))(offset, destination, count);
          },
          const_cast<Source*>(&source)};
}

class ByteWindow {
 public:
  // Never looks at or beyond `end`.
  ByteWindow(const ReadAtFunction& read, uint64_t end) : read_(read), end_(end) {}

  // `n` bytes at `offset`, or null when they do not all lie before the end or cannot be read.
  // The pointer stays valid until the next call. A refill also takes the `ahead` bytes after them
  // (as far as the end allows). Refills start small and double while the scan goes on, so a
  // look at a member's first frame reads little and a long scan still costs few reads.
  const uint8_t* At(uint64_t offset, size_t n, size_t ahead = 0);

  // Copies `n` bytes at `offset` into `destination`, from the window when it holds them, else by a
  // read of their own that leaves the window as it is; false when they are not all there.
  bool Peek(uint64_t offset, uint8_t* destination, size_t n);

 private:
  static constexpr size_t kFirstChunk = 64;
  static constexpr size_t kMaxChunk = 64 * 1024;
  ReadAtFunction read_;
  uint64_t end_;
  uint64_t start_ = 0;
  size_t nextChunk_ = kFirstChunk;
  std::vector<uint8_t> buffer_;
};

}  // namespace media
