// The window's image, checked pixel by pixel: frame pieces, time glyphs, seek bar, list colours,
// row texts and the compact line, drawn from a test skin whose every pixel names its source.
#include <gtest/gtest.h>

#include <vector>

#include <algorithm>
#include <cstdlib>

#include "WindowTestSupport.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"

using namespace testing_display;

namespace {

class WindowPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetEnvironment();
    window = std::make_unique<WindowUnderTest>();
  }
  MainWindow& win() { return window->window; }
  TrackListView& list() { return *window->window.listView; }
  int W() { return win().windowWidth; }
  int H() { return win().windowHeight; }

  void Resize(int widthUnits, int heightUnits) {
    win().SetSize(widthUnits, heightUnits);
    if (g_settings.compact) win().windowHeight = kCompactHeight;
  }
  Capture Shoot() {
    // The first paint learns the font's row height; the second is the one looked at.
    Capture(win(), W(), g_settings.compact ? kCompactHeight : H());
    return Capture(win(), W(), g_settings.compact ? kCompactHeight : H());
  }
  BitmapPixels Pledit() { return BitmapPixels(win().skin.pleditBitmap); }
  BitmapPixels Text() { return BitmapPixels(win().skin.textBitmap); }
  BitmapPixels Posbar() { return BitmapPixels(win().skin.posbarBitmap); }

  RECT RowRect(int visibleIndex) {
    const int h = list().rowHeight;
    return RECT{13, 23 + visibleIndex * h, W() - 20, 23 + (visibleIndex + 1) * h};
  }
  // Pixels of a rectangle of the capture that have exactly this colour.
  static int CountColour(const Capture& c, const RECT& r, COLORREF colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += c.At(x, y) == colour;
    return n;
  }
  // Columns of a rectangle holding anything other than the background colour.
  static int InkColumns(const Capture& c, const RECT& r, COLORREF background, int* leftmost, int* rightmost) {
    int n = 0;
    *leftmost = r.right;
    *rightmost = r.left - 1;
    for (int x = r.left; x < r.right; ++x) {
      bool ink = false;
      for (int y = r.top; y < r.bottom; ++y) ink = ink || c.At(x, y) != background;
      if (ink) {
        ++n;
        *leftmost = std::min(*leftmost, x);
        *rightmost = std::max(*rightmost, x);
      }
    }
    return n;
  }
  int SmallTextWidth(const std::string& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, list().smallFont);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return size.cx;
  }
  int ListTextWidth(const std::string& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, list().listFont);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return size.cx;
  }

  std::unique_ptr<WindowUnderTest> window;
};

// Where the pieces of the normal frame lie at one size, worked out by hand.
struct FramePlaces {
  int units, heightUnits;
  int centre;                    // the title's centre piece
  std::vector<int> titleFillers;  // every title filler left whole by the ones drawn after it
  int bottomRight;
  std::vector<int> bottomFillers;
};

void ExpectNormalFrame(const Capture& c, const BitmapPixels& pledit, const FramePlaces& at, bool active) {
  using namespace pledit;
  const int a = active ? 1 : 0;
  const int w = c.width(), h = c.height();
  EXPECT_EQ(PieceMismatches(c, 0, 0, pledit, kTitleLeft[a]), 0);
  EXPECT_EQ(PieceMismatches(c, at.centre, 0, pledit, kTitleCentre[a]), 0);
  EXPECT_EQ(PieceMismatches(c, w - 25, 0, pledit, kTitleRight[a]), 0);
  for (int x : at.titleFillers) EXPECT_EQ(PieceMismatches(c, x, 0, pledit, kTitleFiller[a]), 0) << "filler at " << x;
  // Every title pixel between the corners and the centre comes from a filler.
  for (int x = 25; x < w - 25; ++x) {
    if (x >= at.centre && x < at.centre + 100) continue;
    const COLORREF p = c.At(x, 5);
    EXPECT_TRUE(GetRValue(p) >= 127 && GetRValue(p) < 152 && GetGValue(p) == kTitleFiller[a].top + 5) << "x " << x;
  }
  for (int j = 0; j < at.heightUnits; ++j) {
    // The list background covers the sides' inner columns, the thumb part of the right side.
    EXPECT_EQ(PieceMismatches(c, 0, 20 + 29 * j, pledit, kLeftSide, 0, 12), 0) << "unit " << j;
    EXPECT_EQ(PieceMismatches(c, w - 25, 20 + 29 * j, pledit, kRightSide, 18, 25), 0) << "unit " << j;
  }
  EXPECT_EQ(PieceMismatches(c, 0, h - 38, pledit, kBottomLeft), 0);
  EXPECT_EQ(PieceMismatches(c, at.bottomRight, h - 38, pledit, kBottomRight), 0);
  for (int x : at.bottomFillers) EXPECT_EQ(PieceMismatches(c, x, h - 38, pledit, kBottomFiller), 0) << "filler at " << x;
}

