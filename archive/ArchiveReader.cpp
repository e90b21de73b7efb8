#include "archive/ArchiveReader.h"

#include <cstring>
#include <exception>
#include <utility>

#include "platform/FileSource.h"

ArchiveReader::ArchiveReader(const std::string& path) : owned_(OpenFileSource(path)), source_(owned_.get()) {
  if (source_) size_ = source_->Size();
}

ArchiveReader::ArchiveReader(ByteSource& source) : source_(&source), size_(source.Size()) {}

const ArchiveReader::Window* ArchiveReader::Find(uint64_t at) {
  if (held_.Holds(at)) return &held_;
  for (Window& window : windows_) {
    if (window.Holds(at)) {
      window.lastUse = ++uses_;
      return &window;
    }
  }
  return nullptr;
}

ArchiveReader::Window& ArchiveReader::Fill(uint64_t at, size_t wanted) {
  // A read that starts where the last fill ended is a scan: each step doubles the window.
  const bool scan = at == lastFillEnd_;
  nextWindow_ = scan ? (nextWindow_ < kMaxWindow / 2 ? nextWindow_ * 2 : kMaxWindow) : kFirstWindow;
  size_t length = wanted > nextWindow_ ? wanted : nextWindow_;
  // A fresh window also takes a few bytes before the read: the looks at a member's trailing tags
  // step backwards from its last 128 bytes.
  const size_t back = scan ? 0 : static_cast<size_t>(at < kBackReach ? at : kBackReach);
  at -= back;
  length += back;
  if (length > size_ - at) length = static_cast<size_t>(size_ - at);
  Window* oldest = &windows_[0];
  for (Window& candidate : windows_) {
    if (candidate.lastUse < oldest->lastUse) oldest = &candidate;
  }
  Window& window = *oldest;
  window.bytes.resize(length);
  window.bytes.resize(source_->ReadAt(at, window.bytes.data(), length));
  window.start = at;
  window.lastUse = ++uses_;
  lastFillEnd_ = at + window.bytes.size();
  return window;
}

size_t ArchiveReader::ReadAt(uint64_t offset, uint8_t* destination, size_t count) {
  if (source_ == nullptr || count == 0 || offset >= size_) return 0;
  if (count > size_ - offset) count = static_cast<size_t>(size_ - offset);
  size_t done = 0;
  while (done < count) {
    const uint64_t at = offset + done;
    const size_t left = count - done;
    const Window* window = Find(at);
    if (window == nullptr && left >= kMaxWindow) {
      // A large block (a whole tag, a sheet) goes straight to its destination.
      const size_t got = source_->ReadAt(at, destination + done, left);
      lastFillEnd_ = at + got;
      done += got;
      break;
    }
    if (window == nullptr) window = &Fill(at, left);
    if (!window->Holds(at)) break;  // the system read nothing
    const size_t inWindow = static_cast<size_t>(window->start + window->bytes.size() - at);
    const size_t n = left < inWindow ? left : inWindow;
    std::memcpy(destination + done, window->bytes.data() + (at - window->start), n);
    done += n;
  }
  return done;
}

void ArchiveReader::Hold(uint64_t offset, uint64_t count) {
  held_.bytes.clear();
  if (source_ == nullptr || offset >= size_) return;
  if (count > size_ - offset) count = size_ - offset;
  if (count == 0 || count > kMaxHeld) return;
  std::vector<uint8_t> bytes;
  try {
    bytes.resize(static_cast<size_t>(count));
  } catch (const std::exception&) {
    return;  // no memory for it: the windows serve the directory instead
  }
  // A small directory is often in the window the end-record search left.
  bytes.resize(ReadAt(offset, bytes.data(), bytes.size()));
  held_.bytes = std::move(bytes);
  held_.start = offset;
}
