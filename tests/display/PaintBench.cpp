// How long the window's paints take under Wine: a full paint of a window showing ten rows, and the
// repaint a new time causes (the time and seek-bar regions only). Prints one line per figure.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "WindowTestSupport.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"

using namespace testing_display;

namespace {

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  return 1e6 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Step>
void Measure(const char* name, int rounds, Step step) {
  for (int i = 0; i < 20; ++i) step(i);  // warm-up
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    LARGE_INTEGER from, to;
    QueryPerformanceCounter(&from);
    step(i);
    QueryPerformanceCounter(&to);
    times.push_back(Microseconds(from, to));
  }
  std::sort(times.begin(), times.end());
  double sum = 0;
  for (double t : times) sum += t;
  std::printf("%-34s rounds %d  median %8.1f us  mean %8.1f us  p90 %8.1f us\n", name, rounds,
              times[times.size() / 2], sum / times.size(), times[times.size() * 9 / 10]);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
  ResetEnvironment();
  pluginFolder = ScratchPath("no-own-skin\\");  // the built-in bitmaps, as on a fresh install
  WindowUnderTest w;
  MainWindow& win = w.window;
  const char* titles[] = {"01. 春の小川", "02. さくらさくら", "03. Moonlight Serenade", "04. 交響曲第9番 第4楽章",
                          "05. ふるさと", "06. 浜辺の歌", "07. 荒城の月", "08. Take Five", "09. 早春賦",
                          "10. 花"};
  for (int i = 0; i < 10; ++i) win.AddTrack(titles[i], 180000 + 1000u * i);
  win.SetCurrentTrack(2, 182000);
  win.SetTime(1, 23);
  ShowWindow(win.hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(win.hwnd);
  // Tall enough for the ten rows in the list font.
  const int heightUnits = (10 * win.listView->rowHeight + 28) / 29;
  win.SetSize(5, heightUnits);
  SetWindowPos(win.hwnd, nullptr, 0, 0, win.windowWidth, win.windowHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateWindow(win.hwnd);
  std::printf("window %d x %d, row height %d, visible rows %d\n", win.windowWidth, win.windowHeight,
              win.listView->rowHeight, win.listView->visibleRows);

  Measure("full paint (WM_PAINT, whole window)", rounds, [&](int) {
    InvalidateRect(win.hwnd, nullptr, FALSE);
    UpdateWindow(win.hwnd);
  });
  Measure("time change (regions 12 and 15)", rounds, [&](int i) {
    win.SetTime(i / 60 % 100, i % 60);
    UpdateWindow(win.hwnd);
  });
  HDC screen = GetDC(nullptr);
  HBITMAP target = CreateCompatibleBitmap(screen, win.windowWidth, win.windowHeight);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(dc, target);
  Measure("composition only (Render)", rounds, [&](int) { win.Render(dc); });
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(target);
  ReleaseDC(nullptr, screen);
  return 0;
}
