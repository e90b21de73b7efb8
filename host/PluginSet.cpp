#include "host/PluginSet.h"

#include <algorithm>

namespace host {

const char* CheckPluginRecord(const PluginRecord* record) {
  if (!record) return "no plug-in record";
  if (record->version != kPluginVersion) return "wrong record version";
  if (!record->description) return "no description";
  if (!record->init || !record->config || !record->quit) return "missing function";
  return nullptr;
}

void PluginSet::LoadFolder(const std::string& folder, HWND hostWnd, std::vector<std::string>& notes) {
  std::vector<std::string> files;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((folder + "\\gen_*.dll").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  std::sort(files.begin(), files.end());
  for (const std::string& file : files) {
    const std::string path = folder + "\\" + file;
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) {
      notes.push_back(file + ": cannot be loaded");
      continue;
    }
    auto get = reinterpret_cast<GetPluginProc>(reinterpret_cast<void*>(GetProcAddress(module, kPluginExportName)));
    PluginRecord* record = get ? get() : nullptr;
    const char* problem = get ? CheckPluginRecord(record) : "no entry point";
    if (problem) {
      notes.push_back(file + ": " + problem);
      FreeLibrary(module);
      continue;
    }
    record->hwndParent = hostWnd;
    record->hDllInstance = module;
    if (record->init() != 0) {
      // A plug-in whose start-up failed is not kept; it has nothing to shut down.
      notes.push_back(file + ": start-up failed");
      FreeLibrary(module);
      continue;
    }
    plugins_.push_back({file, module, record});
    notes.push_back(file + ": loaded \"" + record->description + "\"");
  }
}

bool PluginSet::Configure(size_t index) {
  if (index >= plugins_.size()) return false;
  plugins_[index].record->config();
  return true;
}

void PluginSet::QuitAll() {
  if (quitDone_) return;
  quitDone_ = true;
  for (LoadedPlugin& p : plugins_) p.record->quit();
}

void PluginSet::UnloadAll() {
  QuitAll();
  for (LoadedPlugin& p : plugins_) FreeLibrary(p.module);
  plugins_.clear();
}

void PluginSet::QuitAndUnloadEach(bool reverse, std::vector<std::string>& notes) {
  if (reverse) std::reverse(plugins_.begin(), plugins_.end());
  for (LoadedPlugin& p : plugins_) {
    if (!quitDone_) p.record->quit();
    FreeLibrary(p.module);
    if (GetModuleHandleA(p.file.c_str())) notes.push_back(p.file + ": still loaded after unloading");
  }
  plugins_.clear();
}

}  // namespace host
