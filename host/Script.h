// The script language of the host's test mode: one command per line, '#' starts a comment,
// arguments separated by blanks, double quotes keep blanks inside one argument.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace host {

struct ScriptCommand {
  int line = 0;
  std::string name;
  std::vector<std::string> args;
};

struct ScriptError {
  int line = 0;
  std::string message;
};

// Splits a line into words; false on an unterminated quote.
bool SplitScriptLine(const std::string& line, std::vector<std::string>& words);

// Parses a whole script, checking every command name and its argument count; blank and comment
// lines produce nothing. Returns false and fills errors when any line is bad.
bool ParseScript(const std::string& text, std::vector<ScriptCommand>& commands,
                 std::vector<ScriptError>& errors);

// Decimal or 0x-hexadecimal number, 32 bits; false for anything else.
bool ParseUint32(const std::string& text, uint32_t& value);
bool ParseInt32(const std::string& text, int32_t& value);

// A virtual-key code from a number, a single letter or digit, or a name (comma, period, enter,
// escape, space, up, down, left, right, pgup, pgdn, home, end, tab, f1..f12).
bool ParseVirtualKey(const std::string& text, uint32_t& vk);

// DecoyEqualizer, DecoyPlaylist: windows of the host's classes made after the host's own (`decoys`),
// as another player running beside would have. Frame, PlaylistFrame: the modern skin's frames.
enum class WindowRole { Main, Equalizer, Playlist, MiniBrowser, Plugin, DecoyEqualizer, DecoyPlaylist, Frame,
                        PlaylistFrame };
// main, eq, pe, mb, plugin, decoy-eq, decoy-pe, frame or pe-frame.
bool ParseWindowRole(const std::string& text, WindowRole& role);

}  // namespace host
