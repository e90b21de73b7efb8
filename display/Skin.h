// The playlist-editor skin the window is drawn from: three bitmaps (from the skin folder or the
// plug-in's own resources), the list colours from Pledit.txt, and the named source rectangles.
#pragma once
#include <windows.h>

#include <string>

class HostPlayer;

struct SkinPiece {
  int left, top, width, height;
};

// Pieces of Pledit.bmp.
namespace pledit {
constexpr SkinPiece kTitleLeft[2] = {{0, 21, 25, 20}, {0, 0, 25, 20}};  // [active]
constexpr SkinPiece kTitleCentre[2] = {{26, 21, 100, 20}, {26, 0, 100, 20}};
constexpr SkinPiece kTitleFiller[2] = {{127, 21, 25, 20}, {127, 0, 25, 20}};
constexpr SkinPiece kTitleRight[2] = {{153, 21, 25, 20}, {153, 0, 25, 20}};
constexpr SkinPiece kLeftSide = {0, 42, 25, 29};
constexpr SkinPiece kRightSide = {26, 42, 25, 29};
constexpr SkinPiece kBottomLeft = {0, 72, 125, 38};
constexpr SkinPiece kBottomFiller = {179, 0, 25, 38};
constexpr SkinPiece kBottomRight = {126, 72, 150, 38};
constexpr SkinPiece kScrollThumb[2] = {{52, 53, 8, 18}, {61, 53, 8, 18}};  // [pressed]
constexpr SkinPiece kCompactLeft = {72, 42, 25, 14};
constexpr SkinPiece kCompactFiller = {72, 57, 25, 14};
constexpr SkinPiece kCompactRight[2] = {{99, 57, 50, 14}, {99, 42, 50, 14}};  // [active]
}  // namespace pledit

// Glyphs of text.bmp, 5 x 6 pixels each.
namespace textfont {
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 6;
inline SkinPiece Letter(char capital) { return {5 * (capital - 'A'), 0, 5, 6}; }
inline SkinPiece Digit(int digit) { return {5 * digit, 6, 5, 6}; }
constexpr SkinPiece kColon = {60, 6, 5, 6};
constexpr SkinPiece kMinus = {75, 6, 5, 6};
}  // namespace textfont

// Pieces of Posbar.bmp.
namespace posbar {
constexpr SkinPiece kBar = {0, 0, 95, 10};
constexpr SkinPiece kThumb[2] = {{248, 0, 29, 10}, {278, 0, 29, 10}};  // [pressed]
}  // namespace posbar

struct ListColors {
  COLORREF normal;
  COLORREF current;
  COLORREF normalBg;
  COLORREF selectedBg;
};

// "#RRGGBB" to 0x00BBGGRR; first character skipped, non-hex characters add nothing.
COLORREF ParseColor(const std::string& text);
// Section "Text" of a Pledit.txt, with the defaults for a missing file or key.
ListColors LoadColors(const std::string& path);
// The colours of a skin without Pledit.txt.
ListColors DefaultListColors();

class Skin {
 public:
  Skin() = default;
  ~Skin();
  Skin(const Skin&) = delete;
  Skin& operator=(const Skin&) = delete;

  // Own skin folder first, then the host's skin (none without a host); reloads bitmaps when forced or when
  // the identity changed. Returns true when it reloaded; `colors` then holds the new list colours.
  bool Load(bool force, HostPlayer* host, HINSTANCE module, const std::string& pluginFolder, ListColors* colors);

  // Copies a piece unchanged from one of the bitmaps to (x, y) of `dc`; nothing without a source.
  static void DrawPiece(HDC dc, HDC sourceDc, const SkinPiece& piece, int x, int y);

  HBITMAP pleditBitmap = nullptr;
  HBITMAP textBitmap = nullptr;
  HBITMAP posbarBitmap = nullptr;
  std::string skinName;
  std::string skinFolder;
};
