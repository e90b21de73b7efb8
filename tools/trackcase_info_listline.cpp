#include "tools/trackcase_info_listline.h"

#include <fstream>
#include <sstream>

#include "format/ListLine.h"
#include "tools/trackcase_info_report.h"
#include "tools/trackcase_info_text.h"

#ifdef _WIN32
#include <windows.h>

#include "settings/SettingsStore.h"
#endif

const char kListSettingsUsage[] =
    "  --ini FILE            list with the settings of this INI file (its List section)\n"
    "  --normal TEMPLATE     template of untagged members (default %FILE_NAME%)\n"
    "  --id3 TEMPLATE        template of tagged members with --use-id3\n"
    "  --compilation TEMPLATE  template of tagged members of a mixed-artist archive\n"
    "  --use-id3             list tagged members with the ID3 template\n"
    "  --use-compilation     list tagged members of a mixed-artist archive with the Compilation template\n";

namespace {

constexpr size_t kStoredTextLimit = 259;  // what the plug-in's 260-byte read buffer keeps

bool EqualsIgnoringCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return i == a.size() && b[i] == '\0';
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Unquote(const std::string& value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

bool ReadWholeFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream content;
  content << in.rdbuf();
  text = content.str();
  return true;
}

}  // namespace

OptionStatus TakeListSettingsOption(const std::vector<std::string>& args, size_t& index,
                                    ListSettingsOptions& options) {
  const std::string& arg = args[index];
  // An option with a value takes it from the same argument after "=" or from the next one.
  const size_t equals = arg.find('=');
  const std::string option = arg.substr(0, equals);
  const bool joined = equals != std::string::npos;
  if ((option == "--use-id3" || option == "--use-compilation") && !joined) {
    (option == "--use-id3" ? options.useID3 : options.useCompilation) = true;
  } else if (option == "--ini" || option == "--normal" || option == "--id3" || option == "--compilation") {
    if (!joined && index + 1 >= args.size()) return OptionStatus::MissingValue;
    const std::string value = joined ? arg.substr(equals + 1) : args[++index];
    if (option == "--ini") options.iniFile = value;
    if (option == "--normal") options.normal = value;
    if (option == "--id3") options.id3 = value;
    if (option == "--compilation") options.compilation = value;
  } else {
    return OptionStatus::NotMine;
  }
  ++index;
  return OptionStatus::Taken;
}

void ReadListSection(const std::string& iniText, Settings& settings) {
  struct Key {
    const char* name;
    std::string* text;
    int32_t* flag;
    bool seen;
  };
  Key keys[] = {
      {"Normal", &settings.Normal, nullptr, false},
      {"ID3", &settings.ID3, nullptr, false},
      {"Compilation", &settings.Compilation, nullptr, false},
      {"useID3", nullptr, &settings.useID3, false},
      {"useCompilation", nullptr, &settings.useCompilation, false},
  };
  bool inList = false;
  bool listSeen = false;
  std::istringstream lines(iniText);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string trimmed = Trim(line);
    if (!trimmed.empty() && trimmed.front() == '[') {
      const size_t close = trimmed.find(']');
      const bool isList = close != std::string::npos && EqualsIgnoringCase(Trim(trimmed.substr(1, close - 1)), "List");
      inList = isList && !listSeen;  // only the first List section counts
      listSeen = listSeen || isList;
      continue;
    }
    const size_t equals = trimmed.find('=');
    if (!inList || equals == std::string::npos) continue;
    const std::string name = Trim(trimmed.substr(0, equals));
    std::string value = Unquote(Trim(trimmed.substr(equals + 1)));
    if (value.size() > kStoredTextLimit) value.resize(kStoredTextLimit);
    for (Key& key : keys) {
      if (key.seen || !EqualsIgnoringCase(name, key.name)) continue;
      key.seen = true;
      if (key.text) *key.text = value;
      if (key.flag) *key.flag = EqualsIgnoringCase(value, "yes") ? 1 : 0;
    }
  }
}

bool ApplyListSettings(const ListSettingsOptions& options, std::string& error) {
  std::string iniText;
  if (!options.iniFile.empty() && !ReadWholeFile(options.iniFile, iniText)) {
    error = "cannot read " + options.iniFile + ": " + OpenFailureReason(options.iniFile);
    return false;
  }
#ifdef _WIN32
  // The plug-in's own loader; a relative name would be looked up in the Windows folder.
  iniPath.clear();
  if (!options.iniFile.empty()) {
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(options.iniFile.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) {
      error = "path too long: " + options.iniFile;
      return false;
    }
    iniPath = full;
  }
  LoadSettings();  // without an INI file (no plug-in module here) this gives the defaults
#else
  g_settings = Settings{};
  g_settings.Normal = settings_defaults::kNormal;
  g_settings.ID3 = settings_defaults::kID3;
  g_settings.Compilation = settings_defaults::kCompilation;
  ReadListSection(TakenIniText(iniText), g_settings);
#endif
  if (options.normal) g_settings.Normal = Taken(*options.normal);
  if (options.id3) g_settings.ID3 = Taken(*options.id3);
  if (options.compilation) g_settings.Compilation = Taken(*options.compilation);
  if (options.useID3) g_settings.useID3 = 1;
  if (options.useCompilation) g_settings.useCompilation = 1;
  return true;
}

void PrintListLines(std::ostream& out, const ZipFile& archive) {
  const bool artistsDiffer = ArtistsDiffer(archive.members);
  out << "index\tlist line" << (artistsDiffer ? " (artists differ)" : "") << "\n";
  for (int i = 0; i < archive.GetCount(); ++i) {
    if (const File* member = archive.GetMember(i)) out << i << "\t" << Shown(MakeListLine(*member, artistsDiffer)) << "\n";
  }
}
