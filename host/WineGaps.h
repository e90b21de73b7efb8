// Where Wine (8) does less than Windows and the host makes up for it, so that a plug-in meets
// under Wine what it meets under Windows.
#pragma once
#include <windows.h>

namespace host {

bool RunningOnWine();

// Windows reports every move or resize of a window to location-change event hooks; Wine does
// not. The returned hook (of the calling thread's window procedures) reports them itself.
HHOOK ReportLocationChanges();

}  // namespace host
