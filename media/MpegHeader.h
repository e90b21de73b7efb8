// Pure functions over the bytes of an MPEG audio frame header (b1 is the 0xFF sync byte, b2 and
// b3 the two bytes after it, b4 the last header byte). Nothing here reads a file.
#pragma once
#include <cstddef>
#include <cstdint>

namespace mpeg {

// Size of a frame header in bytes.
constexpr size_t kHeaderSize = 4;

// The sync pattern: 0xFF followed by a byte whose three high bits are set.
inline bool IsSync(uint8_t b1, uint8_t b2) { return b1 == 0xFF && (b2 & 0xE0) == 0xE0; }

// 1 = MPEG-1, 2 = MPEG-2, 3 = MPEG-2.5. Bit 3 set counts as MPEG-1, which includes the reserved
// pattern 01; IsValidHeader rejects that pattern.
int Version(uint8_t b2);
// 1, 2 or 3; 0 for the reserved layer bits 00.
int Layer(uint8_t b2);
inline int BitrateIndex(uint8_t b3) { return b3 >> 4; }
inline int SampleRateIndex(uint8_t b3) { return (b3 >> 2) & 0x03; }
inline bool HasPadding(uint8_t b3) { return (b3 & 0x02) != 0; }
// Protection bit clear means a 16-bit CRC follows the header.
inline bool HasCrc(uint8_t b2) { return (b2 & 0x01) == 0; }
// Channel mode 3 is single channel.
inline bool IsMono(uint8_t b4) { return (b4 >> 6) == 3; }

// Bitrate in kbit/s from the standard's tables; 0 for index 0 (free format), index 15
// (forbidden), the reserved layer and out-of-range arguments.
int Bitrate(int version, int layer, int index);
// Sample rate in Hz; 0 for the reserved index 3 and out-of-range arguments.
int SampleRate(int version, int index);
// PCM samples one frame decodes to; 0 for the reserved layer.
int SamplesPerFrame(int version, int layer);

// True for a header a decoder would accept as the start of a frame: the sync, a version other
// than the reserved one, a layer, a bitrate index other than 15 and a sample-rate index other
// than 3. Needs three bytes.
bool IsValidHeader(uint8_t b1, uint8_t b2, uint8_t b3);

// Length of the frame in bytes including its header; 0 for free format or an invalid header.
uint32_t FrameLength(uint8_t b1, uint8_t b2, uint8_t b3);

// First position in `data` where a valid header starts with all three of its bytes inside
// `size`, searching positions below `limit` only; -1 when there is none.
long FindValidHeader(const uint8_t* data, size_t size, size_t limit);

// The frame count of a "Xing"/"Info" or "VBRI" header in the first frame (`frame` holds the
// frame from its header on, `size` bytes of it); 0 when there is no such header or it carries no
// frame count.
uint32_t VbrFrameCount(const uint8_t* frame, size_t size);

}  // namespace mpeg