TEST_F(WindowPaintTest, NormalFrameAtFiveUnits) {
  win().active = true;
  const Capture c = Shoot();
  // 275 pixels: the centre at (275 - 100) / 2; the fillers at 25 and 187 are partly covered by
  // those at 37 and 200; no room for a bottom filler.
  ExpectNormalFrame(c, Pledit(), {5, 3, 87, {62, 37, 225, 200}, 125, {}}, true);
  EXPECT_EQ(PieceMismatches(c, W() - 15, 20, Pledit(), pledit::kScrollThumb[0]), 0);
}

TEST_F(WindowPaintTest, NormalFrameAtEightUnitsInactive) {
  Resize(8, 5);
  win().active = false;
  // 350 pixels: four fillers on each side of the centre, three bottom fillers.
  ExpectNormalFrame(Shoot(), Pledit(), {8, 5, 125, {25, 100, 75, 50, 225, 300, 275, 250}, 200, {125, 150, 175}}, false);
}

TEST_F(WindowPaintTest, ScrollThumbSitsAtItsOffsetAndIsPressedWhileDragged) {
  for (int i = 0; i < 30; ++i) win().AddTrack("row", 1000);
  Shoot();
  list().ScrollDown();
  const int offset = list().ThumbOffset();
  ASSERT_GT(offset, 0);
  win().thumbDragging = true;
  const Capture c = Shoot();
  EXPECT_EQ(PieceMismatches(c, W() - 15, 20 + offset, Pledit(), pledit::kScrollThumb[1]), 0);
}

TEST_F(WindowPaintTest, CompactFrameIsLeftFillersAndRight) {
  win().ToggleCompact();
  win().ClearTracks();  // no current track: no line over the frame
  for (bool active : {true, false}) {
    win().active = active;
    const Capture c = Shoot();
    EXPECT_EQ(c.height(), kCompactHeight);
    EXPECT_EQ(PieceMismatches(c, 0, 0, Pledit(), pledit::kCompactLeft), 0);
    for (int k = 1; k <= 5 + 3; ++k) {
      EXPECT_EQ(PieceMismatches(c, 25 * k, 0, Pledit(), pledit::kCompactFiller), 0) << "filler " << k;
    }
    EXPECT_EQ(PieceMismatches(c, W() - 50, 0, Pledit(), pledit::kCompactRight[active ? 1 : 0]), 0);
  }
}

class TimePaintTest : public WindowPaintTest {
 protected:
  void SetUp() override {
    WindowPaintTest::SetUp();
    win().AddTrack("one", 120000);
    win().SetCurrentTrack(0, 120000);
  }
  // The glyph's place shows the bottom right frame piece, i.e. nothing was drawn there.
  int FrameMismatchesAt(const Capture& c, int x, int y, int width) {
    SkinPiece bottomRight = pledit::kBottomRight;
    const int fromColumn = x - (W() - 150);
    const int top = y - (H() - 38);
    bottomRight.top += top;
    bottomRight.height = 6;
    return PieceMismatches(c, W() - 150, y, Pledit(), bottomRight, fromColumn, fromColumn + width);
  }
};

TEST_F(TimePaintTest, FourDigitsWithoutSeparatorAndAMinusWhenCountingDown) {
  g_settings.CountUp = 0;
  win().SetTime(5, 7);
  const Capture c = Shoot();
  const BitmapPixels text = Text();
  const int y = H() - 15;
  EXPECT_EQ(PieceMismatches(c, W() - 82, y, text, textfont::kMinus), 0);
  EXPECT_EQ(PieceMismatches(c, W() - 77, y, text, textfont::Digit(0)), 0);
  EXPECT_EQ(PieceMismatches(c, W() - 72, y, text, textfont::Digit(5)), 0);
  EXPECT_EQ(PieceMismatches(c, W() - 64, y, text, textfont::Digit(0)), 0);
  EXPECT_EQ(PieceMismatches(c, W() - 59, y, text, textfont::Digit(7)), 0);
  EXPECT_EQ(FrameMismatchesAt(c, W() - 67, y, 3), 0);  // no colon between minutes and seconds
  g_settings.CountUp = 1;
  win().SetTime(12, 34);
  const Capture up = Shoot();
  EXPECT_EQ(FrameMismatchesAt(up, W() - 82, y, 5), 0);  // no minus
  EXPECT_EQ(PieceMismatches(up, W() - 77, y, text, textfont::Digit(1)), 0);
  EXPECT_EQ(PieceMismatches(up, W() - 59, y, text, textfont::Digit(4)), 0);
}

