// The ten-byte header of an ID3v2 tag: "ID3", major version, revision, flags and the syncsafe size
// of the body that follows; in 2.4 a ten-byte footer may follow the body.
#pragma once
#include <cstddef>
#include <cstdint>

namespace media {

constexpr size_t kId3v2HeaderSize = 10;

constexpr uint8_t kId3Unsynchronised = 0x80;
constexpr uint8_t kId3ExtendedHeader = 0x40;
constexpr uint8_t kId3Footer = 0x10;

// The size field of a tag header: each byte shifted in 7 bits at a time. The bytes are not
// masked, as tag readers have always read it, so a damaged header can claim gigabytes.
uint32_t DecodeSyncsafe(const uint8_t* p);

struct Id3TagHeader {
  uint8_t bytes[kId3v2HeaderSize] = {};
  int version = 0;  // major x 256 + revision, the revision byte counting as signed
  uint8_t flags = 0;
  uint32_t bodySize = 0;

  // Takes the first ten of `size` bytes at `p`; false when they are no ID3v2 header.
  bool Parse(const uint8_t* p, size_t size);
  // 2.3.0 and older, and 2.4 of any revision. A 2.3 revision above 0 or a later major version may
  // lay its frames out in ways this reader does not know.
  bool IsSupported() const { return version <= 0x0300 || IsVersion24(); }
  bool IsVersion24() const { return bytes[3] == 4; }
  // Header, body and the footer the 0x10 flag announces.
  uint64_t TotalSize() const;
};

// Total bytes of the tag that starts at `header` (`size` bytes there); 0 when they are not an
// ID3v2 header.
uint64_t Id3v2TotalSize(const uint8_t* header, size_t size);

}  // namespace media
