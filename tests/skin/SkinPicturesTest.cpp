// The pictures compiled into the plug-in (and the two host skins drawn by the same generator):
// sizes and depths, a legible font whose glyphs are where the window takes them from, and
// display areas whose colour matches the font's background, since glyphs are copied opaque.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <set>

#include "SkinFixtures.h"
#include "display/Skin.h"
#include "resources/ResourceIds.h"

namespace {

using skintest::Pixels;

struct Header {
  int width = 0, height = 0, bits = 0;
};

Header ResourceHeader(int id) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
  if (!found || SizeofResource(module, found) < sizeof(BITMAPINFOHEADER)) return {};
  const auto* info = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
  return {info->biWidth, info->biHeight, info->biBitCount};
}

Header FileHeader(const std::string& path) {
  std::string bytes(54, '\0');
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return {};
  const size_t got = std::fread(&bytes[0], 1, bytes.size(), f);
  std::fclose(f);
  if (got != bytes.size() || bytes.compare(0, 2, "BM") != 0) return {};
  BITMAPINFOHEADER info;
  std::memcpy(&info, bytes.data() + 14, sizeof info);
  return {info.biWidth, info.biHeight, info.biBitCount};
}

void ExpectHeader(const Header& h, int width, int height, int bits, const std::string& what) {
  EXPECT_EQ(h.width, width) << what;
  EXPECT_EQ(h.height, height) << what;
  EXPECT_EQ(h.bits, bits) << what;
}

TEST(BuiltInPictures, HaveTheirSizesAndDepths) {
  ExpectHeader(ResourceHeader(IDB_PLEDIT), 280, 111, 8, "Pledit");
  ExpectHeader(ResourceHeader(IDB_TEXT), 155, 18, 8, "text");
  ExpectHeader(ResourceHeader(IDB_POSBAR), 307, 10, 8, "Posbar");
  ExpectHeader(ResourceHeader(IDB_CAMPAIGN_PICTURE), 100, 100, 24, "campaign picture");
  ExpectHeader(ResourceHeader(IDB_CAMPAIGN_BANNER), 100, 40, 24, "campaign banner");
}

TEST(BuiltInPictures, HostSkinFilesHaveTheSameSizesAndDepth) {
  for (const char* name : {"Classic", "Sakura"}) {
    const std::string folder = skintest::SourcePath(std::string("host/skins/") + name + "/");
    ExpectHeader(FileHeader(folder + "Pledit.bmp"), 280, 111, 8, folder + "Pledit.bmp");
    ExpectHeader(FileHeader(folder + "text.bmp"), 155, 18, 8, folder + "text.bmp");
    ExpectHeader(FileHeader(folder + "Posbar.bmp"), 307, 10, 8, folder + "Posbar.bmp");
    const ListColors colors = LoadColors(folder + "Pledit.txt");
    EXPECT_NE(colors.normal, colors.normalBg) << name << ": list text must show on its background";
    EXPECT_NE(colors.current, colors.normal) << name << ": the playing row must stand out";
  }
}

TEST(BuiltInPictures, LinkCursorIsAMonochromeHandPointingWithItsHotSpot) {
  HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDCUR_LINK_HAND));
  ASSERT_NE(cursor, nullptr);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(cursor, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.hbmColor, nullptr) << "monochrome: masks only";
  int width = 0, height = 0;
  const std::vector<uint32_t> masks = Pixels(info.hbmMask, &width, &height);
  EXPECT_EQ(width, 32);
  EXPECT_EQ(height, 64);
  ASSERT_EQ(masks.size(), 32u * 64u);
  ASSERT_LT(info.xHotspot, 32u);
  ASSERT_LT(info.yHotspot, 32u);
  // Upper half AND mask: black = drawn. The hot spot lies on the drawn fingertip.
  EXPECT_EQ(masks[info.yHotspot * 32 + info.xHotspot], 0u);
  int drawn = 0;
  for (int i = 0; i < 32 * 32; ++i) drawn += masks[i] == 0;
  EXPECT_GT(drawn, 150);
  EXPECT_LT(drawn, 600);
  DeleteObject(info.hbmMask);
}

// Glyph cells of text.bmp in the order the window asks for them.
std::vector<SkinPiece> GlyphCells() {
  std::vector<SkinPiece> cells;
  for (char c = 'A'; c <= 'Z'; ++c) cells.push_back(textfont::Letter(c));
  for (int d = 0; d <= 9; ++d) cells.push_back(textfont::Digit(d));
  cells.push_back(textfont::kColon);
  cells.push_back(textfont::kMinus);
  return cells;
}

