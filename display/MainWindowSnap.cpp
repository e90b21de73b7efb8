// The main window's side of snapping: which host windows count, how near is near, and the docked
// state that docking reads when the host's main window moves.
#include "display/MainWindow.h"
#include "display/Snap.h"
#include "plugin/HostInterface.h"
#include "plugin/HostPlayer.h"
#include "settings/Settings.h"

POINT MainWindow::Snap(int x, int y) {
  const int snap = host ? host->GetSnap() : kHostDefaultSnap;
  const int snapLength = host ? host->GetSnapLength() : kHostDefaultSnapLength;
  const int distance = snap == 1 ? snapLength : 0;

  RECT hostMain{};
  if (hostWnd) GetWindowRect(hostWnd, &hostMain);
  RECT targets[4];
  size_t count = 0;
  for (HWND candidate : {hostWnd, eqWnd, peWnd, mbWnd}) {
    // A window that is missing or hidden is never visible, so it is never snapped to.
    if (candidate && IsWindowVisible(candidate) && GetWindowRect(candidate, &targets[count])) ++count;
  }
  const RECT proposed{x, y, x + windowWidth, y + windowHeight};
  const SnapResult result = SnapRect(proposed, targets, count, hostMain, distance);
  docked = result.docked ? 1 : 0;
  if (result.docked) {
    dockOffsetX = result.offsetX;
    dockOffsetY = result.offsetY;
  }
  return POINT{result.x, result.y};
}

bool MainWindow::IsDocked() {
  if (docked == -1) Snap(g_settings.x, g_settings.y);  // only for the state; the position stays
  return docked == 1;
}
