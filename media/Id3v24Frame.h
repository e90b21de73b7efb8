// What version 2.4 changes in a frame: its size is syncsafe (where old writers put a plain number),
// and format flags wrap its body in a grouping byte, a data length, unsynchronisation, compression
// or encryption.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/ByteSource.h"

namespace media {

// Format flags, the low byte of a 2.4 frame's flags.
constexpr uint16_t kFrameGrouped = 0x0040;
constexpr uint16_t kFrameCompressed = 0x0008;
constexpr uint16_t kFrameEncrypted = 0x0004;
constexpr uint16_t kFrameUnsynchronised = 0x0002;
constexpr uint16_t kFrameDataLength = 0x0001;

// Four bytes of seven bits each, the top bit of every byte ignored.
uint32_t DecodeSyncsafe28(const uint8_t* p);

// True when a frame of `total` bytes at `at`, where `remaining` bytes of frames begin, ends on
// the end of the frames, on padding or on a frame ID (four of A-Z and 0-9). A size that lands
// anywhere else was misread.
bool EndsOnFrameBoundary(ByteSource& in, uint64_t at, uint64_t remaining, uint64_t total);

// A compressed or encrypted body holds no text this reader can take.
inline bool IsReadableBody(uint16_t flags) { return (flags & (kFrameCompressed | kFrameEncrypted)) == 0; }

// Turns a body as stored into the frame's data: drops the grouping byte and the data length,
// then undoes unsynchronisation when the frame or the whole tag has it. False when those
// additions claim more bytes than the body has.
bool UnwrapFrameBody(std::vector<uint8_t>& body, uint16_t flags, bool tagUnsynchronised);

}  // namespace media
