// Plain drawings of the host's windows: enough to see what each is and what the host is doing.
#include <cstdio>

#include "host/HostApp.h"

namespace host {
namespace {

std::string FormatTime(uint32_t ms) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%lu:%02lu", static_cast<unsigned long>(ms / 60000),
                static_cast<unsigned long>(ms / 1000 % 60));
  return buf;
}

}  // namespace

void HostApp::PaintMain(HDC dc, const RECT& rc) {
  HBRUSH bg = CreateSolidBrush(RGB(36, 36, 52));
  FillRect(dc, &rc, bg);
  DeleteObject(bg);
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ oldFont = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(dc, RGB(0, 230, 0));
  const char* state = clock_.State() == PlayState::Playing ? "PLAYING"
                      : clock_.State() == PlayState::Paused ? "PAUSED" : "STOPPED";
  char line[160];
  std::snprintf(line, sizeof line, "TRACKCASE HOST  %s", state);
  TextOutA(dc, 6, 4, line, lstrlenA(line));
  const PlaylistEntry* e = clock_.Entry(clock_.CurrentIndex());
  std::snprintf(line, sizeof line, "%d/%d  %s / %s", clock_.Count() ? clock_.CurrentIndex() + 1 : 0, clock_.Count(),
                FormatTime(clock_.Position()).c_str(), FormatTime(clock_.CurrentLength()).c_str());
  TextOutA(dc, 6, 24, line, lstrlenA(line));
  if (e) {
    const size_t slash = e->path.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? e->path : e->path.substr(slash + 1);
    TextOutA(dc, 6, 44, name.c_str(), static_cast<int>(name.size()));
  }
  std::snprintf(line, sizeof line, "skin: %s", skins_.CurrentName());
  SetTextColor(dc, RGB(200, 200, 120));
  TextOutA(dc, 6, 64, line, lstrlenA(line));
  std::snprintf(line, sizeof line, "plug-ins: %u  right-click: menu", static_cast<unsigned>(plugins_.Plugins().size()));
  TextOutA(dc, 6, 84, line, lstrlenA(line));
  SelectObject(dc, oldFont);
  // Progress bar along the bottom edge.
  const uint32_t length = clock_.CurrentLength();
  RECT bar = {rc.left, rc.bottom - 4, rc.right, rc.bottom};
  HBRUSH dark = CreateSolidBrush(RGB(20, 20, 28));
  FillRect(dc, &bar, dark);
  DeleteObject(dark);
  if (length) {
    bar.right = rc.left + static_cast<LONG>((static_cast<unsigned long long>(clock_.Position()) * (rc.right - rc.left)) / length);
    HBRUSH fill = CreateSolidBrush(RGB(0, 200, 0));
    FillRect(dc, &bar, fill);
    DeleteObject(fill);
  }
}

void HostApp::PaintRole(WindowRole role, HDC dc, const RECT& rc) {
  const SkinColors colors = skins_.CurrentColors();
  HBRUSH bg = CreateSolidBrush(role == WindowRole::Playlist ? colors.normalBg : RGB(28, 28, 40));
  FillRect(dc, &rc, bg);
  DeleteObject(bg);
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ oldFont = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(dc, RGB(220, 220, 220));
  const char* title = role == WindowRole::Equalizer ? "EQUALIZER"
                      : role == WindowRole::Playlist ? "PLAYLIST EDITOR"
                      : role == WindowRole::Frame ? "MODERN SKIN"
                      : role == WindowRole::PlaylistFrame ? "MODERN PLAYLIST" : "MINIBROWSER";
  TextOutA(dc, 6, 2, title, lstrlenA(title));
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  const int rowHeight = tm.tmHeight > 0 ? tm.tmHeight : 12;
  if (role == WindowRole::Equalizer) {
    // Ten sliders at rest, drawn only to show what the window is.
    HBRUSH knob = CreateSolidBrush(RGB(0, 180, 0));
    for (int i = 0; i < 10; ++i) {
      RECT r = {20 + i * 24, 60, 28 + i * 24, 66};
      FillRect(dc, &r, knob);
    }
    DeleteObject(knob);
  } else if (role == WindowRole::Playlist) {
    for (int i = 0; i < clock_.Count(); ++i) {
      const int y = 4 + rowHeight * (i + 1);
      if (y > rc.bottom) break;
      const PlaylistEntry* e = clock_.Entry(i);
      if (i == clock_.CurrentIndex()) {
        RECT sel = {rc.left, y, rc.right, y + rowHeight};
        HBRUSH sb = CreateSolidBrush(colors.selectedBg);
        FillRect(dc, &sel, sb);
        DeleteObject(sb);
      }
      SetTextColor(dc, i == clock_.CurrentIndex() ? colors.current : colors.normal);
      const size_t slash = e->path.find_last_of("\\/");
      std::string line = std::to_string(i + 1) + ". " + (slash == std::string::npos ? e->path : e->path.substr(slash + 1));
      TextOutA(dc, 6, y, line.c_str(), static_cast<int>(line.size()));
      const std::string len = FormatTime(e->lengthMs);
      SIZE sz;
      GetTextExtentPoint32A(dc, len.c_str(), static_cast<int>(len.size()), &sz);
      TextOutA(dc, rc.right - 6 - sz.cx, y, len.c_str(), static_cast<int>(len.size()));
    }
  } else {
    const char* label = mbPath_.empty() ? "(nothing opened)" : "last opened:";
    TextOutA(dc, 6, 4 + rowHeight, label, lstrlenA(label));
    RECT text = {6, 4 + 2 * rowHeight, rc.right - 6, rc.bottom - 4};
    DrawTextA(dc, mbPath_.c_str(), static_cast<int>(mbPath_.size()), &text, DT_WORDBREAK | DT_NOPREFIX);
  }
  SelectObject(dc, oldFont);
}

}  // namespace host
