#include "media/Mp3File.h"

#include <limits>

#include "media/FrameCount.h"
#include "media/FrameSync.h"
#include "media/Id3Tag.h"
#include "media/Id3v1.h"
#include "media/MpegHeader.h"
#include "media/TextNumber.h"
#include "media/TrailingTags.h"

namespace {

constexpr uint32_t kNoSync = 0xFFFFFFFF;
// Enough of the first frame to reach a Xing/Info or VBRI frame count.
constexpr size_t kFirstFrameBytes = 64;

uint32_t Saturate32(uint64_t value) {
  return value > std::numeric_limits<uint32_t>::max() ? std::numeric_limits<uint32_t>::max()
                                                      : static_cast<uint32_t>(value);
}

// printf's "%0<width>d" (the sign counts in the width), made without the C runtime's formatted
// output, which would be one of the largest pieces of the Win32 DLL.
std::string PaddedNumber(int value, size_t width) {
  const size_t sign = value < 0 ? 1 : 0;
  std::string text = std::to_string(sign ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value));
  if (text.size() + sign < width) text.insert(0, width - sign - text.size(), '0');
  return sign ? '-' + text : text;
}

}  // namespace

Mp3File::Mp3File(const File& member) : File(member) {}

uint64_t Mp3File::MemberEnd() const {
  const uint64_t end = uint64_t{dataOffset} + compressedSize;
  return end < archiveSize ? end : archiveSize;
}

uint32_t Mp3File::GetPlayTime() const {
  if (playTimeOverride != 0) return playTimeOverride;
  // A VBR header tells how many audio frames follow it. Inside the archive stream the header
  // frame itself is played too (as a frame of silence), so it counts towards the track's time.
  if (headerFrameCount != 0 && sampleRate > 0 && samplesPerFrame > 0)
    return Saturate32((uint64_t{headerFrameCount} + 1) * static_cast<uint64_t>(samplesPerFrame) * 1000 /
                      static_cast<uint64_t>(sampleRate));
  if (countedFrames != 0 && sampleRate > 0 && samplesPerFrame > 0)
    return Saturate32(uint64_t{countedFrames} * static_cast<uint64_t>(samplesPerFrame) * 1000 /
                      static_cast<uint64_t>(sampleRate));
  if (bitrate <= 0) return 0;
  // Tags are not audio; 64-bit so members of 512 MiB and more keep their length.
  const uint64_t tags = uint64_t{leadingTagSize} + trailingTagSize;
  const uint64_t audio = compressedSize > tags ? compressedSize - tags : 0;
  return Saturate32(audio * 8 / static_cast<uint64_t>(bitrate));
}

bool Mp3File::Read() {
  ArchiveReader in(archivePath);
  return !in.IsOpen() || ReadFrom(in);
}

bool Mp3File::ReadFrom(ArchiveReader& in) {
  try {
    archiveSize = in.Size();
    MeasureLeadingTag(in);
    // Known before the sync search: a frame that ends where the tags begin needs no follower.
    trailingTagSize = static_cast<uint32_t>(
        media::TrailingTagsSize(in, uint64_t{dataOffset} + leadingTagSize, MemberEnd()));
    if (!FindSync(in)) return true;  // no audio: the tags are not read either
    ReadFrameHeader(in);
    // Without a header frame's count, a member whose bitrates vary is timed by its frames.
    if (headerFrameCount == 0)
      countedFrames =
          static_cast<uint32_t>(media::CountVbrFrames(in, syncOffset, MemberEnd() - trailingTagSize));
    ReadId3v1(in);
    ReadId3v2(in);
  } catch (const std::exception&) {
    // Nothing may escape into the host; the record keeps what was found so far.
  }
  return true;
}

void Mp3File::MeasureLeadingTag(ArchiveReader& in) {
  // Tags that follow the first one directly are skipped too, each by its own size.
  leadingTagSize = static_cast<uint32_t>(media::LeadingTagsSize(in, dataOffset, MemberEnd()));
}

