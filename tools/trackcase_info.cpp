// trackcase-info [OPTIONS] ARCHIVE: shows how the plug-in reads a zip.mp3 archive and lists it.
#include <iostream>
#include <string>
#include <vector>

#include "resources/Version.h"
#include "tools/trackcase_info_cli.h"
#include "tools/trackcase_info_report.h"
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
      std::cerr << "trackcase-info: " << line.error << "\nTry 'trackcase-info --help'\n";
      return kExitUsage;
    case CliAction::Run:
      break;
  }
  // The output's encoding decides how the arguments and the --ini file are taken.
  SetTextOutput(ChooseTextOutput(line.raw));
  std::string error;
  if (!ApplyListSettings(line.list, error)) {
    std::cerr << "trackcase-info: " << error << "\n";
    return kExitUsage;
  }
  const int exitCode = RunInfo(line.info, std::cout);
  if (exitCode == ExitCodeFor(StatusCannotOpen)) {
    std::cout.flush();
    std::cerr << "trackcase-info: cannot open " << line.info.archivePath << ": " << OpenFailureReason(line.info.archivePath)
              << "\n";
  }
  return exitCode;
}
