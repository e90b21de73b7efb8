// The cost of the controller's Update with the real window (win32 build, run by hand under Wine):
// an unchanged 1000-member archive at its last track, and a new 20-track archive up to the paint
// of its filled list. Prints the figures; no pass or fail.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "controller/ArchiveController.h"
#include "plugin/Lifecycle.h"
#include "settings/SettingsStore.h"
#include "support/ZipWriter.h"
#include "tests/controller/HostDoubles.h"

int main() {
  UseUnmanagedWindowsUnderWine();
  iniPath = (TestTempFolder() / "update_bench.ini").string();
  std::vector<ZipEntry> thousand;
  for (int i = 0; i < 1000; ++i) thousand.push_back({"t" + std::to_string(i) + ".mp3", Mp3Member(20)});
  const std::string big = WriteTempFile("thousand.zip.mp3", BuildZip(thousand));
  std::vector<ZipEntry> twenty;
  for (int i = 0; i < 20; ++i) twenty.push_back({"track " + std::to_string(i) + ".mp3", Mp3Member(200)});
  const std::string small = WriteTempFile("twenty.zip.mp3", BuildZip(twenty));

  TestHost host;
  if (StartUp(host.hwnd, GetModuleHandleA(nullptr)) != 0) return 1;
  ArchiveController& controller = ArchiveController::Instance();
  using Clock = std::chrono::steady_clock;

  controller.Update(big, 0);
  if (controller.Archive() == nullptr || controller.Archive()->GetCount() != 1000) return 1;
  constexpr int kRounds = 20000;
  // The last track: the linear scan of the start times is at its longest, and no second changes.
  const uint32_t lastTrack = controller.Archive()->GetStartTime(999) + 5;
  controller.Update(big, lastTrack);
  auto begin = Clock::now();
  for (int i = 0; i < kRounds; ++i) controller.Update(big, lastTrack);
  const double unchanged = std::chrono::duration<double, std::micro>(Clock::now() - begin).count() / kRounds;

  Pump(50);
  begin = Clock::now();
  controller.Update(small, 0);
  Pump(0);  // the paint the new lines asked for
  const double opened = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();

  printf("Update on an unchanged 1000-member archive: %.2f us per call (%d calls)\n", unchanged, kRounds);
  printf("new 20-track archive to a filled, painted list: %.2f ms\n", opened);
  ShutDown();
  return 0;
}
