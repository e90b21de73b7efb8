#include "display/Snap.h"

#include <cstdlib>

namespace {

// Corner k of a rectangle: 0 left-top, 1 left-bottom, 2 right-top, 3 right-bottom.
POINT Corner(const RECT& r, int k) {
  return POINT{k < 2 ? r.left : r.right, (k & 1) ? r.bottom : r.top};
}

bool Within(LONG value, LONG low, LONG high) { return value >= low && value <= high; }

void Dock(SnapResult* result, const RECT& hostMain, size_t target) {
  result->docked = true;
  result->anchor = static_cast<int>(target);
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
          Dock(&result, hostMain, t);
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
    if (matched) Dock(&result, hostMain, t);
  }
  return result;
}

namespace {

bool OverlapsAlong(LONG low1, LONG high1, LONG low2, LONG high2) { return low1 < high2 && low2 < high1; }

// 1: `child` hangs below `parent`; 2: right of it; 0: neither.
int DockedSide(const RECT& parent, const RECT& child) {
  if (child.top == parent.bottom && OverlapsAlong(parent.left, parent.right, child.left, child.right)) return 1;
  if (child.left == parent.right && OverlapsAlong(parent.top, parent.bottom, child.top, child.bottom)) return 2;
  return 0;
}

}  // namespace

bool DockedResizeShift(const RECT& mainBefore, int dw, int dh, const RECT* others, size_t otherCount,
                       const RECT& own, POINT* shift) {
  // Windows reached so far, with their shifts; the last window is our own.
  struct Node {
    RECT rect;
    POINT shift;
    bool reached;
  };
  constexpr size_t kMaxWindows = 8;
  Node nodes[kMaxWindows + 1];
  const size_t count = (otherCount < kMaxWindows ? otherCount : kMaxWindows) + 1;
  for (size_t i = 0; i + 1 < count; ++i) nodes[i] = Node{others[i], POINT{0, 0}, false};
  nodes[count - 1] = Node{own, POINT{0, 0}, false};
  size_t order[kMaxWindows + 1];
  size_t queued = 0;
  for (size_t i = 0; i < count; ++i) {
    const int side = DockedSide(mainBefore, nodes[i].rect);
    if (side == 0) continue;
    nodes[i].reached = true;
    nodes[i].shift = side == 1 ? POINT{0, dh} : POINT{dw, 0};
    order[queued++] = i;
  }
  for (size_t next = 0; next < queued; ++next) {
    const Node& parent = nodes[order[next]];
    for (size_t i = 0; i < count; ++i) {
      if (nodes[i].reached || DockedSide(parent.rect, nodes[i].rect) == 0) continue;
      nodes[i].reached = true;
      nodes[i].shift = parent.shift;
      order[queued++] = i;
    }
  }
  if (!nodes[count - 1].reached) return false;
  *shift = nodes[count - 1].shift;
  return true;
}
