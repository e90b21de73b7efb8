// Little-endian field readers over a byte buffer: low byte first, independent of the host's
// byte order and of alignment. The caller guarantees that the bytes were actually read.
#pragma once
#include <cstdint>

namespace le {

inline uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

inline uint32_t Read32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace le
