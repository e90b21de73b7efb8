// Positioned reads from an open binary stream, shared by the directory reader and the member
// analysis. Every call clears the stream's error state first, so one failed read does not end the next.
#pragma once
#include <cstddef>
#include <cstdint>
#include <iosfwd>

namespace io {

// Positions the stream at `offset`; false when the seek fails.
bool SeekTo(std::istream& in, uint64_t offset);

// Reads up to `count` bytes at the current position into `out`; returns how many arrived.
size_t ReadHere(std::istream& in, uint8_t* out, size_t count);

// Reads up to `count` bytes at `offset` into `out`; returns how many arrived (0 when the seek fails).
size_t ReadAt(std::istream& in, uint64_t offset, uint8_t* out, size_t count);

// Size of the stream in bytes; 0 when it cannot be measured.
uint64_t StreamSize(std::istream& in);

}  // namespace io
