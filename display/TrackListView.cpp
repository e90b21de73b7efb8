#include "display/TrackListView.h"

#include <algorithm>

#include "controller/TrackCommands.h"
#include "display/HitRegions.h"
#include "display/ListFonts.h"
#include "display/PopupMenu.h"
#include "display/MainWindow.h"
#include "plugin/HostInterface.h"
#include "plugin/HostPlayer.h"
#include "plugin/Module.h"
#include "settings/Settings.h"

namespace {

constexpr int kThumbHeight = 18;

}  // namespace

TrackListView::TrackListView(HWND hwnd, MainWindow* owner) : hwnd(hwnd), owner(owner) {}

TrackListView::~TrackListView() {
  if (listFont) DeleteObject(listFont);
  if (smallFont) DeleteObject(smallFont);
  if (menuResource_) DestroyMenu(menuResource_);
}

void TrackListView::CreateResources() {
  if (!listFont) {
    HostPlayer* host = owner ? owner->host : nullptr;
    listFont = CreateListFont(host ? host->GetListFontSize() : kHostDefaultFontSize, g_settings.font);
  }
  if (!smallFont) smallFont = CreateSmallFont();
  if (!menuResource_) {
    menuResource_ = LoadMenuA(g_pluginInstance, MAKEINTRESOURCEA(listmenu::kMenuResource));
    popupMenu = menuResource_ ? GetSubMenu(menuResource_, 0) : nullptr;
  }
}

void TrackListView::SetColors(const ListColors& colors) {
  normalColor = colors.normal;
  currentColor = colors.current;
  normalBgColor = colors.normalBg;
  selectedBgColor = colors.selectedBg;
}

void TrackListView::Clear() {
  titles.clear();
  lengths.clear();
  selected = -1;
  current = -1;
  topRow = 0;
  rowsAwaitPaint_ = false;
  // Recomputed here too, so that scrolling an emptied list cannot move it.
  UpdateLayout();
}

void TrackListView::Add(const std::string& title, uint32_t lengthMs) {
  titles.push_back(title);
  lengths.push_back(lengthMs / 1000);
  UpdateLayout();
  // The rows of a fill come one after another with no painting between them: the whole window,
  // marked for repainting by the first, stays marked for the rest. Asking again would cost a round
  // trip to the window system per row.
  if (!rowsAwaitPaint_) {
    rowsAwaitPaint_ = true;
    Repaint(false);
  }
}

void TrackListView::SetCurrent(int index) {
  if (index != -1 && !IsRow(index)) return;
  current = index;
  Repaint(false);
}

void TrackListView::SetSelection(int index) {
  if (index != -1 && !IsRow(index)) return;
  selected = index;
  Repaint(false);
}

void TrackListView::UpdateLayout() {
  windowWidth = geometry::WidthOf(g_settings.width);
  listHeight = geometry::ListHeightOf(g_settings.height);
  if (rowHeight < 1) rowHeight = 1;
  visibleRows = listHeight / rowHeight;
  maxTopRow = std::max(Count() - visibleRows, 0);
}

int TrackListView::RowAt(int y) const {
  // Truncation toward zero puts the 3-pixel band above the first row into that row.
  const int row = (y - kFirstRowTop) / rowHeight + topRow;
  return IsRow(row) ? row : -1;
}

void TrackListView::ScrollDown() {
  topRow = std::min(topRow + visibleRows / 2, maxTopRow);
  RepaintRegion(region::kList);
  RepaintRegion(region::kScrollBar);
}

void TrackListView::ScrollUp() {
  topRow = std::max(topRow - visibleRows / 2, 0);
  RepaintRegion(region::kList);
  RepaintRegion(region::kScrollBar);
}

void TrackListView::ThumbDrag(int y) {
  const int track = listHeight - kThumbHeight;
  if (maxTopRow <= 0 || track <= 0) return;
  y = std::min(y, track);
  topRow = (y < 0 ? 0 : y * maxTopRow) / track;
  RepaintRegion(region::kList);
  RepaintRegion(region::kScrollBar);
}

int TrackListView::ThumbOffset() const {
  const int track = listHeight - kThumbHeight;
  if (maxTopRow <= 0 || track <= 0) return 0;
  // A list scrolled further than it now needs (the window grew) keeps its thumb on the bar.
  return std::min(track * topRow / maxTopRow, track);
}

void TrackListView::SelectDown() {
  // Also covers an empty list and a selection left beyond the end.
  if (selected >= Count() - 1) return;
  const int lastVisible = topRow + visibleRows - 1;
  if (selected >= topRow && selected <= lastVisible) {
    ++selected;
    RepaintRegion(region::kList);
    if (selected > lastVisible) {
      topRow = selected - visibleRows + 1;
      RepaintRegion(region::kScrollBar);
    }
    return;
  }
  selected = topRow;
  RepaintRegion(region::kList);
}

void TrackListView::SelectUp() {
  if (Count() == 0) return;  // no row to select
  const int lastVisible = topRow + visibleRows - 1;
  if (selected == 0 || selected == -1) {
    selected = topRow;
  } else if (selected >= topRow && selected <= lastVisible) {
    --selected;
    if (selected < topRow) {
      topRow = selected;
      RepaintRegion(region::kScrollBar);
    }
  } else {
    selected = topRow;
  }
  RepaintRegion(region::kList);
}

void TrackListView::OnClick(int /*x*/, int y) { SetSelection(RowAt(y)); }

void TrackListView::OnDoubleClick(int /*x*/, int y) {
  const int row = RowAt(y);
  if (row >= 0 && owner && owner->commands) owner->commands->JumpTo(row, 0);
}

void TrackListView::OnContextMenu(int /*x*/, int y) {
  const int row = RowAt(y);
  if (row >= 0) SetSelection(row);
  if (!popupMenu) return;
  // Without a MiniBrowser the copy would be written for nothing to show.
  const bool browser = owner != nullptr && owner->mbWnd != nullptr;
  EnableMenuItem(popupMenu, listmenu::kOpenInMiniBrowser, MF_BYCOMMAND | (browser ? MF_ENABLED : MF_GRAYED));
  POINT opened{};
  GetCursorPos(&opened);
  const int command = TrackPopupMenuHere(popupMenu, opened, hwnd);
  ScreenToClient(hwnd, &opened);
  RunMenuCommand(command, row, opened);
}

void TrackListView::RunMenuCommand(int command, int row, POINT clientPoint) {
  TrackCommands* commands = owner ? owner->commands : nullptr;
  if (!commands) return;
  switch (command) {
    case listmenu::kPlay:
      OnDoubleClick(clientPoint.x, clientPoint.y);
      break;
    case listmenu::kOpenInMiniBrowser:
      if (row >= 0) commands->OpenInMiniBrowser(row);
      break;
    case listmenu::kExtractBesideArchive:
      if (row >= 0) commands->ExtractTrack(row, ExtractTarget::BesideArchive);
      break;
    case listmenu::kExtractToDesktop:
      if (row >= 0) commands->ExtractTrack(row, ExtractTarget::Desktop);
      break;
    default:  // dismissed, or an item without an action
      break;
  }
}

void TrackListView::Repaint(bool erase) {
  if (hwnd) InvalidateRect(hwnd, nullptr, erase ? TRUE : FALSE);
}

void TrackListView::RepaintRegion(int regionIndex) {
  if (owner) owner->InvalidateRegion(regionIndex);
}
