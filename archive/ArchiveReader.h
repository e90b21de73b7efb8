// The one read-ahead cache between the archive's ByteSource and everything that reads it: the
// end-record search, the directory walk, every member's analysis and the extraction. Nearby reads
// are served from four small read-ahead windows (a member's start and its first frames, the frame
// headers of a large tag, and its end reaching into the next member's start); a read that
// continues the previous one widens the next window, so a long scan costs few system reads. The
// central directory can be held whole in a block of its own.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ByteSource.h"

class ArchiveReader : public ByteSource {
 public:
  // Opens the file at `path`; a folder or an unopenable file gives a reader that is not open.
  explicit ArchiveReader(const std::string& path);
  // Reads `source`, which must outlive the reader.
  explicit ArchiveReader(ByteSource& source);
  ArchiveReader(const ArchiveReader&) = delete;
  ArchiveReader& operator=(const ArchiveReader&) = delete;

  bool IsOpen() const { return source_ != nullptr; }
  // Size of the archive in bytes; 0 when not open.
  uint64_t Size() const override { return size_; }
  // Reads up to `count` bytes at `offset`; returns how many there were (fewer at the end).
  size_t ReadAt(uint64_t offset, uint8_t* destination, size_t count) override;
  // Reads exactly `count` bytes; a short read is a failure.
  bool ReadExactAt(uint64_t offset, uint8_t* destination, size_t count) {
    return ReadAt(offset, destination, count) == count;
  }
  // The `n` bytes at `offset` where they lie in the cache, for scans that look at every byte; null
  // when they do not all lie before `end` or cannot be read. Valid until the next call. A refill
  // also takes the `ahead` bytes after them (as far as `end` allows); one that reaches past the
  // last refill's end continues it as a scan, so a walk over a member costs few system reads.
  const uint8_t* Look(uint64_t offset, size_t n, uint64_t end, size_t ahead = 0);
  // Keeps `count` bytes from `offset` in memory for the reads that follow (the central directory),
  // when they are no more than kMaxHeld; otherwise reads go on through the windows.
  void Hold(uint64_t offset, uint64_t count);

  static constexpr size_t kFirstWindow = 1024;
  static constexpr size_t kBackReach = 256;
  static constexpr size_t kMaxWindow = 64 * 1024;
  static constexpr uint64_t kMaxHeld = 8u << 20;

 private:
  struct Window {
    uint64_t start = 0;
    std::vector<uint8_t> bytes;
    uint64_t lastUse = 0;
    bool Holds(uint64_t at) const { return at >= start && at - start < bytes.size(); }
  };
  Window* Find(uint64_t at);
  Window& Oldest();
  Window& Fill(uint64_t at, size_t wanted);
  size_t NextLength(bool scan, size_t wanted);

  std::unique_ptr<ByteSource> owned_;
  ByteSource* source_ = nullptr;
  uint64_t size_ = 0;
  Window held_;
  Window windows_[4];
  Window* lastLook_ = nullptr;  // where the last look was served
  uint64_t uses_ = 0;
  uint64_t lastFillEnd_ = UINT64_MAX;
  size_t nextWindow_ = kFirstWindow;
};
