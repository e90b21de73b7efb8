// An ID3v2 tag of version 2.2 or 2.3 at the start of an MP3 member, held as a table of frames
// keyed by their four ID bytes. Parsing works on bytes; the reader overload only fetches them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class ArchiveReader;

namespace media {

constexpr size_t kId3v2HeaderSize = 10;

// Bodies up to this size are read in one piece; a larger one (a tag with a cover picture) is
// walked frame by frame, and only the bodies of the frames shown are read.
constexpr uint64_t kWalkedBodySize = 64 * 1024;

// Result of CId3tagv2::Load when memory for the tag could not be had (the value Windows gives
// for "not enough memory").
constexpr int kId3OutOfMemory = 8;

// The size field of a tag header: each byte shifted in 7 bits at a time. The bytes are not
// masked, as tag readers have always read it, so a damaged header can claim gigabytes.
uint32_t DecodeSyncsafe(const uint8_t* p);

// Removes every 0x00 byte that directly follows a 0xFF byte of the original data, in one pass.
void Deunsynchronise(std::vector<uint8_t>& body);

// Total bytes of the tag that starts at `header` (10 bytes): header, body and the footer a 0x10
// flag announces; 0 when the bytes are not an ID3v2 header.
uint64_t Id3v2TotalSize(const uint8_t* header, size_t size);

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
  // Loads the tag at the start of `bytes` (header and body; `size` bytes available). Returns 0
  // when loaded, -1 for a missing or unsupported tag or a body the bytes do not hold,
  // kId3OutOfMemory when memory ran out.
  int Load(const uint8_t* bytes, size_t size);
  // Loads the tag at `offset` of the archive; `available` is how many bytes belong to the tag's
  // owner from there on, so a size claim beyond it is refused before anything is allocated. A
  // body larger than `walkAbove` that is not unsynchronised is walked in place (the frames not
  // shown are then not kept); the texts are the same either way.
  int Load(ArchiveReader& in, uint64_t offset, uint64_t available, uint64_t walkAbove = kWalkedBodySize);

  std::string GetFrameText(const char id[4]) const;
  std::string GetTitle() const { return GetFrameText("TIT2"); }
  std::string GetTrackNumber() const { return GetFrameText("TRCK"); }
  std::string GetArtist() const { return GetFrameText("TPE1"); }
  std::string GetAlbum() const { return GetFrameText("TALB"); }
  std::string GetYear() const { return GetFrameText("TYER"); }
  std::string GetComment() const { return GetFrameText("COMM"); }

  // The four ID bytes as one big-endian value, the key of `frames`.
  static uint32_t FrameKey(const uint8_t id[4]);
  const CId3Frame* FindFrame(const char id[4]) const;

  bool loaded = false;
  uint8_t header[kId3v2HeaderSize] = {};
  uint16_t version = 0x0300;
  std::map<uint32_t, CId3Frame> frames;

 private:
  // The steps after the header: `body` is the tag's own block, changed in place.
  int LoadBody(const uint8_t header[10], std::vector<uint8_t>& body);
  void WalkFrames(const uint8_t* p, size_t remaining, bool tenByteHeaders);
  // The same steps over the archive, reading frame headers and the shown frames' bodies only.
  int LoadWalked(ArchiveReader& in, uint64_t bodyStart, const uint8_t header[10], uint64_t bodySize);
  bool WalkFramesAt(ArchiveReader& in, uint64_t at, uint64_t remaining, bool tenByteHeaders);  // false: a read failed
  // Keeps the header as read (extended-header flag dropped, a 2.2 tag marked 2.3) and marks the tag loaded.
  void Finish(uint8_t stored[10], int tagVersion);
};

}  // namespace media
