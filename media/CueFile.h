// A stored CUE sheet: its "INDEX 01 " times set the play times of the archive's MP3 members.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "archive/ArchiveReader.h"
#include "archive/File.h"

namespace media {

// The sheet's text from its raw bytes, read in four-byte pieces: a zero byte drops itself and
// the rest of its piece.
std::string DropZeroPieces(const uint8_t* data, size_t size);

// One value per "INDEX 01 " line before the first empty line, in milliseconds (third number in
// 10 ms units), then 0xFFFFFFFF. Numbers an index line lacks count as 0.
std::vector<uint32_t> ParseIndexTimes(const std::string& text);

// The most of a sheet that is read; real sheets are a few kilobytes.
constexpr uint32_t kMaxCueBytes = 16u << 20;

}  // namespace media

class CueFile : public File {
 public:
  explicit CueFile(const File& member);

  // Fills `text` from the member's data in the archive; stays empty when it cannot be read.
  void ReadText();
  // The same through the archive's reader that the caller already holds open.
  void ReadTextFrom(ArchiveReader& in);
  std::vector<uint32_t> ParseIndexTimes() const { return media::ParseIndexTimes(text); }
  // Gives the MP3 members, in order, the time between consecutive index lines. MP3 members
  // beyond the sheet's lines keep their computed play time.
  void ApplyTo(const std::vector<std::unique_ptr<File>>& members) const;

  std::string text;
};