bool Mp3File::FindSync(ArchiveReader& in) {
  const uint64_t end = MemberEnd();
  uint64_t at = 0;
  const uint64_t audioEnd = end - trailingTagSize;
  if (media::FindFirstFrame(in, uint64_t{dataOffset} + leadingTagSize, end, audioEnd,
                            media::kFirstFrameSearchLimit, at) &&
      at < kNoSync) {
    syncOffset = static_cast<uint32_t>(at);
    return true;
  }
  syncOffset = kNoSync;
  return false;
}

void Mp3File::ReadFrameHeader(ArchiveReader& in) {
  uint8_t frame[kFirstFrameBytes];
  const uint64_t left = MemberEnd() - syncOffset;
  const size_t want = left < sizeof(frame) ? static_cast<size_t>(left) : sizeof(frame);
  size_t got = in.ReadAt(syncOffset, frame, want);
  if (got < 3) return;
  mpegVersion = mpeg::Version(frame[1]);
  layer = mpeg::Layer(frame[1]);
  bitrate = mpeg::Bitrate(mpegVersion, layer, mpeg::BitrateIndex(frame[2]));
  sampleRate = mpeg::SampleRate(mpegVersion, mpeg::SampleRateIndex(frame[2]));
  samplesPerFrame = mpeg::SamplesPerFrame(mpegVersion, layer);
  // Only the first frame's own bytes may hold its VBR header.
  const uint32_t length = mpeg::FrameLength(frame[0], frame[1], frame[2]);
  if (length != 0 && length < got) got = length;
  headerFrameCount = mpeg::VbrFrameCount(frame, got);
}

void Mp3File::ReadId3v1(ArchiveReader& in) {
  hasTag = false;
  if (uncompressedSize < media::kId3v1Size) return;  // too short to end in a tag
  uint8_t block[media::kId3v1Size];
  const uint64_t at = uint64_t{dataOffset} + uncompressedSize - media::kId3v1Size;
  media::Id3v1Tag tag;
  if (!media::ParseId3v1(block, in.ReadAt(at, block, sizeof(block)), tag)) return;
  hasTag = true;
  title = tag.title;
  artist = tag.artist;
  album = tag.album;
  year = tag.year;
  tagComment = tag.comment;
  trackNumber = tag.trackNumber;
  genre = tag.genre;
}

void Mp3File::ReadId3v2(ArchiveReader& in) {
  const uint64_t end = MemberEnd();
  media::CId3tagv2 tag;
  tag.Load(in, dataOffset, end > dataOffset ? end - dataOffset : 0);
  if (!tag.loaded) return;
  const std::string texts[] = {tag.GetTitle(), tag.GetArtist(), tag.GetAlbum(), tag.GetComment(), tag.GetYear(),
                               tag.GetTrackNumber()};
  // A 2.4 tag with none of the texts (ffmpeg's, naming only the encoder, on every file it makes)
  // says nothing of the track: the member keeps its name in the list, or its ID3v1 texts.
  if (tag.version >= 0x0400) {
    bool empty = true;
    for (const std::string& text : texts) empty = empty && text.empty();
    if (empty) return;
  }
  // A loaded tag replaces all six texts, also with empty ones; the genre stays from ID3v1.
  hasTag = true;
  title = texts[0];
  artist = texts[1];
  album = texts[2];
  tagComment = texts[3];
  year = media::ParseLeadingInt(texts[4]);
  trackNumber = media::ParseLeadingInt(texts[5]);
}

bool Mp3File::HasTag() const { return hasTag; }

TagInfo Mp3File::GetTag() const {
  TagInfo info;
  info.title = title;
  info.artist = artist;
  info.album = album;
  info.year = year;
  info.comment = tagComment;
  info.trackNumber = trackNumber;
  info.genre = genre;
  return info;
}

std::string Mp3File::GetVariable(const std::string& name) const {
  if (hasTag) {
    if (name == "TRACK_NAME") return title;
    if (name == "ARTIST_NAME") return artist;
    if (name == "ALBUM_NAME") return album;
    if (name == "YEAR") return PaddedNumber(year, 1);
    if (name == "COMMENT") return tagComment;
    if (name == "TRACK_NUMBER") return PaddedNumber(trackNumber, 1);
    if (name == "TRACK_NUMBER2") return PaddedNumber(trackNumber, 2);
    if (name == "TRACK_NUMBER3") return PaddedNumber(trackNumber, 3);
  }
  return File::GetVariable(name);
}
