#include "media/FrameCount.h"

#include "media/FrameSync.h"
#include "media/MpegHeader.h"

namespace media {

namespace {

// Longer than any frame plus a header, so a look at the next header stays in the cache's window.
constexpr size_t kFrameLookahead = 4096;

// The length of the frame at `header` when it is valid and of the same version, layer and
// sample rate as `stream`; 0 otherwise.
uint32_t StreamFrameLength(const uint8_t stream[3], const uint8_t* header) {
  if (!mpeg::IsValidHeader(header[0], header[1], header[2])) return 0;
  if (mpeg::Version(header[1]) != mpeg::Version(stream[1]) || mpeg::Layer(header[1]) != mpeg::Layer(stream[1]) ||
      mpeg::SampleRateIndex(header[2]) != mpeg::SampleRateIndex(stream[2]))
    return 0;
  return mpeg::FrameLength(header[0], header[1], header[2]);
}

// The next confirmed header of the stream at or after `from` and before `from` + `limit`; false
// when there is none.
bool Resync(ArchiveReader& in, const uint8_t stream[3], uint64_t from, uint64_t audioEnd, uint64_t limit,
            uint64_t& found) {
  const uint64_t stop = audioEnd - from > limit ? from + limit : audioEnd;
  for (uint64_t pos = from; pos < stop; ++pos) {
    const uint8_t* header = in.Look(pos, 3, audioEnd, kFrameLookahead);
    if (header == nullptr) return false;
    const uint32_t length = StreamFrameLength(stream, header);
    if (length == 0 || length > audioEnd - pos) continue;
    const uint8_t* next = pos + length == audioEnd ? nullptr : in.Look(pos + length, 3, audioEnd);
    if (pos + length == audioEnd || (next != nullptr && StreamFrameLength(stream, next) != 0)) {
      found = pos;
      return true;
    }
  }
  return false;
}

// The first header's bytes, which every later header is compared with; false when they are not there.
bool StreamOf(ArchiveReader& in, uint64_t first, uint64_t audioEnd, uint8_t stream[3]) {
  const uint8_t* look = in.Look(first, 3, audioEnd);
  if (look == nullptr) return false;
  for (int i = 0; i < 3; ++i) stream[i] = look[i];
  return true;
}

}  // namespace

bool BitratesVary(ArchiveReader& in, uint64_t first, uint64_t audioEnd) {
  uint8_t stream[3];
  if (!StreamOf(in, first, audioEnd, stream)) return false;
  // The first look takes the span a constant bitrate gives the sample, so it is read in one go.
  const uint32_t firstLength = mpeg::FrameLength(stream[0], stream[1], stream[2]);
  const uint64_t span = uint64_t{firstLength} * (kBitrateSampleFrames - 1);
  size_t ahead = static_cast<size_t>(span < kBitrateSampleBytes ? span : kBitrateSampleBytes);
  uint64_t pos = first;
  for (int i = 0; i < kBitrateSampleFrames && pos - first < kBitrateSampleBytes;) {
    const uint8_t* header = in.Look(pos, 3, audioEnd, ahead);
    ahead = 0;
    if (header == nullptr) break;
    const uint32_t length = StreamFrameLength(stream, header);
    if (length != 0 && length <= audioEnd - pos) {
      if (mpeg::BitrateIndex(header[2]) != mpeg::BitrateIndex(stream[2])) return true;
      pos += length;
      ++i;
    } else if (!Resync(in, stream, pos + 1, audioEnd, kBitrateSampleBytes - (pos - first), pos)) {
      break;
    }
  }
  return false;
}

uint64_t CountFrames(ArchiveReader& in, uint64_t first, uint64_t audioEnd) {
  uint8_t stream[3];
  if (!StreamOf(in, first, audioEnd, stream)) return 0;
  uint64_t frames = 0;
  uint64_t pos = first;
  for (;;) {
    const uint8_t* header = in.Look(pos, 3, audioEnd, kFrameLookahead);
    if (header == nullptr) break;
    const uint32_t length = StreamFrameLength(stream, header);
    if (length != 0 && length <= audioEnd - pos) {
      ++frames;
      pos += length;
    } else if (!Resync(in, stream, pos + 1, audioEnd, kFirstFrameSearchLimit, pos)) {
      break;
    }
  }
  return frames;
}

uint64_t CountVbrFrames(ArchiveReader& in, uint64_t first, uint64_t audioEnd) {
  return BitratesVary(in, first, audioEnd) ? CountFrames(in, first, audioEnd) : 0;
}

}  // namespace media
