// The tags at the end of an MP3 member, which are not audio: an ID3v1 block, APE tags found by
// their "APETAGEX" footer, and a Lyrics3 v2 block directly before an ID3v1 block, stacked in
// whatever order taggers leave them. Free functions over positioned reads.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/ByteSource.h"

namespace media {

constexpr size_t kApeFooterSize = 32;
// Six size digits and "LYRICS200".
constexpr size_t kLyrics3EndSize = 15;

// How many of the bytes before `end` are such tags; none reaches below `begin`.
uint64_t TrailingTagsSize(ByteSource& in, uint64_t begin, uint64_t end);

}  // namespace media