uint32_t MostCommon(const std::vector<uint32_t>& pixels) {
  std::map<uint32_t, int> counts;
  for (uint32_t p : pixels) ++counts[p];
  uint32_t best = 0;
  int most = -1;
  for (const auto& [colour, n] : counts) {
    if (n > most) best = colour, most = n;
  }
  return best;
}

std::vector<uint32_t> Cut(const std::vector<uint32_t>& pixels, int width, const SkinPiece& p) {
  std::vector<uint32_t> out;
  for (int y = p.top; y < p.top + p.height; ++y)
    for (int x = p.left; x < p.left + p.width; ++x) out.push_back(pixels[y * width + x]);
  return out;
}

void ExpectLegibleFont(HBITMAP text, const std::string& what) {
  int width = 0, height = 0;
  const std::vector<uint32_t> pixels = Pixels(text, &width, &height);
  ASSERT_EQ(pixels.size(), 155u * 18u) << what;
  const uint32_t background = MostCommon(pixels);
  std::set<std::vector<uint32_t>> seen;
  const std::vector<SkinPiece> cells = GlyphCells();
  for (size_t i = 0; i < cells.size(); ++i) {
    const std::vector<uint32_t> cell = Cut(pixels, width, cells[i]);
    int ink = 0;
    for (uint32_t p : cell) ink += p != background;
    EXPECT_GE(ink, 2) << what << ": glyph " << i << " is empty";
    EXPECT_TRUE(seen.insert(cell).second) << what << ": glyph " << i << " repeats an earlier one";
  }
}

TEST(SkinFont, EveryGlyphIsDrawnAndDistinct) {
  HBITMAP builtIn = skintest::LoadResourceBitmap(IDB_TEXT);
  ExpectLegibleFont(builtIn, "built-in");
  DeleteObject(builtIn);
  for (const char* name : {"Classic", "Sakura"}) {
    const std::string path = skintest::SourcePath(std::string("host/skins/") + name + "/text.bmp");
    HBITMAP file = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(file, nullptr) << path;
    ExpectLegibleFont(file, name);
    DeleteObject(file);
  }
}

// Glyphs are copied opaque onto the frame, at places relative to the right and bottom edges: the
// frame must show the font's background there, or every glyph would sit in a coloured box.
void ExpectDisplaysMatchFont(HBITMAP pledit, HBITMAP text, const std::string& what) {
  int pw = 0, ph = 0, tw = 0, th = 0;
  const std::vector<uint32_t> frame = Pixels(pledit, &pw, &ph);
  const std::vector<uint32_t> font = Pixels(text, &tw, &th);
  ASSERT_EQ(frame.size(), 280u * 111u) << what;
  ASSERT_FALSE(font.empty()) << what;
  const uint32_t background = MostCommon(font);
  auto expectBackground = [&](const SkinPiece& piece, int x, int y, int w, int h, const char* where) {
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i)
        ASSERT_EQ(frame[(piece.top + j) * pw + piece.left + i], background)
            << what << ", " << where << " at " << i << "," << j;
  };
  // Time: minus at W-82, digits at W-77, -72, -64, -59, glyph row H-15 (piece at W-150, H-38).
  for (int x : {68, 73, 78, 86, 91}) expectBackground(pledit::kBottomRight, x, 23, 5, 6, "time");
  // Compact strip, glyph row 4: title from x = 5; length from W-55 to W-33.
  expectBackground(pledit::kCompactLeft, 5, 4, 20, 6, "compact title");
  expectBackground(pledit::kCompactFiller, 0, 4, 25, 6, "compact filler");
  for (bool active : {false, true}) expectBackground(pledit::kCompactRight[active], 0, 4, 22, 6, "compact length");
}

TEST(SkinFrame, DisplayAreasShowTheFontBackground) {
  HBITMAP pledit = skintest::LoadResourceBitmap(IDB_PLEDIT);
  HBITMAP text = skintest::LoadResourceBitmap(IDB_TEXT);
  ExpectDisplaysMatchFont(pledit, text, "built-in");
  DeleteObject(pledit);
  DeleteObject(text);
  for (const char* name : {"Classic", "Sakura"}) {
    const std::string folder = skintest::SourcePath(std::string("host/skins/") + name + "/");
    HBITMAP p = static_cast<HBITMAP>(LoadImageA(nullptr, (folder + "Pledit.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    HBITMAP t = static_cast<HBITMAP>(LoadImageA(nullptr, (folder + "text.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ExpectDisplaysMatchFont(p, t, name);
    DeleteObject(p);
    DeleteObject(t);
  }
}

}  // namespace
