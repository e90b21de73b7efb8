// Snapping a window that is being dragged to the host's windows: corners first (the first corner
// pair within reach wins at once), then edges (a later window overrides an earlier one).
#pragma once
#include <windows.h>

#include <cstddef>

struct SnapResult {
  int x = 0;
  int y = 0;
  bool docked = false;
  int offsetX = 0;  // when docked: position relative to the host main window's top-left corner
  int offsetY = 0;
  int anchor = -1;  // when docked: the index of the target that docked it last
};

// `proposed` is the window at the position the drag asks for; `targets` are the rectangles of the
// visible host windows in their snapping order; `hostMain` is the host main window's rectangle;
// `distance` is how near counts as touching (0: exact contact only).
SnapResult SnapRect(const RECT& proposed, const RECT* targets, size_t targetCount, const RECT& hostMain,
                    int distance);

// The host's main window, at `mainBefore`, changed its size in place by (dw, dh); the player moves
// the windows docked to its bottom edge by dh and those docked to its right edge by dw, and each
// window docked below or right of a moved one with it. Docked is exact contact of the edge with
// overlap along it. True, with the shift in `shift`, when `own` is one of the moved windows;
// `others` are the player's other windows where they were docked before the change.
bool DockedResizeShift(const RECT& mainBefore, int dw, int dh, const RECT* others, size_t otherCount,
                       const RECT& own, POINT* shift);
