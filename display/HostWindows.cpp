#include "display/HostWindows.h"

#include <algorithm>

namespace {

// The player parks its hidden main window at y = -30000; Windows a minimised one at -32000.
constexpr int kParkedTop = -30000;

struct FrameSearch {
  const std::vector<HWND>* known;
  std::vector<HWND> frames;
};

BOOL CALLBACK AddFrame(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<FrameSearch*>(data);
  const std::vector<HWND>& known = *search->known;
  if (std::find(known.begin(), known.end(), window) == known.end() && IsSeenTopLevel(window))
    search->frames.push_back(window);
  return TRUE;
}

}  // namespace

bool IsTransparent(HWND window) {
  if ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED) == 0) return false;
  BYTE alpha = 255;
  DWORD flags = 0;
  return GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) && alpha == 0;
}

bool IsSeenTopLevel(HWND window) {
  if (window == nullptr || !IsWindowVisible(window) || IsIconic(window)) return false;
  if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) return false;
  RECT rect;
  if (!GetWindowRect(window, &rect) || MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) == nullptr) return false;
  return !IsTransparent(window);
}

bool IsMainWindowSeen(HWND hostWnd, int top) {
  return top > kParkedTop && hostWnd != nullptr && !IsIconic(hostWnd) && !IsTransparent(hostWnd);
}

std::vector<HWND> ModernSkinFrames(HWND hostWnd, const std::vector<HWND>& known) {
  FrameSearch search{&known, {}};
  if (hostWnd == nullptr || !IsTransparent(hostWnd)) return search.frames;
  const DWORD thread = GetWindowThreadProcessId(hostWnd, nullptr);
  if (thread != 0) EnumThreadWindows(thread, &AddFrame, reinterpret_cast<LPARAM>(&search));
  return search.frames;
}