TEST_F(TimePaintTest, NoTimeAndNoBarWhenUnsetTooManySecondsOrNoLength) {
  struct Case {
    int minutes, seconds;
    uint32_t length;
  } cases[] = {{-1, 5, 120000}, {1, -1, 120000}, {1, 61, 120000}, {1, 5, 0}};
  for (const Case& k : cases) {
    win().SetCurrentTrack(0, k.length);
    win().SetTime(k.minutes, k.seconds);
    const Capture c = Shoot();
    EXPECT_EQ(PieceMismatches(c, W() - 150, H() - 38, Pledit(), pledit::kBottomRight), 0)
        << k.minutes << ":" << k.seconds << " of " << k.length;
  }
}

TEST_F(TimePaintTest, SeekThumbFollowsTheTimeInBothDirections) {
  const BitmapPixels posbar = Posbar();
  const int barX = W() - 147;
  const int y = H() - 30;
  win().SetTime(1, 0);  // 60 of 120 seconds elapsed
  Capture c = Shoot();
  EXPECT_EQ(PieceMismatches(c, barX, y, posbar, posbar::kBar, 0, 32), 0);
  EXPECT_EQ(PieceMismatches(c, barX + 32, y, posbar, posbar::kThumb[0]), 0);
  g_settings.CountUp = 0;
  win().SetTime(0, 30);  // 30 seconds left: (120000 * 65 - 30 * 65000) / 120000 = 48
  c = Shoot();
  EXPECT_EQ(PieceMismatches(c, barX + 48, y, posbar, posbar::kThumb[0]), 0);
  win().seeking = true;
  win().seekPos = 10;
  c = Shoot();
  EXPECT_EQ(PieceMismatches(c, barX + 10, y, posbar, posbar::kThumb[1]), 0);
}

TEST_F(TimePaintTest, SeekThumbStaysOnTheBarForATimeBeyondTheTrack) {
  win().SetTime(3, 0);  // 180 seconds into a 120-second track
  const Capture c = Shoot();
  EXPECT_EQ(PieceMismatches(c, W() - 147 + 65, H() - 30, Posbar(), posbar::kThumb[0]), 0);
}

TEST_F(TimePaintTest, BarOffDrawsTheTimeOnly) {
  g_settings.timebar = 0;
  win().SetTime(1, 0);
  const Capture c = Shoot();
  EXPECT_EQ(PieceMismatches(c, W() - 72, H() - 15, Text(), textfont::Digit(1)), 0);
  SkinPiece under = pledit::kBottomRight;  // the frame shows where the bar would be
  under.top += 8;
  under.height = 10;
  EXPECT_EQ(PieceMismatches(c, W() - 150, H() - 30, Pledit(), under, 3, 3 + 95), 0);
}

TEST_F(WindowPaintTest, PlayingRowInCurrentColourSelectedRowOnSelectionBackground) {
  for (const char* title : {"Normal row", "Playing row", "Selected row"}) win().AddTrack(title, 0);
  win().SetCurrentTrack(1, 0);
  list().SetSelection(2);
  const Capture c = Shoot();
  const RECT normal = RowRect(0), playing = RowRect(1), selectedRow = RowRect(2);
  EXPECT_GT(CountColour(c, normal, kTestNormal), 10);
  EXPECT_EQ(CountColour(c, normal, kTestCurrent), 0);
  EXPECT_GT(CountColour(c, playing, kTestCurrent), 10);
  EXPECT_EQ(CountColour(c, playing, kTestNormal), 0);
  // The selected row's background reaches its right end; the others' stays the list's.
  const RECT selectedEnd{W() - 40, selectedRow.top, W() - 20, selectedRow.bottom};
  EXPECT_EQ(CountColour(c, selectedEnd, kTestSelectedBg), 20 * list().rowHeight);
  const RECT normalEnd{W() - 40, normal.top, W() - 20, normal.bottom};
  EXPECT_EQ(CountColour(c, normalEnd, kTestNormalBg), 20 * list().rowHeight);
  // The list background, outline included.
  EXPECT_EQ(c.At(12, 20), kTestNormalBg);
  EXPECT_EQ(c.At(W() - 20, 29 * 3 + 19), kTestNormalBg);
  EXPECT_NE(c.At(W() - 19, 29 * 3 + 19), kTestNormalBg);
}

