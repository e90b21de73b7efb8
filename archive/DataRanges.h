// The byte ranges of the members whose data the directory reader hands to the analysis. In an
// archive written by a ZIP tool no two members share data bytes; entries that do are forged, and
// each of them would make the analysis read the shared bytes again (thousands of entries over one
// region of a small file would keep the host busy for minutes).
#pragma once
#include <cstdint>
#include <map>

class DataRanges {
 public:
  // Records [offset, offset + length); false, recording nothing, when it shares a byte with a
  // range recorded before. An empty range shares nothing.
  bool Claim(uint32_t offset, uint32_t length);

 private:
  std::map<uint64_t, uint64_t> ranges_;  // start -> end (exclusive), none overlapping
};
