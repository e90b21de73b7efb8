// trackcase-info ARCHIVE: shows how the plug-in reads a zip.mp3 archive.
#include <cstring>
#include <iostream>

#include "tools/trackcase_info_report.h"

int main(int argc, char** argv) {
  if (argc != 2 || std::strcmp(argv[1], "--help") == 0) {
    std::cerr << "usage: trackcase-info ARCHIVE\n";
    return 2;
  }
  InfoOptions options;
  options.archivePath = argv[1];
  return RunInfo(options, std::cout);
}