TEST_F(WindowPaintTest, ZeroLengthRowShowsNoTimeAndUsesTheFullWidth) {
  win().AddTrack("A", 0);
  win().AddTrack("A", 75000);
  win().AddTrack(std::string(200, 'W'), 0);
  win().SetCurrentTrack(-1, 0);
  list().SetSelection(-1);
  const Capture c = Shoot();
  int left = 0, right = 0;
  const int timeWidth = ListTextWidth("1:15");
  const RECT end0{W() - 20 - timeWidth, RowRect(0).top, W() - 20, RowRect(0).bottom};
  EXPECT_EQ(InkColumns(c, end0, kTestNormalBg, &left, &right), 0);
  const RECT end1{W() - 20 - timeWidth, RowRect(1).top, W() - 20, RowRect(1).bottom};
  EXPECT_GT(InkColumns(c, end1, kTestNormalBg, &left, &right), timeWidth / 3);
  EXPECT_GE(right, W() - 23);  // right-aligned
  // Without a time a long title runs on into the place the time would take.
  InkColumns(c, RowRect(2), kTestNormalBg, &left, &right);
  EXPECT_GT(right, W() - 20 - timeWidth / 2);
}

TEST_F(WindowPaintTest, AmpersandsAreShownNotTakenAsMnemonics) {
  win().AddTrack("&&&&", 0);
  win().SetCurrentTrack(-1, 0);
  list().SetSelection(-1);
  const Capture c = Shoot();
  int left = 0, right = 0;
  InkColumns(c, RowRect(0), kTestNormalBg, &left, &right);
  const int drawn = right - left + 1;
  const int four = ListTextWidth("&&&&");
  // With mnemonics the row would show two ampersands, half as wide.
  EXPECT_GT(drawn, four * 3 / 4);
  EXPECT_LE(drawn, four + 1);
}

TEST_F(WindowPaintTest, LongTitleEndsInAnEllipsisBeforeTheTime) {
  win().AddTrack(std::string(200, 'W'), 75000);
  win().SetCurrentTrack(-1, 0);
  list().SetSelection(-1);
  const Capture c = Shoot();
  // The title's last marks, left of the time, are dots on the baseline, not the cut-off top of a W.
  const int end = W() - 20 - ListTextWidth("1:15");
  const int ellipsis = ListTextWidth("...");
  const RECT row = RowRect(0);
  const int middle = row.top + list().rowHeight / 2;
  int left = 0, right = 0;
  ASSERT_GT(InkColumns(c, RECT{13, row.top, end, row.bottom}, kTestNormalBg, &left, &right), 0);
  const int last = right;
  EXPECT_EQ(InkColumns(c, RECT{last - ellipsis / 2, row.top, last + 1, middle}, kTestNormalBg, &left, &right), 0);
  EXPECT_GE(InkColumns(c, RECT{last + 1 - ellipsis, middle, last + 1, row.bottom}, kTestNormalBg, &left, &right), 3);
  // Further left the title's letters reach the top half.
  EXPECT_GT(InkColumns(c, RECT{13, row.top, 13 + 40, middle}, kTestNormalBg, &left, &right), 0);
}

class CompactLineTest : public WindowPaintTest {
 protected:
  void Show(const std::string& title, uint32_t lengthMs) {
    win().ClearTracks();
    win().AddTrack(title, lengthMs);
    win().SetCurrentTrack(0, lengthMs);
    if (!g_settings.compact) win().ToggleCompact();
  }
};

TEST_F(CompactLineTest, LettersAndDigitsAreGlyphsAndOtherBytesAreTextPieces) {
  Show("Abc 1", 754000);  // 12:34
  const Capture c = Shoot();
  const BitmapPixels text = Text();
  EXPECT_EQ(PieceMismatches(c, 5, 4, text, textfont::Letter('A')), 0);
  EXPECT_EQ(PieceMismatches(c, 10, 4, text, textfont::Letter('B')), 0);
  EXPECT_EQ(PieceMismatches(c, 15, 4, text, textfont::Letter('C')), 0);
  const int afterSpace = 20 + SmallTextWidth(" ");
  EXPECT_EQ(PieceMismatches(c, afterSpace, 4, text, textfont::Digit(1)), 0);
  EXPECT_EQ(PieceMismatches(c, W() - 55, 4, text, textfont::Digit(1)), 0);
  // The colon's place overlaps the last column of the glyph before it and the first after it.
  EXPECT_EQ(PieceMismatches(c, W() - 50, 4, text, textfont::Digit(2), 0, 4), 0);
  EXPECT_EQ(PieceMismatches(c, W() - 46, 4, text, textfont::kColon, 0, 4), 0);
  EXPECT_EQ(PieceMismatches(c, W() - 42, 4, text, textfont::Digit(3)), 0);
  EXPECT_EQ(PieceMismatches(c, W() - 37, 4, text, textfont::Digit(4)), 0);
}

