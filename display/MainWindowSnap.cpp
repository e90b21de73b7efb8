// The main window's side of snapping: which host windows count, how near is near, and the docked
// state that docking reads when the host's main window or a skin frame moves.
#include <vector>

#include "display/HostDock.h"
#include "display/HostWindows.h"
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
  // Only windows the user sees: never the transparent or parked main window, nor a playlist
  // editor inside a skin frame. Under a modern skin the frames count like the classic windows.
  std::vector<HWND> candidates;
  for (HWND window : {hostWnd, eqWnd, peWnd, mbWnd})
    if (IsSeenTopLevel(window)) candidates.push_back(window);
  const size_t classicCount = candidates.size();
  for (HWND frame : ModernSkinFrames(hostWnd, {hostWnd, eqWnd, peWnd, mbWnd, hwnd})) candidates.push_back(frame);

  std::vector<RECT> targets(candidates.size());
  for (size_t i = 0; i < candidates.size(); ++i) GetWindowRect(candidates[i], &targets[i]);
  const RECT proposed{x, y, x + windowWidth, y + windowHeight};
  const SnapResult result = SnapRect(proposed, targets.data(), targets.size(), hostMain, distance);
  docked = result.docked ? 1 : 0;
  dockFrame = nullptr;
  if (result.docked) {
    dockOffsetX = result.offsetX;
    dockOffsetY = result.offsetY;
    const auto anchor = static_cast<size_t>(result.anchor);
    if (anchor >= classicCount && anchor < candidates.size()) {
      // Docked to a frame: it follows that frame, by the offset from the frame's corner.
      dockFrame = candidates[anchor];
      dockOffsetX = result.x - targets[anchor].left;
      dockOffsetY = result.y - targets[anchor].top;
      if (dock) dock->FollowFrames();
    }
  }
  return POINT{result.x, result.y};
}

bool MainWindow::IsDocked() {
  if (docked == -1) Snap(g_settings.x, g_settings.y);  // only for the state; the position stays
  return docked == 1;
}
