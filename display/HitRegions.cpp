#include "display/HitRegions.h"

#include "display/WindowGeometry.h"

const HitRegion kHitRegions[region::kCount] = {
    {-11, -3, 3, 12},     // close
    {-20, -12, 3, 14},    // compact
    {-15, -8, -32, -28},  // scroll down
    {-15, -8, -36, -32},  // scroll up
    {-145, -135, -16, -8},  // previous
    {-109, -99, -16, -8},   // next
    {-136, -126, -16, -8},  // play
    {-118, -108, -16, -8},  // stop
    {-127, -117, -16, -8},  // pause
    {-100, -90, -16, -8},   // no action
    {1, 0, 1, 0},           // move: empty, it is what remains
    {-19, -1, -19, -1},     // resize grip
    {-89, -53, -17, -8},    // time
    {12, -19, kListAreaTop, -39},  // list
    {-15, -7, kListAreaTop, -38},  // scroll bar
    {-kSeekBarLeft, -52, -30, -20},  // seek bar
    {5, -29, 5, -4},        // compact line
};

namespace {

int Resolve(int value, int extent) { return value < 0 ? value + extent : value; }

}  // namespace

RECT ResolveRegion(int regionIndex, int windowWidth, int windowHeight) {
  RECT rect{0, 0, 0, 0};
  if (regionIndex < 0 || regionIndex >= region::kCount) return rect;
  const HitRegion& r = kHitRegions[regionIndex];
  const int left = Resolve(r.left, windowWidth);
  const int right = Resolve(r.right, windowWidth);
  const int top = Resolve(r.top, windowHeight);
  const int bottom = Resolve(r.bottom, windowHeight);
  if (left > right || top > bottom) return rect;
  rect = {left, top, right + 1, bottom + 1};
  return rect;
}

int HitTestRegions(int x, int y, int windowWidth, int windowHeight) {
  // The search order settles the one-pixel overlaps between buttons: the lower number wins.
  for (int i = 0; i <= region::kSeekBar; ++i) {
    const HitRegion& r = kHitRegions[i];
    if (x >= Resolve(r.left, windowWidth) && x <= Resolve(r.right, windowWidth) &&
        y >= Resolve(r.top, windowHeight) && y <= Resolve(r.bottom, windowHeight)) {
      return i;
    }
  }
  return region::kMove;
}
