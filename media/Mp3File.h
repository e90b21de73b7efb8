// A stored MP3 member of the archive: where its first frame is, its bitrate and play time, and
// the texts of its ID3v1 and ID3v2 tags.
#pragma once
#include <cstdint>
#include <string>

#include "archive/ArchiveReader.h"
#include "archive/File.h"

class Mp3File : public File {
 public:
  // Copies every field of an already read member, including a block of its own for `extra`.
  explicit Mp3File(const File& member);

  uint32_t GetPlayTime() const override;                            // slot 0
  bool Read() override;                                             // slot 1: opens the archive itself
  bool HasTag() const override;                                     // slot 2
  TagInfo GetTag() const override;                                  // slot 3
  std::string GetVariable(const std::string& name) const override;  // slot 4

  // What Read does, through the archive's reader that the caller already holds open.
  bool ReadFrom(ArchiveReader& in);

  // A play time given from outside (a CUE sheet); 0 restores the computed one.
  void SetPlayTime(uint32_t ms) { playTimeOverride = ms; }

  uint32_t syncOffset = 0;
  int mpegVersion = 0;
  int layer = 0;
  int bitrate = 0;  // kbit/s of the first frame
  uint32_t playTimeOverride = 0;
  bool hasTag = false;
  std::string title;
  std::string artist;
  std::string album;
  int year = 0;
  std::string tagComment;
  int trackNumber = 0;
  int genre = 0;

  // What a decoder skips or is told about: ID3v2 tags before the audio, ID3v1, APE and Lyrics3
  // tags after it,
  // and the frame count of a Xing/Info/VBRI header with the timing of its frames.
  uint32_t leadingTagSize = 0;
  uint32_t trailingTagSize = 0;
  uint32_t headerFrameCount = 0;
  uint32_t countedFrames = 0;  // frames walked in a VBR member without that header
  int sampleRate = 0;
  int samplesPerFrame = 0;

 private:
  // The analysis steps over the open archive, in the order Read runs them.
  void MeasureLeadingTag(ArchiveReader& in);
  bool FindSync(ArchiveReader& in);
  void ReadFrameHeader(ArchiveReader& in);
  void ReadId3v1(ArchiveReader& in);
  void ReadId3v2(ArchiveReader& in);

  uint64_t MemberEnd() const;  // dataOffset + size, bounded by the archive's length
  uint64_t archiveSize = 0;
};
