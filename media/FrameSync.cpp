#include "media/FrameSync.h"

#include "media/Id3TagHeader.h"
#include "media/MpegHeader.h"

namespace media {

namespace {

// Version, layer and sample rate agree: the next frame belongs to the same stream.
bool SameStream(const uint8_t* a, const uint8_t* b) {
  return mpeg::Version(a[1]) == mpeg::Version(b[1]) && mpeg::Layer(a[1]) == mpeg::Layer(b[1]) &&
         mpeg::SampleRateIndex(a[2]) == mpeg::SampleRateIndex(b[2]);
}

bool Confirmed(ArchiveReader& in, uint64_t at, const uint8_t header[3], uint64_t end, uint64_t audioEnd) {
  const uint32_t length = mpeg::FrameLength(header[0], header[1], header[2]);
  if (length == 0) return false;
  const uint64_t next = at + length;
  if (next == end || next == audioEnd) return true;  // a member of one frame
  const uint8_t* after = in.Look(next, 3, end);
  return after != nullptr && mpeg::IsValidHeader(after[0], after[1], after[2]) && SameStream(header, after);
}

}  // namespace

uint64_t LeadingTagsSize(ByteSource& in, uint64_t begin, uint64_t end) {
  uint64_t pos = begin;
  for (int i = 0; i < kMaxLeadingTags && pos <= end && end - pos >= kId3v2HeaderSize; ++i) {
    uint8_t head[kId3v2HeaderSize];
    if (in.ReadAt(pos, head, sizeof head) != sizeof head) break;
    const uint64_t total = Id3v2TotalSize(head, sizeof head);
    if (total == 0 || total > end - pos) break;
    pos += total;
  }
  return pos - begin;
}

bool FindFirstFrame(ArchiveReader& in, uint64_t begin, uint64_t end, uint64_t audioEnd,
                    uint64_t searchLimit, uint64_t& frameOffset) {
  if (begin >= end) return false;
  const uint64_t stop = end - begin > searchLimit ? begin + searchLimit : end;
  for (uint64_t pos = begin; pos < stop; ++pos) {
    const uint8_t* look = in.Look(pos, 3, end);
    if (look == nullptr) return false;  // fewer than three bytes left
    if (!mpeg::IsValidHeader(look[0], look[1], look[2])) continue;
    // Kept apart: the look at the confirming header may move the cache.
    const uint8_t header[3] = {look[0], look[1], look[2]};
    const bool freeFormat = mpeg::BitrateIndex(header[2]) == 0;
    if ((freeFormat && pos == begin) || (!freeFormat && Confirmed(in, pos, header, end, audioEnd))) {
      frameOffset = pos;
      return true;
    }
  }
  return false;
}

}  // namespace media
