// Tracks a popup menu at a screen point and returns the chosen command (0 when dismissed).
#pragma once
#include <windows.h>

// The owner is brought to the foreground first and gets a message afterwards: without both,
// Windows leaves the menu open when the user clicks elsewhere.
int TrackPopupMenuHere(HMENU menu, POINT screenPoint, HWND owner);
