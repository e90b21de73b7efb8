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
