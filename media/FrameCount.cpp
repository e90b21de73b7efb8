#include "media/FrameCount.h"

#include "media/FrameSync.h"
#include "media/MpegHeader.h"

namespace media {

namespace {

// Longer than any frame plus a header, so a look at the next header stays in the window.
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
bool Resync(ByteWindow& window, const uint8_t stream[3], uint64_t from, uint64_t audioEnd, uint64_t limit,
            uint64_t& found) {
  const uint64_t stop = audioEnd - from > limit ? from + limit : audioEnd;
  for (uint64_t pos = from; pos < stop; ++pos) {
    const uint8_t* header = window.At(pos, 3, kFrameLookahead);
    if (header == nullptr) return false;
    const uint32_t length = StreamFrameLength(stream, header);
    if (length == 0 || length > audioEnd - pos) continue;
    uint8_t next[3];
    if (pos + length == audioEnd ||
        (window.Peek(pos + length, next, sizeof next) && StreamFrameLength(stream, next) != 0)) {
      found = pos;
      return true;
    }
  }
  return false;
}

}  // namespace

bool BitratesVary(const ReadAtFunction& read, uint64_t first, uint64_t audioEnd) {
  ByteWindow window(read, audioEnd);
  uint8_t stream[3];
  if (!window.Peek(first, stream, sizeof stream)) return false;
  // The first look takes the span a constant bitrate gives the sample, so it is read in one go.
  const uint32_t firstLength = mpeg::FrameLength(stream[0], stream[1], stream[2]);
  const uint64_t span = uint64_t{firstLength} * (kBitrateSampleFrames - 1);
  size_t ahead = static_cast<size_t>(span < kBitrateSampleBytes ? span : kBitrateSampleBytes);
  uint64_t pos = first;
  for (int i = 0; i < kBitrateSampleFrames && pos - first < kBitrateSampleBytes;) {
    const uint8_t* header = window.At(pos, 3, ahead);
    ahead = 0;
    if (header == nullptr) break;
    const uint32_t length = StreamFrameLength(stream, header);
    if (length != 0 && length <= audioEnd - pos) {
      if (mpeg::BitrateIndex(header[2]) != mpeg::BitrateIndex(stream[2])) return true;
      pos += length;
      ++i;
    } else if (!Resync(window, stream, pos + 1, audioEnd, kBitrateSampleBytes - (pos - first), pos)) {
      break;
    }
  }
  return false;
}

uint64_t CountFrames(const ReadAtFunction& read, uint64_t first, uint64_t audioEnd) {
  ByteWindow window(read, audioEnd);
  uint8_t stream[3];
  if (!window.Peek(first, stream, sizeof stream)) return 0;
  uint64_t frames = 0;
  uint64_t pos = first;
  for (;;) {
    const uint8_t* header = window.At(pos, 3, kFrameLookahead);
    if (header == nullptr) break;
    const uint32_t length = StreamFrameLength(stream, header);
    if (length != 0 && length <= audioEnd - pos) {
      ++frames;
      pos += length;
    } else if (!Resync(window, stream, pos + 1, audioEnd, kFirstFrameSearchLimit, pos)) {
      break;
    }
  }
  return frames;
}

uint64_t CountVbrFrames(const ReadAtFunction& read, uint64_t first, uint64_t audioEnd) {
  return BitratesVary(read, first, audioEnd) ? CountFrames(read, first, audioEnd) : 0;
}

}  // namespace media
