// Template expansion with arbitrary templates and variable values. The input is the template,
// then after each zero byte one value; variables are answered with the values in turn. The result
// is checked against a second formulation of the syntax: split at every '%', even pieces are
// text, odd pieces are names ("" standing for a percent sign), and an odd piece left without its
// closing '%' is dropped.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "archive/File.h"

namespace {

class AnsweringMember : public File {
 public:
  explicit AnsweringMember(std::vector<std::string> values) : File("fuzz.zip.mp3", 0), values(std::move(values)) {}
  std::string GetVariable(const std::string& variable) const override {
    asked.push_back(variable);
    if (values.empty()) return {};
    return values[(asked.size() - 1) % values.size()];
  }
  std::vector<std::string> values;
  mutable std::vector<std::string> asked;
};

std::vector<std::string> SplitAt(const std::string& text, char separator) {
  std::vector<std::string> pieces(1);
  for (const char byte : text) {
    if (byte == separator) {
      pieces.emplace_back();
    } else {
      pieces.back().push_back(byte);
    }
  }
  return pieces;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> parts = SplitAt(std::string(reinterpret_cast<const char*>(data), size), '\0');
  const std::string templateText = parts.front();
  parts.erase(parts.begin());
  const AnsweringMember member(parts);

  const std::string output = member.Format(templateText);

  std::string expected;
  std::vector<std::string> expectedNames;
  const std::vector<std::string> pieces = SplitAt(templateText, '%');
  size_t answer = 0;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i % 2 == 0) {
      expected += pieces[i];
    } else if (i + 1 == pieces.size()) {
      break;  // unclosed
    } else if (pieces[i].empty()) {
      expected += '%';
    } else {
      expectedNames.push_back(pieces[i]);
      if (!parts.empty()) expected += parts[answer++ % parts.size()];
    }
  }
  if (output != expected || member.asked != expectedNames) abort();
  return 0;
}
