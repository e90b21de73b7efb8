#include "archive/ArchiveReader.h"

#include <cstring>
#include <exception>
#include <utility>

#include "platform/FileSource.h"

ArchiveReader::ArchiveReader(const std::string& path) : owned_(OpenFileSource(path)), source_(owned_.get()) {
  if (source_) size_ = source_->Size();
}

ArchiveReader::ArchiveReader(ByteSource& source) : source_(&source), size_(source.Size()) {}

ArchiveReader::Window* ArchiveReader::Find(uint64_t at) {
  if (held_.Holds(at)) return &held_;
  for (Window& window : windows_) {
    if (window.Holds(at)) {
      window.lastUse = ++uses_;
      return &window;
    }
  }
  return nullptr;
}

ArchiveReader::Window& ArchiveReader::Oldest() {
  Window* oldest = &windows_[0];
  for (Window& candidate : windows_) {
    if (candidate.lastUse < oldest->lastUse) oldest = &candidate;
  }
  return *oldest;
}

size_t ArchiveReader::NextLength(bool scan, size_t wanted) {
  // Each step of a scan doubles the window.
  nextWindow_ = scan ? (nextWindow_ < kMaxWindow / 2 ? nextWindow_ * 2 : kMaxWindow) : kFirstWindow;
  return wanted > nextWindow_ ? wanted : nextWindow_;
}

ArchiveReader::Window& ArchiveReader::Fill(uint64_t at, size_t wanted) {
  // A read that starts where the last fill ended is a scan.
  const bool scan = at == lastFillEnd_;
  size_t length = NextLength(scan, wanted);
  // A fresh window also takes a few bytes before the read: the looks at a member's trailing tags
  // step backwards from its last 128 bytes.
  const size_t back = scan ? 0 : static_cast<size_t>(at < kBackReach ? at : kBackReach);
  at -= back;
  length += back;
  if (length > size_ - at) length = static_cast<size_t>(size_ - at);
  Window& window = Oldest();
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

const uint8_t* ArchiveReader::Look(uint64_t offset, size_t n, uint64_t end, size_t ahead) {
  if (source_ == nullptr) return nullptr;
  if (end > size_) end = size_;
  if (offset > end || end - offset < n) return nullptr;
  const uint64_t left = end - offset;
  const size_t wanted = left < uint64_t{n} + ahead ? static_cast<size_t>(left) : n + ahead;
  // A scan looks at every byte: the window of the last look is asked first.
  if (lastLook_ != nullptr && lastLook_->Holds(offset) && lastLook_->start + lastLook_->bytes.size() - offset >= wanted) {
    if (lastLook_ != &held_) lastLook_->lastUse = ++uses_;
    return lastLook_->bytes.data() + (offset - lastLook_->start);
  }
  Window* window = Find(offset);
  if (window != nullptr && window->start + window->bytes.size() - offset >= wanted) {
    lastLook_ = window;
    return window->bytes.data() + (offset - window->start);
  }
  if (window != nullptr && window != &held_) {
    // The look runs past the window's end: the bytes from `offset` that it holds move into a new
    // window rather than being read again, and the rest is read from its end on, as a scan when
    // that is where the last fill ended.
    const uint64_t windowEnd = window->start + window->bytes.size();
    const size_t kept = static_cast<size_t>(windowEnd - offset);
    size_t length = NextLength(windowEnd == lastFillEnd_, wanted - kept) + kept;
    if (length > size_ - offset) length = static_cast<size_t>(size_ - offset);
    std::vector<uint8_t> bytes(length);
    std::memcpy(bytes.data(), window->bytes.data() + (offset - window->start), kept);
    bytes.resize(kept + source_->ReadAt(windowEnd, bytes.data() + kept, length - kept));
    Window& fresh = Oldest();
    fresh.bytes = std::move(bytes);
    fresh.start = offset;
    fresh.lastUse = ++uses_;
    lastFillEnd_ = offset + fresh.bytes.size();
    window = &fresh;
  } else {
    window = &Fill(offset, wanted);
  }
  if (!window->Holds(offset) || window->start + window->bytes.size() - offset < n) return nullptr;
  lastLook_ = window;
  return window->bytes.data() + (offset - window->start);
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
