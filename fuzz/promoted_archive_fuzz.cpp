// Whole archives from arbitrary bytes, read the way the plug-in reads them: stored ".mp3"
// members analysed (frame, tags), the last ".cue" applied, start times built. Checks the
// track-list invariants on top of the sanitizers.
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "archive/ZipFile.h"
#include "media/Mp3File.h"

namespace {

// One scratch archive per process, removed when the process ends.
const std::string& ArchivePath() {
  struct Scratch {
    std::string path = "/tmp/promoted_archive_fuzz_" + std::to_string(getpid()) + ".zip.mp3";
    ~Scratch() { std::remove(path.c_str()); }
  };
  static const Scratch scratch;
  return scratch.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream out(ArchivePath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  ZipFile zip(ArchivePath());
  const bool read = zip.Read();
  if (read != (zip.status == StatusPlayable || zip.status == StatusNoStoredMember)) std::abort();
  if (read && zip.startTimes.size() != zip.members.size() + 1) std::abort();
  uint32_t sum = 0;
  for (int i = 0; i < zip.GetCount(); ++i) {
    const File* member = zip.GetMember(i);
    sum += member->GetPlayTime();  // wraps like the start times do
    const TagInfo tag = member->GetTag();
    if (member->HasTag() != !member->GetVariable("TRACK_NUMBER").empty()) std::abort();
    member->GetVariable("TRACK_NUMBER3");
    if (const auto* mp3 = dynamic_cast<const Mp3File*>(member)) {
      if (mp3->syncOffset != 0xFFFFFFFFu && mp3->syncOffset < mp3->dataOffset) std::abort();
      if (tag.genre < 0 || tag.genre > 255) std::abort();
    }
  }
  if (read && zip.startTimes.back() != sum) std::abort();
  return 0;
}
