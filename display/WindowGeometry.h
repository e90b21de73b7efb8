// The window's geometry in pixels, for the window, its painter, its hit regions and their tests.
// Sizes are counted in units: the frame's filler pieces are 25 pixels wide and its side pieces 29
// pixels high.
#pragma once

namespace geometry {

constexpr int kBaseWidth = 150;  // the fixed pieces: bottom-left 125 plus the title's right end
constexpr int kUnitWidth = 25;
constexpr int kBaseHeight = 58;  // title bar 20 plus bottom bar 38
constexpr int kUnitHeight = 29;

constexpr int WidthOf(int widthUnits) { return kBaseWidth + kUnitWidth * widthUnits; }
constexpr int HeightOf(int heightUnits) { return kBaseHeight + kUnitHeight * heightUnits; }
// The list's height: the side pieces between title bar and bottom bar.
constexpr int ListHeightOf(int heightUnits) { return kUnitHeight * heightUnits; }

// Destination offsets of the frame pieces.
constexpr int kTitleHeight = 20;        // the side pieces, the list and the scroll thumb start here
constexpr int kSidePieceWidth = 25;     // the left and right side pieces, and the title's ends
constexpr int kBottomBarHeight = 38;    // measured from the window's bottom edge
constexpr int kBottomLeftWidth = 125;   // the bottom fillers start here
constexpr int kBottomRightWidth = 150;  // measured from the window's right edge
constexpr int kScrollThumbLeft = 15;    // measured from the window's right edge

}  // namespace geometry

// The list area and the scroll bar start at this window y; the first row 3 pixels lower.
constexpr int kListAreaTop = geometry::kTitleHeight;
constexpr int kFirstRowTop = kListAreaTop + 3;
// The folded window is a strip this high.
constexpr int kCompactHeight = 14;
// The seek bar starts this far left of the right edge; its thumb has positions 0 to 65, a span the
// host's own seek bar has too.
constexpr int kSeekBarLeft = 147;
constexpr int kSeekPositions = 65;
// The seek bar's top, measured from the window's bottom edge.
constexpr int kSeekBarTop = 30;

// The track time in the bottom bar: its glyphs' top, measured from the window's bottom edge, and
// each glyph's left, measured from the window's right edge (minus sign, two minute digits, two
// second digits).
constexpr int kTimeTop = 15;
constexpr int kTimeMinusLeft = 82;
constexpr int kTimeDigitLeft[4] = {77, 72, 64, 59};

// The list's background, and every row's right end, measured from the window's right edge; the
// background starts at kListLeft and the rows one pixel further in.
constexpr int kListLeft = 12;
constexpr int kRowLeft = 13;
constexpr int kListRightInset = 19;
constexpr int kRowRightInset = 20;

// The folded strip: its glyphs' top, the current track's title from kCompactTitleLeft up to
// kCompactTitleRightInset from the right edge, then the track length's glyphs, each placed at its
// distance from the right edge (hundreds and tens of minutes, minutes, colon, two second digits).
// Text that is no glyph is drawn between the rows 1 and 12.
constexpr int kCompactGlyphTop = 4;
constexpr int kCompactTextTop = 1;
constexpr int kCompactTextBottom = 12;
constexpr int kCompactTitleLeft = 5;
constexpr int kCompactTitleRightInset = 60;
constexpr int kCompactTensLeft = 55;
constexpr int kCompactMinutesLeft = 50;
constexpr int kCompactColonLeft = 46;
constexpr int kCompactSecondsLeft[2] = {42, 37};
