#include "settings/ScreenPlacement.h"

#include "settings/Settings.h"

void PlaceSavedPosition(int32_t& x, int32_t& y, const ScreenRect& desktop, const std::vector<ScreenRect>& monitors) {
  for (const ScreenRect& monitor : monitors)
    if (x >= monitor.left && x < monitor.right && y >= monitor.top && y < monitor.bottom) return;
  if (x < 0) x = 0;
  if (x > desktop.right) x = settings_defaults::kX;
  if (y < 0) y = 0;
  if (y > desktop.bottom) y = settings_defaults::kY;
}
