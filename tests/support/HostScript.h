// Runs the stand-in host (trackcase-host.exe) in script mode from a stage folder and returns its
// exit code and message record, for the test programs that drive the whole host.
//
//   const hostscript::Run run = hostscript::RunHostScript(stage, "play", "load a.mp3\nplay\nquit\n", 60000);
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "FileBytes.h"

namespace hostscript {

struct Run {
  DWORD exitCode = 0xFFFFFFFF;
  std::string log;  // the host's message record
};

// The lines of a record or a probe file, without their line feeds.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

// Writes `stage`/`name`.script, whose first line sends the host's record to `name`.log, starts the
// stage's host with it (working folder: the stage) and waits at most `timeoutMs`. While the host
// runs, `whileRunning` (when given) gets the record as far as it is written, every 20 ms. A host
// that does not finish in time is terminated and fails the test.
inline Run RunHostScript(const std::string& stage, const std::string& name, const std::string& script,
                         DWORD timeoutMs, const std::function<void(const std::string& log)>& whileRunning = nullptr) {
  const std::string scriptPath = stage + "/" + name + ".script";
  const std::string logPath = stage + "/" + name + ".log";
  DeleteFileA(logPath.c_str());
  {
    std::ofstream out(scriptPath, std::ios::binary | std::ios::trunc);
    out << "log " << name << ".log\n" << script;
  }
  std::string command = "\"" + stage + "/trackcase-host.exe\" --script \"" + scriptPath + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  Run run;
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, stage.c_str(), &startup, &process)) {
    ADD_FAILURE() << "cannot start the host: " << GetLastError();
    return run;
  }
  const DWORD started = GetTickCount();
  const DWORD pollMs = whileRunning ? 20 : timeoutMs;
  while (WaitForSingleObject(process.hProcess, pollMs) == WAIT_TIMEOUT) {
    if (!whileRunning || GetTickCount() - started >= timeoutMs) {
      TerminateProcess(process.hProcess, 99);
      ADD_FAILURE() << "the host did not finish " << name;
      break;
    }
    if (whileRunning) whileRunning(ReadFileBytes(logPath));
  }
  GetExitCodeProcess(process.hProcess, &run.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  run.log = ReadFileBytes(logPath);
  return run;
}

}  // namespace hostscript
