// Runs a parsed script against the host, deterministically: the play clock moves only by the
// script's own commands, and real time passes only where the script pumps messages.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "host/ModalAnswer.h"
#include "host/Script.h"

namespace host {

class HostApp;

class ScriptRunner {
 public:
  // Relative paths in the script are taken from scriptFolder.
  ScriptRunner(HostApp& app, std::string scriptFolder);
  // 0 when every command succeeded and every expectation held, else 1.
  int Run(const std::vector<ScriptCommand>& commands);

 private:
  bool Execute(const ScriptCommand& cmd);
  bool Expect(const ScriptCommand& cmd);
  bool SendMouse(const ScriptCommand& cmd);
  bool Drag(const ScriptCommand& cmd);
  bool SendKey(HWND target, uint32_t vk, bool system);
  HWND Target(const std::string& role, std::string& error);
  std::string Resolve(const std::string& path) const;
  // Dispatches messages for ms real milliseconds (0: only what is queued now).
  void Pump(uint32_t ms);
  void Fail(const ScriptCommand& cmd, const std::string& why);

  HostApp& app_;
  std::string folder_;
  ModalAnswer modal_;
  bool failed_ = false;
  bool quit_ = false;
  bool pluginsLoaded_ = false;
};

}  // namespace host
