// An ID3v2 tag of version 2.2, 2.3 or 2.4 at the start of an MP3 member, held as a table of frames
// keyed by their four ID bytes. One load path: the header and the frame headers are parsed from
// bytes read through a ByteSource (the archive, or the restored body in memory).
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "media/Id3FrameHeader.h"
#include "media/Id3TagHeader.h"
#include "platform/ByteSource.h"

namespace media {

// Bodies up to this size are read in one piece; a larger one (a tag with a cover picture) is
// walked frame by frame, and only the bodies of the frames shown are read.
constexpr uint64_t kWalkedBodySize = 64 * 1024;

// What CId3tagv2::Load found.
enum class Id3Result {
  Loaded,
  NoTag,        // no "ID3" header there, or fewer than ten bytes
  Unsupported,  // 2.3 with a revision above 0, or a major version above 4
  Truncated,    // the body claims more than its owner or the archive holds, or a read fell short
  OutOfMemory,  // no memory for the body
};

// Removes every 0x00 byte that directly follows a 0xFF byte of the original data, in one pass.
void Deunsynchronise(std::vector<uint8_t>& body);

class CId3Frame {
 public:
  CId3Frame() = default;
  CId3Frame(const uint8_t id[4], const uint8_t* body, uint32_t size, uint16_t frameFlags);
  virtual ~CId3Frame() = default;
  CId3Frame(const CId3Frame&) = default;
  CId3Frame& operator=(const CId3Frame&) = default;

  uint8_t id[4] = {0, 0, 0, 0};
  std::vector<uint8_t> data;
  uint32_t size = 0;
  uint16_t frameFlags = 0;
};

class CId3tagv2 {
 public:
  CId3tagv2() { Reset(); }
  virtual ~CId3tagv2() = default;

  void Reset();
  // Loads the tag at `offset` of `in`; `available` is how many bytes belong to the tag's owner
  // from there on, so a size claim beyond it is refused before anything is allocated. A body
  // larger than `walkAbove` that is not unsynchronised is walked in place, and of its frames only
  // the shown ones are kept; the texts are the same either way. Callers test `loaded`.
  Id3Result Load(ByteSource& in, uint64_t offset, uint64_t available, uint64_t walkAbove = kWalkedBodySize);

  std::string GetFrameText(const char id[4]) const;
  std::string GetTitle() const { return GetFrameText("TIT2"); }
  std::string GetTrackNumber() const { return GetFrameText("TRCK"); }
  std::string GetArtist() const { return GetFrameText("TPE1"); }
  std::string GetAlbum() const { return GetFrameText("TALB"); }
  // "TYER"; in a 2.4 tag without one, the year that leads the recording time "TDRC".
  std::string GetYear() const;
  std::string GetComment() const { return GetFrameText("COMM"); }

  // The four ID bytes as one big-endian value, the key of `frames`.
  static uint32_t FrameKey(const uint8_t id[4]);
  const CId3Frame* FindFrame(const char id[4]) const;

  bool loaded = false;
  uint8_t header[kId3v2HeaderSize] = {};
  uint16_t version = 0x0300;  // 0x0300 for 2.2 and 2.3 tags; 0x0400 + revision for 2.4 ones
  std::map<uint32_t, CId3Frame> frames;

 private:
  // The steps after the header over the body's `size` bytes at `at` of `in`: the extended header,
  // the frames (all of them, or only the shown ones), then the header kept as read.
  Id3Result LoadBody(const Id3TagHeader& head, ByteSource& in, uint64_t at, uint64_t size, bool keepAll);
  // False: a read failed.
  bool WalkFrames(ByteSource& in, uint64_t at, uint64_t remaining, FrameLayout layout, bool keepAll,
                  bool tagUnsynchronised);
  // The header at `at` (its bytes in `bytes`), with the plain size in place of the syncsafe one
  // where only the plain one ends on a frame boundary. False where the walk ends.
  static bool ParseFrameHeader(ByteSource& in, uint64_t at, uint64_t remaining, const uint8_t* bytes,
                               FrameLayout layout, Id3FrameHeader& frame);
  bool IsVersion24() const { return version >= 0x0400; }
};

}  // namespace media
