// Whole archives from arbitrary bytes, read the way the plug-in reads them: stored ".mp3"
// members analysed (frame, tags), the last ".cue" applied, start times built. Checks the
// track-list invariants on top of the sanitizers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "archive/MemorySource.h"
#include "archive/ZipFile.h"
#include "media/Mp3File.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemorySource source(data, size);
  ZipFile zip("fuzz.zip.mp3", source);
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
