// Which of the host's windows the plug-in window may snap to and follow. A host window can be
// there without being seen: the player hides its main window by moving it far above the screen,
// a minimised one lies at (-32000, -32000), and a modern skin keeps the classic main window as a
// fully transparent layered window and puts the playlist editor inside a frame of its own.
#pragma once
#include <windows.h>

#include <vector>

// Layered with alpha 0: there, but not seen.
bool IsTransparent(HWND window);

// Visible, not minimised, not transparent, top-level and on some monitor.
bool IsSeenTopLevel(HWND window);

// Whether a move of the host's main window to the top edge `top` shows the window where the user
// sees it; false while it is minimised, parked above the screen (turned off) or transparent. The
// host's own word on whether it is turned off (message 900) is asked by the caller.
bool IsMainWindowSeen(HWND hostWnd, int top);

// Under a modern skin (the classic main window transparent): the skin engine's frames, that is the
// seen top-level windows of the host's user-interface thread other than `known` ones, in z-order.
// Empty under a classic skin.
std::vector<HWND> ModernSkinFrames(HWND hostWnd, const std::vector<HWND>& known);
