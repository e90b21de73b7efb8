// The window's hit regions: rectangles with inclusive bounds, where a negative x counts from the
// right edge and a negative y from the bottom edge, so one table serves every window size.
#pragma once
#include <windows.h>

namespace region {
constexpr int kClose = 0;
constexpr int kCompact = 1;
constexpr int kScrollDown = 2;
constexpr int kScrollUp = 3;
constexpr int kPrevious = 4;
constexpr int kNext = 5;
constexpr int kPlay = 6;
constexpr int kStop = 7;
constexpr int kPause = 8;
constexpr int kUnused = 9;
constexpr int kMove = 10;  // everything no other region holds
constexpr int kResize = 11;
constexpr int kTime = 12;
constexpr int kList = 13;
constexpr int kScrollBar = 14;
constexpr int kSeekBar = 15;
constexpr int kCompactLine = 16;  // repainted only, never hit
constexpr int kCount = 17;
}  // namespace region

struct HitRegion {
  int left, right, top, bottom;  // inclusive
};

extern const HitRegion kHitRegions[region::kCount];

// The region's rectangle on a window of the given size, as a RECT (right and bottom exclusive).
// Empty when the region is empty at this size.
RECT ResolveRegion(int regionIndex, int windowWidth, int windowHeight);

// The first of regions 0 to 15 that holds the point, else the move region.
int HitTestRegions(int x, int y, int windowWidth, int windowHeight);
