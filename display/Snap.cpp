#include "display/Snap.h"

#include <cstdlib>

namespace {

// Corner k of a rectangle: 0 left-top, 1 left-bottom, 2 right-top, 3 right-bottom.
POINT Corner(const RECT& r, int k) {
  return POINT{k < 2 ? r.left : r.right, (k & 1) ? r.bottom : r.top};
}

bool Within(LONG value, LONG low, LONG high) { return value >= low && value <= high; }

void Dock(SnapResult* result, const RECT& hostMain) {
  result->docked = true;
  result->offsetX = result->x - hostMain.left;
  result->offsetY = result->y - hostMain.top;
}

}  // namespace

SnapResult SnapRect(const RECT& proposed, const RECT* targets, size_t targetCount, const RECT& hostMain,
                    int distance) {
  const RECT& p = proposed;
  const int width = p.right - p.left;
  const int height = p.bottom - p.top;
  SnapResult result;
  result.x = p.left;
  result.y = p.top;
  for (size_t t = 0; t < targetCount; ++t) {
    const RECT& r = targets[t];
    for (int i = 0; i < 4; ++i) {
      const POINT outer = Corner(r, i);
      for (int j = 0; j < 4; ++j) {
        if (i == j) continue;
        const POINT own = Corner(p, j);
        if (std::abs(outer.x - own.x) <= distance && std::abs(outer.y - own.y) <= distance) {
          result.x += outer.x - own.x;
          result.y += outer.y - own.y;
          Dock(&result, hostMain);
          return result;
        }
      }
    }
    const bool verticalOverlap = Within(p.top, r.top, r.bottom) || Within(p.bottom, r.top, r.bottom);
    const bool horizontalOverlap = Within(p.left, r.left, r.right) || Within(p.right, r.left, r.right);
    bool matched = false;
    if (verticalOverlap && std::abs(p.left - r.right) <= distance) {
      result.x = r.right;
      matched = true;
    }
    if (verticalOverlap && std::abs(p.right - r.left) <= distance) {
      result.x = r.left - width;
      matched = true;
    }
    if (horizontalOverlap && std::abs(p.bottom - r.top) <= distance) {
      result.y = r.top - height;
      matched = true;
    }
    if (horizontalOverlap && std::abs(p.top - r.bottom) <= distance) {
      result.y = r.bottom;
      matched = true;
    }
    if (matched) Dock(&result, hostMain);
  }
  return result;
}
