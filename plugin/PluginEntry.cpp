// The DLL's one export and the record the host reads through it.
#include "plugin/HostInterface.h"
#include "plugin/Lifecycle.h"

namespace {

int __cdecl RecordInit();
void __cdecl RecordConfig();
void __cdecl RecordQuit();

PluginRecord g_record = {kPluginVersion, kPluginDescription, RecordInit, RecordConfig, RecordQuit,
                         nullptr, nullptr};

// Nothing may leave the DLL as an exception: the host is C code.
int __cdecl RecordInit() {
  try {
    return StartUp(g_record.hwndParent, g_record.hDllInstance);
  } catch (...) {
    return 1;
  }
}

void __cdecl RecordConfig() {
  try {
    OpenConfiguration();
  } catch (...) {
  }
}

void __cdecl RecordQuit() {
  try {
    ShutDown();
  } catch (...) {
  }
}

}  // namespace

extern "C" __declspec(dllexport) PluginRecord* __cdecl winampGetGeneralPurposePlugin() {
  return &g_record;
}
