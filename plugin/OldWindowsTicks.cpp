// The statically linked threads library of the C++ runtime takes its timeouts from GetTickCount64,
// which Windows XP lacks: a DLL that imports it fails to load there. The plug-in starts no thread
// and never waits with a timeout, so the library gets this stand-in through the import slot it
// would otherwise bind to kernel32, and the DLL imports GetTickCount alone.
#include <windows.h>

namespace {

// GetTickCount wraps after 49.7 days; counting the wraps keeps the result rising as the
// library expects.
ULONGLONG WINAPI TickCount64() {
  static DWORD last = 0;
  static ULONGLONG wraps = 0;
  const DWORD now = GetTickCount();
  if (now < last) wraps += 1ULL << 32;
  last = now;
  return wraps + now;
}

}  // namespace

#if defined(__i386__)
#define TC_IMPORT_SLOT "__imp__GetTickCount64@0"
#else
#define TC_IMPORT_SLOT "__imp_GetTickCount64"
#endif
extern "C" ULONGLONG(WINAPI* const tc_GetTickCount64Slot)() __asm__(TC_IMPORT_SLOT);
extern "C" ULONGLONG(WINAPI* const tc_GetTickCount64Slot)() = TickCount64;
