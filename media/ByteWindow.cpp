#include "media/ByteWindow.h"

#include <cstring>

namespace media {

const uint8_t* ByteWindow::At(uint64_t offset, size_t n, size_t ahead) {
  if (offset > end_ || end_ - offset < n) return nullptr;
  const uint64_t left = end_ - offset;
  const size_t wanted = left < uint64_t{n} + ahead ? static_cast<size_t>(left) : n + ahead;
  if (offset < start_ || offset - start_ > buffer_.size() || buffer_.size() - (offset - start_) < wanted) {
    const size_t chunk = wanted > nextChunk_ ? wanted : nextChunk_;
    const size_t fill = left < chunk ? static_cast<size_t>(left) : chunk;
    if (nextChunk_ < kMaxChunk) nextChunk_ *= 2;
    buffer_.resize(fill);
    const size_t got = fill == 0 ? 0 : read_(offset, buffer_.data(), fill);
    buffer_.resize(got < fill ? got : fill);
    start_ = offset;
    if (buffer_.size() < fill) end_ = offset + buffer_.size();  // the source ends early: never ask again
    if (buffer_.size() < n) return nullptr;
  }
  return buffer_.data() + (offset - start_);
}

bool ByteWindow::Peek(uint64_t offset, uint8_t* destination, size_t n) {
  if (offset > end_ || end_ - offset < n) return false;
  if (offset >= start_ && offset - start_ <= buffer_.size() && buffer_.size() - (offset - start_) >= n) {
    std::memcpy(destination, buffer_.data() + (offset - start_), n);
    return true;
  }
  return n == 0 || read_(offset, destination, n) == n;
}

}  // namespace media
