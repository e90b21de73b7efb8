// The record of every message the host's main window receives from plug-ins, one line each:
//   <real ms> <clock ms> user <code> <wParam> <result> ["text" ["text"]]
//   <real ms> <clock ms> command <id>
//   # <note>
// The real time counts from the host's start, the clock is the play position at that moment.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace host {

class MessageLog {
 public:
  ~MessageLog();
  bool Open(const std::string& path);
  bool IsOpen() const { return file_ != nullptr; }
  void User(uint32_t realMs, uint32_t clockMs, long code, long long wParam, long long result, const char* text,
            const char* text2 = nullptr);
  void Command(uint32_t realMs, uint32_t clockMs, unsigned id);
  void Note(const std::string& text);

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace host
