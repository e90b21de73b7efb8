// Where a saved window position may stay: a pure rule over the screen's geometry, kept apart from
// the monitor calls so that any arrangement of monitors can be tried.
#pragma once
#include <cstdint>
#include <vector>

struct ScreenRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;  // exclusive
  int32_t bottom = 0;
};

// A saved top-left corner (x, y) that lies on one of `monitors` stays where it is, left of or
// above the primary screen too: a second monitor is somewhere the user put the window. Elsewhere
// (a monitor since removed) the older rule brings it back against the primary `desktop`: below 0
// becomes 0, past the right or bottom edge the default 50 or 30. On one monitor every point the
// older rule keeps lies on it, so nothing changes there.
void PlaceSavedPosition(int32_t& x, int32_t& y, const ScreenRect& desktop, const std::vector<ScreenRect>& monitors);
