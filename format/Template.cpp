// Expansion of list-line templates: each name between two '%' signs becomes the member's value of
// that variable.
#include <string>

#include "archive/File.h"

// One pass over single bytes. No lead-byte tracking is needed for code page 932: '%' (0x25) is
// never the second byte of a double-byte character, so Japanese text passes through unchanged.
std::string File::Format(const std::string& templateText) const {
  std::string output;
  std::string variable;
  bool inVariable = false;
  for (const char byte : templateText) {
    if (!inVariable) {
      if (byte == '%') {
        variable.clear();
        inVariable = true;
      } else {
        output.push_back(byte);
      }
    } else if (byte == '%') {
      inVariable = false;
      if (variable.empty()) {
        output.push_back('%');  // "%%" stands for one percent sign
      } else {
        output += GetVariable(variable);
      }
    } else {
      variable.push_back(byte);
    }
  }
  // A variable still open here had no closing '%'; it is dropped with its name.
  return output;
}
