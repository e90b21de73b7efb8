// Opening a zip.mp3 archive as the plug-in does (ZipFile, every member analysed), beside the
// single-pass lower bound (tests/support/SinglePassRead.h) measured in the same run on the same
// file: 20, 1000 (also opening with an Info frame) and 5000 members, and 20 tracks that each
// carry a 2 MB cover picture. Prints medians, their ratio and the file reads of one open. Runs
// natively and under Wine.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "archive/ZipFile.h"
#include "bench/ArchiveFixtures.h"
#include "platform/FileSource.h"
#include "tests/support/SinglePassRead.h"

namespace {

double NowMs() {
  using Clock = std::chrono::steady_clock;
  return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Counts {
  uint64_t opens, reads, bytes;
};

template <typename F>
Counts CountOnce(F run) {
  const FileReadTotals before = GetFileReadTotals();
  run();
  const FileReadTotals after = GetFileReadTotals();
  return {after.opens - before.opens, after.reads - before.reads, after.bytes - before.bytes};
}

volatile uint64_t g_sink = 0;

bool OpenAsPlugin(const std::string& path) {
  ZipFile archive(path);
  const bool read = archive.Read() && archive.status == StatusPlayable;
  g_sink = g_sink + archive.GetPlayTime();
  return read;
}

// Returns false when the project's figure is beyond `target` times the lower bound.
bool Measure(const char* label, const std::string& path, int rounds, double target) {
  if (!OpenAsPlugin(path)) {
    std::printf("%-22s archive not read\n", label);
    return false;
  }
  g_sink = g_sink + SinglePassRead(path);  // both warm
  std::vector<double> project, bound;
  for (int i = 0; i < rounds; ++i) {
    double start = NowMs();
    OpenAsPlugin(path);
    project.push_back(NowMs() - start);
    start = NowMs();
    g_sink = g_sink + SinglePassRead(path);
    bound.push_back(NowMs() - start);
  }
  const Counts ours = CountOnce([&] { OpenAsPlugin(path); });
  const Counts least = CountOnce([&] { g_sink = g_sink + SinglePassRead(path); });
  const double p = Median(project), b = Median(bound), ratio = b > 0 ? p / b : 0;
  const bool within = ratio <= target;
  std::printf("%-22s project %9.3f ms  lower bound %9.3f ms  ratio %5.2f (target %.0f) %s\n", label, p, b, ratio, target,
              within ? "ok" : "ABOVE TARGET");
  std::printf("%-22s   reads: project %llu opens %llu reads %llu bytes; lower bound %llu opens %llu reads %llu bytes\n",
              "", static_cast<unsigned long long>(ours.opens), static_cast<unsigned long long>(ours.reads),
              static_cast<unsigned long long>(ours.bytes), static_cast<unsigned long long>(least.opens),
              static_cast<unsigned long long>(least.reads), static_cast<unsigned long long>(least.bytes));
  std::fflush(stdout);
  return within;
}

}  // namespace

int main() {
  struct Case {
    const char* label;
    int members, frames;
    size_t picture;
    int rounds;
    double target;
    bool info;  // members open with an Info frame (as lame writes), so no bitrate sample is read
  };
  const Case cases[] = {
      {"20 members", 20, 40, 0, 301, 3, false},
      {"1000 members", 1000, 40, 0, 31, 3, false},
      {"1000 members, Info", 1000, 40, 0, 31, 3, true},
      {"5000 members", 5000, 40, 0, 11, 3, false},
      {"20 x 2 MB pictures", 20, 40, 2u << 20, 31, 5, false},
  };
  bool all = true;
  for (const Case& c : cases) {
    const std::string path = WriteTempFile("open_bench_" + std::to_string(c.members) + "_" + std::to_string(c.picture) +
                                               (c.info ? "_info" : "") +
                                               ".zip.mp3",
                                           bench::BuildArchive(c.members, c.frames, c.picture, c.info));
    all = Measure(c.label, path, c.rounds, c.target) && all;
    std::remove(path.c_str());
  }
  std::printf("%s\n", all ? "all within target" : "some above target");
  return 0;
}
