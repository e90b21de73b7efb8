// Drawing the list: the rows in normal mode, the current track's line in compact mode.

#include "display/GdiHolders.h"
#include "display/TrackListView.h"
#include "platform/CodePage.h"
#include "settings/Settings.h"

namespace {

// Fills and outlines a rectangle in one colour with a brush and pen made for this call only.
void FillOutlined(HDC dc, const RECT& rect, COLORREF color) {
  gdi::Brush brush(CreateSolidBrush(color));
  gdi::Pen pen(CreatePen(PS_SOLID, 1, color));
  gdi::Selection brushSelection(dc, brush.get());
  gdi::Selection penSelection(dc, pen.get());
  Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

}  // namespace

void TrackListView::Paint(HDC dc, HDC glyphDc) {
  rowsAwaitPaint_ = false;  // rows added from now on ask for a repaint again
  if (g_settings.compact) {
    PaintCompact(dc, glyphDc);
  } else {
    PaintNormal(dc);
  }
}

void TrackListView::PaintNormal(HDC dc) {
  FillOutlined(dc, RECT{kListLeft, kListAreaTop, windowWidth - kListRightInset, kListAreaTop + geometry::ListHeightOf(g_settings.height)}, normalBgColor);
  gdi::Selection fontSelection(dc, listFont);
  TEXTMETRICA metrics{};
  if (GetTextMetricsA(dc, &metrics) && metrics.tmHeight > 0 && metrics.tmHeight != rowHeight) {
    rowHeight = metrics.tmHeight;
    UpdateLayout();
  }
  SetBkMode(dc, OPAQUE);
  // A list scrolled beyond its new end (window grown, smaller font) still stops at its last row.
  for (int i = 0; i < visibleRows && topRow + i < Count(); ++i) {
    const RECT rect{kRowLeft, kFirstRowTop + i * rowHeight, windowWidth - kRowRightInset, kFirstRowTop + (i + 1) * rowHeight};
    PaintRow(dc, topRow + i, rect);
  }
}

void TrackListView::PaintRow(HDC dc, int row, RECT rect) {
  if (row == selected) {
    FillOutlined(dc, rect, selectedBgColor);
    SetBkColor(dc, selectedBgColor);
  } else {
    SetBkColor(dc, normalBgColor);
  }
  SetTextColor(dc, row == current ? currentColor : normalColor);
  const uint32_t length = lengths[row];
  if (length != 0) {
    char text[32];
    const int n = wsprintfA(text, "%u:%02u", static_cast<unsigned>(length / 60), static_cast<unsigned>(length % 60));
    SIZE extent{};
    GetTextExtentPoint32A(dc, text, n, &extent);
    DrawTextA(dc, text, n, &rect, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
    rect.right -= extent.cx;
  }
  const std::string& title = titles[row];
  DrawTextA(dc, title.c_str(), static_cast<int>(title.size()), &rect,
            DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void TrackListView::PaintCompact(HDC dc, HDC glyphDc) {
  if (Count() == 0 || lengths.empty() || !IsRow(current)) return;
  gdi::Selection fontSelection(dc, smallFont);
  SetTextColor(dc, currentColor);
  SetBkColor(dc, normalBgColor);
  SetBkMode(dc, TRANSPARENT);

  const int right = windowWidth - kCompactTitleRightInset;
  const int top = kCompactGlyphTop;
  const uint32_t length = lengths[current];
  // Only ten digit glyphs exist, so a track of 100 minutes or more shows its minutes modulo 100.
  if (length / 600 != 0) Skin::DrawPiece(dc, glyphDc, textfont::Digit((length / 600) % 10), windowWidth - kCompactTensLeft, top);
  Skin::DrawPiece(dc, glyphDc, textfont::Digit((length / 60) % 10), windowWidth - kCompactMinutesLeft, top);
  Skin::DrawPiece(dc, glyphDc, textfont::kColon, windowWidth - kCompactColonLeft, top);
  Skin::DrawPiece(dc, glyphDc, textfont::Digit((length % 60) / 10), windowWidth - kCompactSecondsLeft[0], top);
  Skin::DrawPiece(dc, glyphDc, textfont::Digit((length % 60) % 10), windowWidth - kCompactSecondsLeft[1], top);

  const std::string& title = titles[current];
  int x = kCompactTitleLeft;
  for (size_t i = 0; i < title.size() && x <= right; ++i) {
    const unsigned char byte = static_cast<unsigned char>(title[i]);
    if (byte >= 'A' && byte <= 'Z') {
      Skin::DrawPiece(dc, glyphDc, textfont::Letter(static_cast<char>(byte)), x, top);
      x += textfont::kGlyphWidth;
    } else if (byte >= 'a' && byte <= 'z') {
      Skin::DrawPiece(dc, glyphDc, textfont::Letter(static_cast<char>(byte - 'a' + 'A')), x, top);
      x += textfont::kGlyphWidth;
    } else if (byte >= '0' && byte <= '9') {
      Skin::DrawPiece(dc, glyphDc, textfont::Digit(byte - '0'), x, top);
      x += textfont::kGlyphWidth;
    } else {
      size_t pieceLength = 1;
      if (codepage::IsLeadByte(byte) && i + 1 < title.size()) pieceLength = 2;
      RECT rect{x, kCompactTextTop, right, kCompactTextBottom};
      DrawTextA(dc, title.data() + i, static_cast<int>(pieceLength), &rect,
                DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
      SIZE extent{};
      GetTextExtentPoint32A(dc, title.data() + i, static_cast<int>(pieceLength), &extent);
      x += extent.cx;
      i += pieceLength - 1;
    }
  }
}
