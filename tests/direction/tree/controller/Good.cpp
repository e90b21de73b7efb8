// Never compiled: includes of lower folders and of the shared definitions pass the check.
#include "archive/ZipFile.h"
#include "format/ListLine.h"
#include "plugin/HostPlayer.h"
#include "settings/Settings.h"
