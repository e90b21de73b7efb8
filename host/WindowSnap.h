// Snapping of a host window being dragged against the other host windows, as the player does
// with its INI keys "snap" and "snaplen".
#pragma once
#include <vector>

namespace host {

struct Box {
  int left, top, right, bottom;
};

// The position (left, top) for a window proposed at `moving`: each edge within distance of a
// facing or aligned edge of another box moves onto it. Distance 0 or less leaves it unchanged.
Box SnapBox(const Box& moving, const std::vector<Box>& others, int distance);

struct Shift {
  int dx, dy;
};

// How the player re-docks its windows after the main window (before: `main`) grew by dw, dh
// with its top-left corner kept: a window whose top edge lies on the main window's bottom edge
// moves by dh, one whose left edge lies on its right edge by dw, and a window docked so to a
// moved window moves with it, recursively; a window docked to several follows the nearest to the
// main window (a window docked to its right edge stays in a shade, with those docked to it). Contact must be exact with overlap on the other axis,
// judged on the places before the change. One shift per window of `windows`, {0, 0} for those left.
std::vector<Shift> DockedShifts(const Box& main, int dw, int dh, const std::vector<Box>& windows);

}  // namespace host