TEST_F(CompactLineTest, DoubleByteCharacterIsOnePiece) {
  Show("あA", 60000);
  const Capture c = Shoot();
  const int afterKana = 5 + SmallTextWidth("あ");
  ASSERT_GT(afterKana, 5 + 2);
  EXPECT_EQ(PieceMismatches(c, afterKana, 4, Text(), textfont::Letter('A')), 0);
}

TEST_F(CompactLineTest, OnlyTheFrameAndTheLineWhateverTheTime) {
  Show("T", 60000);
  win().SetTime(0, 30);
  const Capture c = Shoot();
  EXPECT_EQ(c.height(), kCompactHeight);
  // Time glyphs measured from the bottom would fall at x 198 to 220 in the top rows of the strip;
  // the fillers there are untouched.
  EXPECT_EQ(PieceMismatches(c, 175, 0, Pledit(), pledit::kCompactFiller), 0);
  EXPECT_EQ(PieceMismatches(c, 200, 0, Pledit(), pledit::kCompactFiller), 0);
  EXPECT_EQ(PieceMismatches(c, 5, 4, Text(), textfont::Letter('T')), 0);
}

// What is on screen after real paints: a new time repaints the time and the bar, and leaves the
// rows that were there before exactly as they were.
TEST_F(WindowPaintTest, TimeChangeRepaintKeepsTheRowsOnScreen) {
  for (const char* title : {"First", "Second", "Third"}) win().AddTrack(title, 95000);
  win().SetCurrentTrack(1, 95000);
  win().SetTime(0, 10);
  ShowWindow(win().hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(win().hwnd);
  auto screen = [&] {
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(win().hwnd);
    for (int y = 0; y < H(); ++y)
      for (int x = 0; x < W(); ++x) pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(win().hwnd, dc);
    return pixels;
  };
  const std::vector<COLORREF> before = screen();
  const Capture composed = Shoot();
  win().SetTime(1, 20);
  UpdateWindow(win().hwnd);
  const std::vector<COLORREF> after = screen();
  int listChanged = 0, listWrong = 0, timeChanged = 0;
  for (int y = 0; y < H(); ++y) {
    for (int x = 0; x < W(); ++x) {
      const size_t i = static_cast<size_t>(y) * W() + x;
      if (y < H() - 38) {
        listChanged += before[i] != after[i];
        listWrong += after[i] != composed.At(x, y);
      } else if (x >= W() - 77 && x < W() - 54 && y >= H() - 15 && y < H() - 9) {
        timeChanged += before[i] != after[i];
      }
    }
  }
  EXPECT_EQ(listChanged, 0);
  EXPECT_EQ(listWrong, 0);  // and the screen shows what the window composes
  EXPECT_GT(timeChanged, 0);
}

// Pictures for people: the normal and the compact window with Japanese titles.
TEST_F(WindowPaintTest, SavesPicturesOfBothForms) {
  ResetEnvironment();
  pluginFolder = ScratchPath("no-own-skin\\");  // the plug-in's own bitmaps and colours
  window = std::make_unique<WindowUnderTest>();
  const char* titles[] = {"01. 春の小川", "02. さくらさくら & 夜桜", "03. Moonlight Serenade",
                          "04. 交響曲第9番 ニ短調 作品125「合唱付き」第4楽章", "05. ふるさと", "06. 無音", "07. 荒城の月"};
  const uint32_t lengths[] = {185000, 242000, 201000, 1452000, 163000, 0, 224000};
  for (int i = 0; i < 7; ++i) win().AddTrack(titles[i], lengths[i]);
  win().SetCurrentTrack(1, lengths[1]);
  list().SetSelection(3);
  win().SetTime(1, 23);
  win().active = true;
  const Capture normal = Shoot();
  EXPECT_TRUE(normal.SaveBmp(ScratchPath("window-normal.bmp")));
  win().ToggleCompact();
  const Capture compact = Shoot();
  EXPECT_TRUE(compact.SaveBmp(ScratchPath("window-compact.bmp")));
  // The playing row shows in the default "Current" white somewhere.
  EXPECT_GT(CountColour(normal, RowRect(1), RGB(255, 255, 255)), 10);
}

}  // namespace
