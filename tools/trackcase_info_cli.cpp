#include "tools/trackcase_info_cli.h"

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size();) {
    const std::string& arg = args[i];
    if (arg == "--" && !optionsEnded) {
      optionsEnded = true;
      ++i;
      continue;
    }
    if (optionsEnded) {
      if (!line.info.archivePath.empty()) {
        line.error = "one archive only";
        return line;
      }
      line.info.archivePath = args[i++];
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      line.action = CliAction::Help;
      return line;
    }
    if (arg == "--version") {
      line.action = CliAction::Version;
      return line;
    }
    if (arg == "--raw") {
      line.raw = true;
      ++i;
      continue;
    }
    const OptionStatus status = TakeListSettingsOption(args, i, line.list);
    if (status == OptionStatus::Taken) continue;
    if (status == OptionStatus::MissingValue) {
      line.error = arg + " needs a value";
      return line;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      line.error = "unknown option " + arg;
      return line;
    }
    if (!line.info.archivePath.empty()) {
      line.error = "one archive only";
      return line;
    }
    line.info.archivePath = args[i++];
  }
  if (line.info.archivePath.empty()) {
    line.error = "no archive given";
    return line;
  }
  line.action = CliAction::Run;
  return line;
}

std::string UsageText() {
  std::string text =
      "usage: trackcase-info [OPTIONS] [--] ARCHIVE\n"
      "Shows how the gen_trackcase plug-in reads a zip.mp3 archive: its status, every member\n"
      "(method, sizes, play and start times), the list lines and the tags.\n"
      "\n"
      "options:\n"
      "  -h, --help            this text\n"
      "  --version             the version\n"
      "  --raw                 print names and tags as the plug-in holds them (code page 932 bytes);\n"
      "                        otherwise they are converted for a terminal that reads another encoding\n";
  text += kListSettingsUsage;
  text +=
      "  --                    the next argument is the archive, even when it starts with -\n"
      "\n"
      "An option's value may follow it after = (--normal=TEMPLATE). Templates and the --ini file are\n"
      "taken in the terminal's encoding (a UTF-8 --ini file is converted, a code page 932 one, as the\n"
      "plug-in writes it, is read as it is) and converted to code page 932, as the plug-in holds them;\n"
      "--raw takes them as bytes.\n";
  text += "\nexit codes:\n";
  text += "  0   " + std::string(StatusDescription(StatusPlayable)) + "\n";
  for (int status : {StatusCannotOpen, StatusNotZip, StatusBadHeader, StatusNoStoredMember}) {
    text += "  " + std::to_string(ExitCodeFor(status)) + "  " + StatusDescription(status) + "\n";
  }
  text += "  " + std::to_string(kExitUsage) + "   usage error, or the --ini file cannot be read\n";
  return text;
}
