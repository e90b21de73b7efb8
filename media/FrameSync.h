// Where a member's audio begins: past the ID3v2 tags at its start, at the first frame header that
// the header after it confirms. Free functions over the archive's cached reads.
#pragma once
#include <cstdint>

#include "archive/ArchiveReader.h"

namespace media {

// How far past the leading tags the first frame is looked for. Encoders write the first frame
// right after the tags, and taggers leave at most some kilobytes of padding or junk there; 1 MiB
// is far beyond that (a minute of audio at 128 kbit/s) and still read in milliseconds, while a
// member without audio must not be scanned whole on the player's thread.
constexpr uint64_t kFirstFrameSearchLimit = 1024 * 1024;

// At most this many tags in a row are skipped by their sizes; real files have one or two.
constexpr int kMaxLeadingTags = 16;

// Bytes taken by the ID3v2 tags that follow each other directly from `begin`, each skipped by its
// own size. A tag that claims more than reaches `end` is damaged and ends the run unskipped.
uint64_t LeadingTagsSize(ByteSource& in, uint64_t begin, uint64_t end);

// The first frame at or after `begin` whose header starts before `begin` + `searchLimit` and
// before `end`. A header counts only when the header at its frame length is valid with the same
// version, layer and sample rate, or when its frame ends exactly at `end` or `audioEnd` (the end
// of the audio before trailing tags). A free-format header has no length to confirm it by; it
// counts only right at `begin`. False when there is none.
bool FindFirstFrame(ArchiveReader& in, uint64_t begin, uint64_t end, uint64_t audioEnd,
                    uint64_t searchLimit, uint64_t& frameOffset);

}  // namespace media
