// The archive itself: reads the ZIP directory into an ordered member list and the table of
// cumulative start times that maps a play position in the whole stream to a track.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "archive/File.h"

class ByteSource;

enum ArchiveStatus : int {
  StatusCannotOpen = 0,
  StatusNotZip = 1,
  StatusBadHeader = 2,
  StatusNoStoredMember = 3,
  StatusPlayable = 4,
};

class ZipFile : public File {
 public:
  // Opens the archive and measures its size (fileSize); the archive is read only by Read, through
  // this one open handle, which Read closes when it is done.
  explicit ZipFile(const std::string& path);
  // The archive's bytes from `source` (memory, for fuzzing and tests); it must outlive Read.
  ZipFile(const std::string& path, ByteSource& source);
  ~ZipFile() override;

  uint32_t GetPlayTime() const override;  // slot 0: the sum of the members' play times
  bool Read() override;                   // slot 1: the whole directory and the track list

  int GetCount() const;
  File* GetMember(int index) const;
  int GetTrackAt(uint32_t positionMs) const;
  uint32_t GetStartTime(int index) const;
  // Elapsed (CountUp on) or remaining (off) milliseconds in the track.
  uint32_t GetTimeInTrack(int index, uint32_t positionMs) const;

  uint32_t fileSize = 0;
  uint32_t endRecordOffset = 0;
  uint16_t diskNumber = 0;
  uint16_t directoryDisk = 0;
  uint16_t entriesOnDisk = 0;
  uint16_t entryCount = 0;
  uint32_t directorySize = 0;
  uint32_t directoryOffset = 0;
  uint16_t archiveCommentLength = 0;
  int status = StatusCannotOpen;
  std::vector<std::unique_ptr<File>> members;
  std::vector<uint32_t> startTimes;

  // Offsets are 32-bit and positions must stay below 2 GiB: a larger archive is refused by Read
  // with StatusBadHeader.
  static constexpr uint64_t kMaxArchiveSize = 0x7FFFFFFF;

 private:
  bool ReadDirectory(ArchiveReader& reader);

  uint64_t measuredSize_ = 0;  // fileSize before it is narrowed to 32 bits
  std::unique_ptr<ArchiveReader> reader_;  // open from the constructor until Read ends
};
