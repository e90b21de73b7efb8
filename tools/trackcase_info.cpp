// trackcase-info [OPTIONS] ARCHIVE: shows how the plug-in reads a zip.mp3 archive and lists it.
#include <iostream>
#include <string>
#include <vector>

#include "resources/Version.h"
#include "tools/trackcase_info_cli.h"
#include "tools/trackcase_info_text.h"

int main(int argc, char** argv) {
  const CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (line.action) {
    case CliAction::Help:
      std::cout << UsageText();
      return 0;
    case CliAction::Version:
      std::cout << "trackcase-info " TC_VERSION_TEXT "\n";
      return 0;
    case CliAction::UsageError:
      std::cerr << "trackcase-info: " << line.error << "\n" << UsageText();
      return kExitUsage;
    case CliAction::Run:
      break;
  }
  std::string error;
  if (!ApplyListSettings(line.list, error)) {
    std::cerr << "trackcase-info: " << error << "\n";
    return kExitUsage;
  }
  SetTextOutput(ChooseTextOutput(line.raw));
  return RunInfo(line.info, std::cout);
}
