#include "host/Script.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace host {
namespace {

struct CommandShape {
  const char* name;
  int minArgs;
  int maxArgs;  // -1: any number
};

constexpr const char* kMainWindowActions[] = {"hide",  "show",    "minimise", "restore", "shade",
                                              "unshade", "double", "single",   nullptr};

// Every command the runner knows, with the number of arguments it takes.
constexpr CommandShape kCommands[] = {
    {"load", 1, -1},       {"add", 1, -1},          {"select", 1, 1},     {"play", 0, 0},
    {"pause", 0, 0},       {"stop", 0, 0},          {"next", 0, 0},       {"prev", 0, 0},
    {"seek", 1, 1},        {"advance", 1, 2},       {"pump", 1, 1},       {"key", 2, 2},
    {"syskey", 2, 2},      {"click", 3, 3},         {"dblclick", 3, 3},   {"rclick", 3, 3},
    {"drag", 5, 6},        {"wheel", 2, 2},         {"move", 3, 3},       {"skin", 1, 1},
    {"capture", 2, 2},     {"config", 0, 1},        {"menu-choose", 1, 1}, {"dialog-choose", 1, 1},
    {"log", 1, 1},         {"mark", 0, -1},         {"expect", 2, 3},     {"quit", 0, 0},
    {"unload", 0, 1},      {"player5", 1, 1},       {"decoys", 0, 0},     {"title", 2, 2},
    {"player501", 1, 1},   {"modern", 0, 0},        {"mainwin", 1, 1},
};

// Commands whose first argument is one of a set of words.
struct CommandWords {
  const char* name;
  const char* const* words;  // ends with null
};
constexpr CommandWords kCommandWords[] = {{"mainwin", kMainWindowActions}};

bool FirstWordFits(const std::vector<std::string>& line) {
  for (const CommandWords& c : kCommandWords) {
    if (line[0] != c.name) continue;
    for (const char* const* w = c.words; *w; ++w)
      if (line[1] == *w) return true;
    return false;
  }
  return true;
}

const CommandShape* FindCommand(const std::string& name) {
  for (const CommandShape& c : kCommands)
    if (name == c.name) return &c;
  return nullptr;
}

}  // namespace

bool SplitScriptLine(const std::string& line, std::vector<std::string>& words) {
  words.clear();
  size_t i = 0;
  const size_t n = line.size();
  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    if (c == '#') break;
    std::string word;
    if (c == '"') {
      const size_t close = line.find('"', i + 1);
      if (close == std::string::npos) return false;
      word = line.substr(i + 1, close - i - 1);
      i = close + 1;
    } else {
      while (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '\n') word += line[i++];
    }
    words.push_back(word);
  }
  return true;
}

bool ParseScript(const std::string& text, std::vector<ScriptCommand>& commands,
                 std::vector<ScriptError>& errors) {
  commands.clear();
  errors.clear();
  size_t start = 0;
  int lineNo = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    ++lineNo;
    std::vector<std::string> words;
    if (!SplitScriptLine(line, words)) {
      errors.push_back({lineNo, "unterminated quote"});
    } else if (!words.empty()) {
      const CommandShape* shape = FindCommand(words[0]);
      const int argc = static_cast<int>(words.size()) - 1;
      if (!shape) {
        errors.push_back({lineNo, "unknown command '" + words[0] + "'"});
      } else if (argc < shape->minArgs || (shape->maxArgs >= 0 && argc > shape->maxArgs)) {
        errors.push_back({lineNo, "wrong number of arguments for '" + words[0] + "'"});
      } else if (!FirstWordFits(words)) {
        errors.push_back({lineNo, "'" + words[0] + "' does not know '" + words[1] + "'"});
      } else {
        ScriptCommand cmd;
        cmd.line = lineNo;
        cmd.name = words[0];
        cmd.args.assign(words.begin() + 1, words.end());
        commands.push_back(cmd);
      }
    }
    if (end == text.size()) break;
    start = end + 1;
  }
  return errors.empty();
}

bool ParseUint32(const std::string& text, uint32_t& value) {
  if (text.empty() || text[0] == '-' || text[0] == '+' || std::isspace(static_cast<unsigned char>(text[0])))
    return false;
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  char* end = nullptr;
  const unsigned long long v = std::strtoull(text.c_str(), &end, hex ? 16 : 10);
  if (!end || *end != '\0' || v > 0xFFFFFFFFull) return false;
  value = static_cast<uint32_t>(v);
  return true;
}

bool ParseInt32(const std::string& text, int32_t& value) {
  if (text.empty()) return false;
  const bool negative = text[0] == '-';
  uint32_t magnitude = 0;
  if (!ParseUint32(negative ? text.substr(1) : text, magnitude)) return false;
  if (negative ? magnitude > 0x80000000u : magnitude > 0x7FFFFFFFu) return false;
  value = negative ? static_cast<int32_t>(0u - magnitude) : static_cast<int32_t>(magnitude);
  return true;
}

bool ParseVirtualKey(const std::string& text, uint32_t& vk) {
  struct Named {
    const char* name;
    uint32_t vk;
  };
  static constexpr Named kNames[] = {
      {"comma", 188}, {"period", 190}, {"enter", 13}, {"escape", 27}, {"space", 32},
      {"up", 38},     {"down", 40},    {"left", 37},  {"right", 39},  {"pgup", 33},
      {"pgdn", 34},   {"home", 36},    {"end", 35},   {"tab", 9},
  };
  for (const Named& n : kNames)
    if (text == n.name) {
      vk = n.vk;
      return true;
    }
  if (text.size() >= 2 && text.size() <= 3 && text[0] == 'f') {
    uint32_t k = 0;
    if (ParseUint32(text.substr(1), k) && k >= 1 && k <= 12) {
      vk = 0x70 + k - 1;
      return true;
    }
  }
  if (text.size() == 1) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
      vk = static_cast<uint32_t>(c);
      return true;
    }
    return false;
  }
  uint32_t v = 0;
  if (ParseUint32(text, v) && v >= 1 && v <= 254) {
    vk = v;
    return true;
  }
  return false;
}

bool ParseWindowRole(const std::string& text, WindowRole& role) {
  if (text == "main") role = WindowRole::Main;
  else if (text == "eq") role = WindowRole::Equalizer;
  else if (text == "pe") role = WindowRole::Playlist;
  else if (text == "mb") role = WindowRole::MiniBrowser;
  else if (text == "plugin") role = WindowRole::Plugin;
  else if (text == "decoy-eq") role = WindowRole::DecoyEqualizer;
  else if (text == "decoy-pe") role = WindowRole::DecoyPlaylist;
  else if (text == "frame") role = WindowRole::Frame;
  else if (text == "pe-frame") role = WindowRole::PlaylistFrame;
  else return false;
  return true;
}

}  // namespace host
