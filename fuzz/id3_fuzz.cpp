// ID3v2 tags from arbitrary bytes: loading (straight from memory, and through the archive reader
// read whole and walked frame by frame), the six frame texts, and the ID3v1 and frame-header readers
// over the same bytes; then the input as a member's data: leading and trailing tags, the first
// frame, the frame count. Besides the sanitizers, checks that the frame table agrees with the
// loaded state, that every way of loading gives the same texts and that every offset found lies
// inside the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "archive/ArchiveReader.h"
#include "archive/MemorySource.h"
#include "media/FrameCount.h"
#include "media/FrameSync.h"
#include "media/Id3Tag.h"
#include "media/Id3v1.h"
#include "media/MpegHeader.h"
#include "media/TrailingTags.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Straight from memory, then through the archive reader read whole and walked.
  MemorySource source(data, size);
  media::CId3tagv2 tag;
  const media::Id3Result result = tag.Load(source, 0, size);
  if ((result == media::Id3Result::Loaded) != tag.loaded) std::abort();
  if (!tag.loaded && !tag.frames.empty()) std::abort();
  // 2.2 tags are kept as 2.3; 2.4 ones keep their version.
  if (tag.loaded && ((tag.version != 0x0300 && (tag.version >> 8) != 4) || (tag.header[5] & 0x40) != 0)) std::abort();
  if (tag.loaded && (tag.version >> 8) != tag.header[3]) std::abort();
  for (const auto& entry : tag.frames) {
    if (entry.second.data.size() != entry.second.size || entry.second.size > size) std::abort();
  }
  size_t textBytes = 0;
  for (const char* id : {"TIT2", "TRCK", "TPE1", "TALB", "TYER", "COMM"}) textBytes += tag.GetFrameText(id).size();
  textBytes += tag.GetYear().size();
  // A code page 932 character is at most two bytes per UTF-16 unit, so texts never outgrow the input.
  if (textBytes > 6 * size) std::abort();

  ArchiveReader reader(source);
  media::CId3tagv2 whole;
  if (whole.Load(reader, 0, size) != result) std::abort();
  if (whole.frames.size() != tag.frames.size()) std::abort();
  // Walked even when small: the shown texts must not depend on how the body was read.
  media::CId3tagv2 walked;
  walked.Load(reader, 0, size, 0);
  if (walked.loaded != tag.loaded) std::abort();
  for (const char* id : {"TIT2", "TRCK", "TPE1", "TALB", "TYER", "COMM"}) {
    if (walked.GetFrameText(id) != tag.GetFrameText(id)) std::abort();
  }
  if (walked.GetYear() != tag.GetYear()) std::abort();
  if (tag.loaded && std::memcmp(walked.header, tag.header, sizeof tag.header) != 0) std::abort();

  media::Id3v1Tag v1;
  if (size >= media::kId3v1Size) media::ParseId3v1(data + size - media::kId3v1Size, media::kId3v1Size, v1);
  const long sync = mpeg::FindValidHeader(data, size, size);
  if (sync >= 0) {
    if (static_cast<size_t>(sync) + 3 > size) std::abort();
    mpeg::VbrFrameCount(data + sync, size - static_cast<size_t>(sync));
  }

  // A reader of its own: the looks below start from an empty cache, as a member's analysis does.
  ArchiveReader member(source);
  const uint64_t lead = media::LeadingTagsSize(member, 0, size);
  const uint64_t trail = media::TrailingTagsSize(member, lead, size);
  if (lead > size || lead + trail > size) std::abort();
  uint64_t first = 0;
  if (media::FindFirstFrame(member, lead, size, size - trail, media::kFirstFrameSearchLimit, first)) {
    if (first < lead || first + 3 > size) std::abort();
    const uint64_t frames = media::CountVbrFrames(member, first, size - trail);
    // Every counted frame holds at least a header.
    if (frames * 4 > size - first) std::abort();
  }
  return 0;
}
