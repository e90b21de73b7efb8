// trackcase-info [OPTIONS] ARCHIVE: shows how the plug-in reads a zip.mp3 archive and lists it.
#include <iostream>
#include <string>
#include <vector>

#include "tools/trackcase_info_listline.h"
#include "tools/trackcase_info_report.h"

namespace {

int Usage() {
  std::cerr << "usage: trackcase-info [OPTIONS] ARCHIVE\n" << kListSettingsUsage;
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  InfoOptions options;
  ListSettingsOptions listOptions;
  for (size_t i = 0; i < args.size();) {
    const OptionStatus status = TakeListSettingsOption(args, i, listOptions);
    if (status == OptionStatus::Taken) continue;
    if (status == OptionStatus::MissingValue || !options.archivePath.empty() || args[i].rfind("--", 0) == 0) {
      return Usage();
    }
    options.archivePath = args[i++];
  }
  if (options.archivePath.empty()) return Usage();
  std::string error;
  if (!ApplyListSettings(listOptions, error)) {
    std::cerr << "trackcase-info: " << error << "\n";
    return 2;
  }
  return RunInfo(options, std::cout);
}
