// Buffered binary reading of an archive on disk, with 64-bit positions so that no offset wraps.
// Opened in the constructor, closed in the destructor: every read operation keeps the file open
// only for its own duration.
#pragma once
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

class ArchiveReader {
 public:
  // Opens `path` for binary reading; a directory counts as not openable.
  explicit ArchiveReader(const std::string& path);

  bool IsOpen() const { return open_; }
  // Size of the file in bytes (moves the position to the end); 0 when not open.
  uint64_t Size();
  // Moves to `offset`; false when not open or the system refuses.
  bool Seek(uint64_t offset);
  // Reads up to `count` bytes at the current position; returns how many were read.
  size_t Read(uint8_t* destination, size_t count);
  // Reads exactly `count` bytes; a short read is a failure.
  bool ReadExact(uint8_t* destination, size_t count) { return Read(destination, count) == count; }

 private:
  std::ifstream stream_;
  bool open_ = false;
};
