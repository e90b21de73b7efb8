// Loading general-purpose plug-ins the way the player does: every gen_*.dll of a folder, its
// record checked, the host's handles filled in, start-up called; shut-down before unloading.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "plugin/HostInterface.h"

namespace host {

struct LoadedPlugin {
  std::string file;  // file name inside the folder
  HMODULE module = nullptr;
  PluginRecord* record = nullptr;
};

// Null when the record is fit to use, else why not.
const char* CheckPluginRecord(const PluginRecord* record);

class PluginSet {
 public:
  // Loads every gen_*.dll of folder in name order. Each problem found is appended to notes.
  void LoadFolder(const std::string& folder, HWND hostWnd, std::vector<std::string>& notes);
  const std::vector<LoadedPlugin>& Plugins() const { return plugins_; }
  // Calls the configuration function of plug-in index; false when there is none.
  bool Configure(size_t index);
  // Calls every shut-down function, in load order.
  void QuitAll();
  // Unloads every module; QuitAll must have run.
  void UnloadAll();
  // Shuts down and unloads one plug-in after the other, in load order or the reverse; notes a
  // module that stays loaded after its unloading.
  void QuitAndUnloadEach(bool reverse, std::vector<std::string>& notes);

 private:
  std::vector<LoadedPlugin> plugins_;
  bool quitDone_ = false;
};

}  // namespace host
