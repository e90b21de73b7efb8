#include "settings/Settings.h"

Settings g_settings;
