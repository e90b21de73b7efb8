// Positioned reads from an open archive stream: the only place media/ touches file I/O.
#pragma once
#include <cstddef>
#include <cstdint>
#include <iosfwd>

namespace media {

// Reads up to `count` bytes at `offset` into `out`; returns how many arrived (0 when the seek
// fails). Clears the stream's error state first, so one failed read does not end the next.
size_t ReadAt(std::istream& in, uint64_t offset, uint8_t* out, size_t count);

// Size of the stream in bytes; 0 when it cannot be measured.
uint64_t StreamSize(std::istream& in);

// Positions the stream at `offset` with its error state cleared; false when the seek fails.
bool SeekTo(std::istream& in, uint64_t offset);

}  // namespace media
