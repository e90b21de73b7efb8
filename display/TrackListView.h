// The track list inside the main window: one row per track with its title and length, the playing
// row in the skin's "Current" colour and the selected row on the selection background. It has no
// window of its own; it paints into the main window's off-screen image and repaints through it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "display/Skin.h"
#include "display/WindowGeometry.h"
#include "resources/ResourceIds.h"

class MainWindow;

namespace listmenu {
// Commands of the list's popup menu (menu resource 102, first popup).
constexpr int kMenuResource = IDR_POPUP_MENUS;
constexpr int kPlay = ID_LIST_PLAY;
constexpr int kFileInfo = ID_LIST_FILE_INFO;
constexpr int kOpenInMiniBrowser = ID_LIST_MINIBROWSER;
constexpr int kExtractBesideArchive = ID_EXTRACT_BESIDE_ARCHIVE;
constexpr int kExtractChosenFolder = ID_EXTRACT_CHOSEN_FOLDER;
constexpr int kExtractToDesktop = ID_EXTRACT_TO_DESKTOP;
}  // namespace listmenu

class TrackListView {
 public:
  // Both may be null (a list without a window, as in tests of its bookkeeping).
  TrackListView(HWND hwnd, MainWindow* owner);
  ~TrackListView();
  TrackListView(const TrackListView&) = delete;
  TrackListView& operator=(const TrackListView&) = delete;

  // The two fonts and the popup menu; made once, at the main window's creation.
  void CreateResources();
  void SetColors(const ListColors& colors);

  void Clear();
  void Add(const std::string& title, uint32_t lengthMs);
  void SetCurrent(int index);
  void SetSelection(int index);
  void UpdateLayout();
  int RowAt(int y) const;
  int Count() const { return static_cast<int>(titles.size()); }
  bool IsRow(int index) const { return index >= 0 && index < Count(); }

  // Normal mode draws the rows; compact mode the current track's line, with the glyphs of the
  // bitmap font selected into `glyphDc` (may be null: then only the text pieces are drawn).
  void Paint(HDC dc, HDC glyphDc);

  void ScrollDown();
  void ScrollUp();
  void ThumbDrag(int y);
  int ThumbOffset() const;
  void SelectDown();
  void SelectUp();

  void OnClick(int x, int y);
  void OnDoubleClick(int x, int y);
  void OnContextMenu(int x, int y);
  // What a command chosen from the popup menu does; `row` is the row the menu was opened on (or
  // -1), `clientPoint` the point it was opened at.
  void RunMenuCommand(int command, int row, POINT clientPoint);

  HWND hwnd;
  MainWindow* owner;
  HFONT listFont = nullptr;
  HFONT smallFont = nullptr;
  HMENU popupMenu = nullptr;
  int windowWidth = 0;
  int listHeight = 0;
  int rowHeight = 10;
  int visibleRows = 0;
  COLORREF normalColor = RGB(0, 255, 0);
  COLORREF currentColor = RGB(255, 255, 255);
  COLORREF normalBgColor = RGB(0, 0, 0);
  COLORREF selectedBgColor = RGB(0, 0, 255);
  int selected = 0;  // the first archive shown starts with its first row selected
  int current = 0;
  int topRow = 0;
  int maxTopRow = 0;
  std::vector<std::string> titles;
  std::vector<uint32_t> lengths;  // whole seconds

 private:
  void PaintNormal(HDC dc);
  void PaintCompact(HDC dc, HDC glyphDc);
  void PaintRow(HDC dc, int row, RECT rect);
  void Repaint(bool erase);
  void RepaintRegion(int regionIndex);

  HMENU menuResource_ = nullptr;  // owns popupMenu
  bool rowsAwaitPaint_ = false;   // an added row's repaint is pending (see Add)
};
