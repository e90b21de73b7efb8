// How trackcase-info prints the archive's texts (names, tags, list lines), which the plug-in
// holds as code page 932 bytes: unchanged, or converted for a terminal that reads another encoding.
#pragma once
#include <string>

enum class TextOutput {
  Raw,      // the bytes as the plug-in holds them
  Convert,  // native: code page 932 to UTF-8; Windows: ANSI code page to the console's code page
};

// Convert when the terminal's encoding differs from the texts' (native: the locale's character set
// is UTF-8; Windows: the console's output code page is not the ANSI code page), unless raw.
TextOutput ChooseTextOutput(bool raw);
void SetTextOutput(TextOutput output);

// A text of the archive as printed under the chosen output.
std::string Shown(const std::string& text);
// A text from the command line (the archive's path): native arguments are in the terminal's
// encoding already; Windows ones in the ANSI code page, like the archive's texts.
std::string ShownArgument(const std::string& text);

// A text typed at the terminal (a template, the text of an --ini file) as the plug-in holds it:
// native, under Convert, UTF-8 becomes code page 932 ('?' for a character that code page lacks);
// otherwise, and on Windows, where arguments arrive in the ANSI code page already, it is unchanged.
std::string Taken(const std::string& text);
// The text of an --ini file: a UTF-8 file (with or without a byte-order mark) is taken like an
// argument; a code page 932 file, as the plug-in writes it, is kept as it is.
std::string TakenIniText(const std::string& text);

// Code page 932 bytes to UTF-8; a byte or pair that is no character becomes '?' (on Windows, the
// system's substitute character).
std::string Cp932ToUtf8(const std::string& text);
