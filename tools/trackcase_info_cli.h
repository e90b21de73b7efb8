// trackcase-info's command line: what it asks for, the usage text and the exit codes.
#pragma once
#include <string>
#include <vector>

#include "tools/trackcase_info_listline.h"
#include "tools/trackcase_info_report.h"

enum class CliAction { Run, Help, Version, UsageError };

struct CommandLine {
  CliAction action = CliAction::UsageError;
  InfoOptions info;
  ListSettingsOptions list;
  bool raw = false;
  std::string error;  // for UsageError
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);

// A usage or option error (the archive's statuses have theirs: ExitCodeFor).
constexpr int kExitUsage = 2;

// The whole --help text, exit codes included.
std::string UsageText();
