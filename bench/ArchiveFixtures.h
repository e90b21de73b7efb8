// The archives the benchmarks open, built in memory from members that look like real tracks
// (build::Track).
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/MediaBuilders.h"
#include "tests/support/ZipWriter.h"

namespace bench {

inline std::string BuildArchive(int members, int frames, size_t pictureBytes, bool info = false) {
  std::vector<ZipEntry> entries;
  entries.reserve(static_cast<size_t>(members));
  for (int i = 0; i < members; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "disc%d/%04d track.mp3", i / 100, i + 1);
    entries.emplace_back(name, build::Track(i + 1, frames, pictureBytes, info));
  }
  return BuildZip(entries);
}

}  // namespace bench
