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

}  // namespace host
