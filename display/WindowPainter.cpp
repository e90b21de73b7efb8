// The main window's painting: the whole window is composed off screen from the skin pieces, the
// list draws its rows into it, then the time glyphs and the seek bar; one transfer puts it on
// screen, so the window never flickers and needs no background brush.
#include <algorithm>

#include "display/GdiHolders.h"
#include "display/MainWindow.h"
#include "settings/Settings.h"

void MainWindow::OnPaint() {
  gdi::PaintScope paint(hwnd);
  if (!paint.dc()) return;
  const int height = g_settings.compact ? kCompactHeight : windowHeight;
  gdi::Bitmap buffer(CreateCompatibleBitmap(paint.dc(), windowWidth, height));
  gdi::MemoryDc memory(paint.dc());
  if (!buffer || !memory) return;
  gdi::Selection bufferSelection(memory.get(), buffer.get());
  // Only the invalid part reaches the screen, so only it is composed: a new time redraws the
  // time and seek-bar regions, not the list.
  const RECT& area = paint.area();
  IntersectClipRect(memory.get(), area.left, area.top, area.right, area.bottom);
  Render(memory.get());
  BitBlt(paint.dc(), 0, 0, windowWidth, windowHeight, memory.get(), 0, 0, SRCCOPY);
}

void MainWindow::Render(HDC dc) {
  gdi::BitmapSource pledit(dc, skin.pleditBitmap);
  gdi::BitmapSource text(dc, skin.textBitmap);
  gdi::BitmapSource posbar(dc, skin.posbarBitmap);
  if (pledit.get()) {
    if (g_settings.compact) {
      PaintCompactFrame(dc, pledit.get());
    } else {
      PaintFrame(dc, pledit.get());
    }
  }
  // The rows cost the most to draw; a paint whose clipping leaves no part of the list area (a new
  // time: regions 12 and 15) skips them.
  const RECT listArea{0, 0, windowWidth, g_settings.compact ? kCompactHeight : windowHeight - geometry::kBottomBarHeight};
  RECT clip{};
  RECT overlap{};
  const int clipKind = GetClipBox(dc, &clip);
  const bool listShown = clipKind == ERROR || (clipKind != NULLREGION && IntersectRect(&overlap, &clip, &listArea));
  if (listView && listShown) listView->Paint(dc, text.get());
  PaintTime(dc, text.get(), posbar.get());
}

void MainWindow::PaintFrame(HDC dc, HDC pleditDc) {
  using namespace pledit;
  using namespace geometry;
  const int units = g_settings.width;
  const int heightUnits = g_settings.height;
  const int centre = (windowWidth - kTitleCentre[0].width) / 2;
  const int a = active ? 1 : 0;

  Skin::DrawPiece(dc, pleditDc, kTitleLeft[a], 0, 0);
  Skin::DrawPiece(dc, pleditDc, kTitleFiller[a], kSidePieceWidth, 0);
  for (int k = 1; k <= units / 2; ++k) Skin::DrawPiece(dc, pleditDc, kTitleFiller[a], centre - kUnitWidth * k, 0);
  Skin::DrawPiece(dc, pleditDc, kTitleCentre[a], centre, 0);
  Skin::DrawPiece(dc, pleditDc, kTitleFiller[a], centre + kTitleCentre[0].width, 0);
  for (int k = 1; k <= units / 2; ++k) {
    Skin::DrawPiece(dc, pleditDc, kTitleFiller[a], windowWidth - kSidePieceWidth - kUnitWidth * k, 0);
  }
  Skin::DrawPiece(dc, pleditDc, kTitleRight[a], windowWidth - kSidePieceWidth, 0);

  for (int j = 0; j < heightUnits; ++j) {
    Skin::DrawPiece(dc, pleditDc, kLeftSide, 0, kTitleHeight + kUnitHeight * j);
    Skin::DrawPiece(dc, pleditDc, kRightSide, windowWidth - kSidePieceWidth, kTitleHeight + kUnitHeight * j);
  }

  const int bottom = windowHeight - kBottomBarHeight;
  Skin::DrawPiece(dc, pleditDc, kBottomLeft, 0, bottom);
  const int fillers = (windowWidth - kBottomLeftWidth - kBottomRightWidth) / kUnitWidth;
  for (int k = 0; k < fillers; ++k) {
    Skin::DrawPiece(dc, pleditDc, kBottomFiller, kBottomLeftWidth + kUnitWidth * k, bottom);
  }
  Skin::DrawPiece(dc, pleditDc, kBottomRight, windowWidth - kBottomRightWidth, bottom);

  const int thumbOffset = listView ? listView->ThumbOffset() : 0;
  Skin::DrawPiece(dc, pleditDc, kScrollThumb[thumbDragging ? 1 : 0], windowWidth - kScrollThumbLeft,
                  kTitleHeight + thumbOffset);
}

void MainWindow::PaintCompactFrame(HDC dc, HDC pleditDc) {
  using namespace pledit;
  using namespace geometry;
  Skin::DrawPiece(dc, pleditDc, kCompactLeft, 0, 0);
  Skin::DrawPiece(dc, pleditDc, kCompactFiller, kSidePieceWidth, 0);
  for (int k = 1; k <= g_settings.width + 3; ++k) Skin::DrawPiece(dc, pleditDc, kCompactFiller, kUnitWidth * k, 0);
  Skin::DrawPiece(dc, pleditDc, kCompactRight[active ? 1 : 0], windowWidth - kCompactRight[0].width, 0);
}

void MainWindow::PaintTime(HDC dc, HDC textDc, HDC posbarDc) {
  // Any negative value means "no time"; seconds go to 60 at most.
  if (timeMinutes < 0 || timeSeconds < 0 || timeSeconds > 60) return;
  if (g_settings.compact || trackLength == 0) return;
  const int y = windowHeight - kTimeTop;
  if (!g_settings.CountUp) Skin::DrawPiece(dc, textDc, textfont::kMinus, windowWidth - kTimeMinusLeft, y);
  // Only ten digit glyphs exist: from 100 minutes on the minutes show modulo 100.
  const int digits[4] = {(timeMinutes / 10) % 10, timeMinutes % 10, timeSeconds / 10, timeSeconds % 10};
  for (int i = 0; i < 4; ++i) {
    Skin::DrawPiece(dc, textDc, textfont::Digit(digits[i]), windowWidth - kTimeDigitLeft[i], y);
  }

  if (!g_settings.timebar) return;
  const int barX = windowWidth - kSeekBarLeft;
  const int barY = windowHeight - kSeekBarTop;
  Skin::DrawPiece(dc, posbarDc, posbar::kBar, barX, barY);
  int64_t p = seekPos;
  if (!seeking) {
    // Widened and kept on the bar: a time beyond the track's length or a track of many hours
    // must not throw the thumb off the bar.
    const int64_t s = 60 * int64_t{timeMinutes} + timeSeconds;
    const int64_t length = trackLength;
    const int64_t scaled = s * kSeekPositions * 1000;  // seconds against a length in ms
    p = g_settings.CountUp ? scaled / length : (length * kSeekPositions - scaled) / length;
  }
  p = std::min<int64_t>(std::max<int64_t>(p, 0), kSeekPositions);
  Skin::DrawPiece(dc, posbarDc, posbar::kThumb[seeking ? 1 : 0], barX + static_cast<int>(p), barY);
}
