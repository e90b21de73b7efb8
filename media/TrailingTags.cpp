#include "media/TrailingTags.h"

#include <cstring>

#include "archive/LittleEndian.h"
#include "media/Id3v1.h"

namespace media {

namespace {

// A tagger stacks two or three blocks; more than this is no tag layout.
constexpr int kMaxBlocks = 8;
constexpr uint32_t kApeHasHeader = 0x80000000u;
constexpr uint32_t kApeIsHeader = 0x20000000u;
constexpr char kLyricsBegin[] = "LYRICSBEGIN";
constexpr size_t kLyricsBeginSize = sizeof kLyricsBegin - 1;

bool ReadExact(ByteSource& in, uint64_t offset, uint8_t* destination, size_t count) {
  return in.ReadAt(offset, destination, count) == count;
}

// Size of an ID3v1 block ending at `end`, or 0.
uint64_t Id3v1Before(ByteSource& in, uint64_t end, uint64_t room) {
  uint8_t magic[3];
  if (room < kId3v1Size || !ReadExact(in, end - kId3v1Size, magic, sizeof magic)) return 0;
  return std::memcmp(magic, "TAG", 3) == 0 ? kId3v1Size : 0;
}

// Size of an APE tag whose footer ends at `end` (with its header when the flags announce one), or 0.
uint64_t ApeBefore(ByteSource& in, uint64_t end, uint64_t room) {
  uint8_t footer[kApeFooterSize];
  if (room < sizeof footer || !ReadExact(in, end - sizeof footer, footer, sizeof footer)) return 0;
  if (std::memcmp(footer, "APETAGEX", 8) != 0) return 0;
  const uint32_t size = le::Read32(footer + 12);  // items and footer
  const uint32_t flags = le::Read32(footer + 20);
  if ((flags & kApeIsHeader) != 0 || size < kApeFooterSize) return 0;
  const uint64_t total = uint64_t{size} + ((flags & kApeHasHeader) != 0 ? kApeFooterSize : 0);
  return total <= room ? total : 0;
}

// Size of a Lyrics3 v2 block ending at `end`, or 0. Its six digits count the bytes from
// "LYRICSBEGIN" up to them.
uint64_t Lyrics3Before(ByteSource& in, uint64_t end, uint64_t room) {
  uint8_t tail[kLyrics3EndSize];
  if (room < sizeof tail + kLyricsBeginSize || !ReadExact(in, end - sizeof tail, tail, sizeof tail)) return 0;
  if (std::memcmp(tail + 6, "LYRICS200", 9) != 0) return 0;
  uint64_t size = 0;
  for (size_t i = 0; i < 6; ++i) {
    if (tail[i] < '0' || tail[i] > '9') return 0;
    size = size * 10 + static_cast<uint64_t>(tail[i] - '0');
  }
  const uint64_t total = size + sizeof tail;
  if (size < kLyricsBeginSize || total > room) return 0;
  uint8_t begin[kLyricsBeginSize];
  if (!ReadExact(in, end - total, begin, sizeof begin)) return 0;
  return std::memcmp(begin, kLyricsBegin, kLyricsBeginSize) == 0 ? total : 0;
}

}  // namespace

uint64_t TrailingTagsSize(ByteSource& in, uint64_t begin, uint64_t end) {
  if (end <= begin) return 0;
  uint64_t pos = end;
  bool beforeId3v1 = false;  // pos is where an ID3v1 block starts
  for (int i = 0; i < kMaxBlocks; ++i) {
    const uint64_t room = pos - begin;
    if (const uint64_t id3v1 = Id3v1Before(in, pos, room)) {
      pos -= id3v1;
      beforeId3v1 = true;
    } else if (const uint64_t ape = ApeBefore(in, pos, room)) {
      pos -= ape;
      beforeId3v1 = false;
    } else if (const uint64_t lyrics = beforeId3v1 ? Lyrics3Before(in, pos, room) : 0) {
      pos -= lyrics;
      beforeId3v1 = false;
    } else {
      break;
    }
  }
  return end - pos;
}

}  // namespace media
