#include "media/Id3v1.h"

#include <cstring>

#include "media/TextNumber.h"

namespace media {

namespace {

// Field offsets inside the block.
constexpr size_t kTitle = 3;
constexpr size_t kArtist = 33;
constexpr size_t kAlbum = 63;
constexpr size_t kYear = 93;
constexpr size_t kYearSize = 4;
constexpr size_t kComment = 97;
constexpr size_t kTrackMarker = 125;
constexpr size_t kTrack = 126;
constexpr size_t kGenre = 127;

// Bytes up to the first zero byte, at most `size` of them.
std::string UpToZero(const uint8_t* p, size_t size) {
  size_t n = 0;
  while (n < size && p[n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(p), n);
}

}  // namespace

std::string TrimField(const uint8_t* field) {
  std::string text = UpToZero(field, kId3v1FieldSize);
  if (text.size() == kId3v1FieldSize) {
    const size_t end = text.find_last_not_of(' ');
    text.erase(end == std::string::npos ? 0 : end + 1);
  }
  return text;
}

bool ParseId3v1(const uint8_t* block, size_t size, Id3v1Tag& tag) {
  if (block == nullptr || size < kId3v1Size || std::memcmp(block, "TAG", 3) != 0) return false;
  tag.title = TrimField(block + kTitle);
  tag.artist = TrimField(block + kArtist);
  tag.album = TrimField(block + kAlbum);
  tag.year = ParseLeadingInt(UpToZero(block + kYear, kYearSize));
  tag.comment = TrimField(block + kComment);
  tag.trackNumber = block[kTrackMarker] == 0 ? static_cast<int32_t>(block[kTrack]) : -1;
  tag.genre = block[kGenre];
  return true;
}

}  // namespace media
