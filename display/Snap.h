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
};

// `proposed` is the window at the position the drag asks for; `targets` are the rectangles of the
// visible host windows in their snapping order; `hostMain` is the host main window's rectangle;
// `distance` is how near counts as touching (0: exact contact only).
SnapResult SnapRect(const RECT& proposed, const RECT* targets, size_t targetCount, const RECT& hostMain,
                    int distance);
