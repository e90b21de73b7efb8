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

}  // namespace host
