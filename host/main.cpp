// trackcase-host: a stand-in for the media player, for running and testing general-purpose
// plug-ins. See host/README.md.
//   trackcase-host FILE...                 plays the files in real time (demo)
//   trackcase-host --script FILE [--skin NAME]   runs a test script
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/HostApp.h"
#include "host/Script.h"
#include "host/ScriptRunner.h"

namespace {

bool ReadWholeFile(const std::string& path, std::string& text) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  std::fclose(f);
  return true;
}

int RunScript(host::HostApp& app, const std::string& path) {
  std::string text;
  if (!ReadWholeFile(path, text)) {
    std::fprintf(stderr, "trackcase-host: cannot read %s\n", path.c_str());
    return 2;
  }
  std::vector<host::ScriptCommand> commands;
  std::vector<host::ScriptError> errors;
  if (!host::ParseScript(text, commands, errors)) {
    for (const host::ScriptError& e : errors) std::fprintf(stderr, "%s:%d: %s\n", path.c_str(), e.line, e.message.c_str());
    return 2;
  }
  const size_t slash = path.find_last_of("\\/");
  host::ScriptRunner runner(app, slash == std::string::npos ? std::string() : path.substr(0, slash));
  return runner.Run(commands);
}

int RunDemo(host::HostApp& app, const std::vector<std::string>& files) {
  app.LoadPlugins();
  app.LoadPlaylist(files);
  if (app.Clock().Count() > 0) app.Clock().Play();
  app.SetRealTime(true);
  app.Refresh();
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (app.TakeAccelerator(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  app.Shutdown();
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  std::string script, skin, log;
  std::vector<std::string> files;
  for (int i = 1; i < __argc; ++i) {
    const std::string arg = __argv[i];
    if (arg == "--script" && i + 1 < __argc) script = __argv[++i];
    else if (arg == "--skin" && i + 1 < __argc) skin = __argv[++i];
    else if (arg == "--log" && i + 1 < __argc) log = __argv[++i];
    else files.push_back(arg);
  }
  host::HostApp app(instance);
  if (!app.Create()) {
    std::fprintf(stderr, "trackcase-host: cannot create its windows\n");
    return 3;
  }
  if (!log.empty()) app.Log().Open(log);
  if (!skin.empty() && !app.SelectSkin(skin)) std::fprintf(stderr, "trackcase-host: no skin %s\n", skin.c_str());
  return script.empty() ? RunDemo(app, files) : RunScript(app, script);
}
