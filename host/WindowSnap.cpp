#include "host/WindowSnap.h"

#include <cstdlib>

namespace host {
namespace {

// Moves `pos` by the smallest correction that brings one of its two edges onto a target.
void SnapAxis(int& lo, int& hi, const int targets[], int count, int distance) {
  int best = distance + 1;
  int shift = 0;
  for (int i = 0; i < count; ++i) {
    for (int edge : {lo, hi}) {
      const int d = targets[i] - edge;
      if (std::abs(d) < best) {
        best = std::abs(d);
        shift = d;
      }
    }
  }
  if (best <= distance) {
    lo += shift;
    hi += shift;
  }
}

bool Overlap(int aLo, int aHi, int bLo, int bHi) { return aLo <= bHi && bLo <= aHi; }

// Windows that only touch at a corner are not docked.
bool StrictOverlap(int aLo, int aHi, int bLo, int bHi) { return aLo < bHi && bLo < aHi; }

}  // namespace

Box SnapBox(const Box& moving, const std::vector<Box>& others, int distance) {
  Box b = moving;
  if (distance <= 0) return b;
  std::vector<int> xs, ys;
  for (const Box& o : others) {
    // Only edges the window could actually touch: the other box must be beside it on the other
    // axis (within the snapping distance).
    if (Overlap(b.top - distance, b.bottom + distance, o.top, o.bottom)) {
      xs.push_back(o.left);
      xs.push_back(o.right);
    }
    if (Overlap(b.left - distance, b.right + distance, o.left, o.right)) {
      ys.push_back(o.top);
      ys.push_back(o.bottom);
    }
  }
  SnapAxis(b.left, b.right, xs.data(), static_cast<int>(xs.size()), distance);
  SnapAxis(b.top, b.bottom, ys.data(), static_cast<int>(ys.size()), distance);
  return b;
}

std::vector<Shift> DockedShifts(const Box& main, int dw, int dh, const std::vector<Box>& windows) {
  std::vector<Shift> shifts(windows.size(), Shift{0, 0});
  std::vector<bool> moved(windows.size(), false);
  // Breadth first from the main window; each moved window passes its own shift on.
  struct Mover {
    Box box;
    Shift below, right;
  };
  std::vector<Mover> queue = {{main, {0, dh}, {dw, 0}}};
  for (size_t q = 0; q < queue.size(); ++q) {
    const Mover m = queue[q];
    for (size_t i = 0; i < windows.size(); ++i) {
      if (moved[i]) continue;
      const Box& w = windows[i];
      const bool below = w.top == m.box.bottom && StrictOverlap(w.left, w.right, m.box.left, m.box.right);
      const bool right = w.left == m.box.right && StrictOverlap(w.top, w.bottom, m.box.top, m.box.bottom);
      if (!below && !right) continue;
      // Settled by the first window it is docked to (the main window first); one that stays
      // keeps those docked to it in place too.
      moved[i] = true;
      shifts[i] = below ? m.below : m.right;
      if (shifts[i].dx != 0 || shifts[i].dy != 0) queue.push_back({w, shifts[i], shifts[i]});
    }
  }
  return shifts;
}

}  // namespace host
