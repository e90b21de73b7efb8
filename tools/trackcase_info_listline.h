// The list-line preview of trackcase-info: the settings it lists with (the defaults, then an INI
// file, then options) and the line of every member under them.
#pragma once
#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "archive/ZipFile.h"
#include "settings/Settings.h"

struct ListSettingsOptions {
  std::string iniFile;  // empty: the built-in defaults
  std::optional<std::string> normal;
  std::optional<std::string> id3;
  std::optional<std::string> compilation;
  bool useID3 = false;
  bool useCompilation = false;
};

extern const char kListSettingsUsage[];

enum class OptionStatus { NotMine, Taken, MissingValue };

// Takes the option at args[index] when it is one of the list settings, moving index past its value.
OptionStatus TakeListSettingsOption(const std::vector<std::string>& args, size_t& index,
                                    ListSettingsOptions& options);

// Fills g_settings for the preview. False, with a message, when the INI file cannot be read.
bool ApplyListSettings(const ListSettingsOptions& options, std::string& error);

// The List section's keys from INI text as the profile reader sees them: names in any letter case,
// the first occurrence counts, blanks around the value and one pair of enclosing quotes dropped,
// at most 259 bytes kept; keys not present keep their current values.
void ReadListSection(const std::string& iniText, Settings& settings);

// One row per member: its index and its list line.
void PrintListLines(std::ostream& out, const ZipFile& archive);
