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

// A capture the host wrote (24-bit, bottom-up); width 0 when the file is no such bitmap.
struct Bmp {
  int width = 0, height = 0, bits = 0;
  std::string data;
  // Colour at (x, y) from the top, as 0xRRGGBB.
  uint32_t Pixel(int x, int y) const {
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
    const size_t at = 54 + stride * static_cast<size_t>(height - 1 - y) + static_cast<size_t>(x) * 3;
    if (at + 3 > data.size()) return 0xFFFFFFFF;
    const auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(data[i])); };
    return (b(at + 2) << 16) | (b(at + 1) << 8) | b(at);
  }
};

inline Bmp ReadBmp(const std::string& path) {
  Bmp bmp;
  bmp.data = ReadFileBytes(path);
  if (bmp.data.size() < 54 || bmp.data[0] != 'B' || bmp.data[1] != 'M') return bmp;
  const auto u32 = [&](size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bmp.data[at + i]);
    return v;
  };
  if (u32(10) != 54 || u32(14) != 40 || u32(2) != bmp.data.size()) return bmp;
  bmp.width = static_cast<int>(u32(18));
  bmp.height = static_cast<int>(u32(22));
  bmp.bits = static_cast<int>(u32(28) & 0xFFFF);
  return bmp;
}

}  // namespace hostscript
