// Whole-archive reading from arbitrary bytes: ZipFile reads them from memory, and every lookup
// is walked. Any out-of-bounds access or undefined behaviour fails under the sanitizers.
#include <cstdint>
#include <string>

#include "archive/MemorySource.h"
#include "archive/NameEncoding.h"
#include "archive/ZipFile.h"
#include "settings/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemorySource source(data, size);
  ZipFile archive("fuzz.zip.mp3", source);

  // The input as a UTF-8 name: every byte gives at most one unit, every unit at most two bytes.
  const std::u16string units = zip::Utf8ToUtf16(reinterpret_cast<const char*>(data), size);
  if (units.size() > size) __builtin_trap();
  if (zip::StoredTextToAnsi(std::string(reinterpret_cast<const char*>(data), size), 0x0800).size() > 2 * size)
    __builtin_trap();

  const bool read = archive.Read();
  if (read && archive.startTimes.size() != static_cast<size_t>(archive.GetCount()) + 1) __builtin_trap();
  if (!read && !archive.startTimes.empty()) __builtin_trap();

  uint32_t sum = archive.GetPlayTime();
  for (int i = -1; i <= archive.GetCount(); ++i) {
    const File* member = archive.GetMember(i);
    if (member) {
      sum += static_cast<uint32_t>(member->GetFolder().size() + member->GetFileName().size());
      sum += static_cast<uint32_t>(member->GetVariable("FILE_NAME").size() + member->GetVariable("FILE_PATH").size());
      // Folder and file name always split the whole stored name.
      if (member->GetFolder() + member->GetFileName() != member->GetPath()) __builtin_trap();
      sum += member->HasTag() ? 1 : 0;
    }
    sum += archive.GetStartTime(i);
    for (int32_t countUp : {0, 1}) {
      g_settings.CountUp = countUp;
      sum += archive.GetTimeInTrack(i, sum);
    }
  }
  for (uint32_t position : {0u, 1u, 179999u, 180000u, 0x7FFFFFFFu, 0xFFFFFFFFu, sum}) {
    const int track = archive.GetTrackAt(position);
    if (read && (track < 0 || track > archive.GetCount())) __builtin_trap();
  }
  return 0;
}
