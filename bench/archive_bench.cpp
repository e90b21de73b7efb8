// Opening a stored zip.mp3 archive of 20 and of 5000 members, beside the lower bound: one pass
// over the same central directory read in a single piece. MP3 members carry a valid first frame,
// so the figures include their analysis; ".bin" members show the directory walk alone.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "archive/LittleEndian.h"
#include "archive/ZipFile.h"
#include "tests/support/ZipWriter.h"

namespace {

// An MPEG-1 Layer III frame header (128 kbit/s, 44.1 kHz) followed by silence: 10 frames' worth.
std::string Mp3Data() {
  std::string data(4180, '\0');
  data[0] = '\xFF';
  data[1] = '\xFB';
  data[2] = '\x90';
  data[3] = '\x00';
  return data;
}

const std::string& ArchivePath(int members, const char* extension) {
  static std::map<std::string, std::string> paths;
  const std::string key = std::to_string(members) + extension;
  auto found = paths.find(key);
  if (found != paths.end()) return found->second;
  std::vector<ZipEntry> entries;
  const std::string data = Mp3Data();
  for (int i = 0; i < members; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "disc%d/%04d track%s", i / 100, i, extension);
    entries.emplace_back(name, data);
  }
  return paths[key] = WriteTempFile("bench_" + key + ".zip.mp3", BuildZip(entries));
}

void OpenArchive(benchmark::State& state, const char* extension) {
  const std::string& path = ArchivePath(static_cast<int>(state.range(0)), extension);
  for (auto _ : state) {
    ZipFile archive(path);
    if (!archive.Read() || archive.status != StatusPlayable) state.SkipWithError("archive not read");
    benchmark::DoNotOptimize(archive.GetTrackAt(1000));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_OpenArchiveMp3(benchmark::State& state) { OpenArchive(state, ".mp3"); }
void BM_OpenArchiveBin(benchmark::State& state) { OpenArchive(state, ".bin"); }

// The lower bound: the end record and the whole directory in two reads, headers decoded in memory.
void BM_DirectoryOnePass(benchmark::State& state) {
  const std::string& path = ArchivePath(static_cast<int>(state.range(0)), ".mp3");
  for (auto _ : state) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(-22, std::ios::end);
    uint8_t end[22];
    in.read(reinterpret_cast<char*>(end), sizeof end);
    const uint16_t count = le::Read16(end + 10);
    const uint32_t size = le::Read32(end + 12);
    const uint32_t offset = le::Read32(end + 16);
    std::vector<uint8_t> directory(size);
    in.seekg(offset);
    in.read(reinterpret_cast<char*>(directory.data()), size);
    size_t at = 0;
    uint64_t sum = 0;
    for (uint16_t i = 0; i < count && at + 46 <= directory.size(); ++i) {
      const uint8_t* h = directory.data() + at;
      sum += le::Read32(h + 20) + le::Read32(h + 42);
      std::string name(reinterpret_cast<const char*>(h + 46), le::Read16(h + 28));
      sum += name.size();
      at += 46u + le::Read16(h + 28) + le::Read16(h + 30) + le::Read16(h + 32);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_OpenArchiveMp3)->Arg(20)->Arg(5000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenArchiveBin)->Arg(20)->Arg(5000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DirectoryOnePass)->Arg(20)->Arg(5000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
