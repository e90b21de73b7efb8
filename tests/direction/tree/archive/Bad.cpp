// Never compiled: the archive model reaching up into the window, which the check must reject.
#include "archive/File.h"
#include "display/MainWindow.h"
