// The list fonts: height as given, face from the settings with a fallback, and a
// face that really draws Japanese.
#include <gtest/gtest.h>

#include "SkinFixtures.h"
#include "display/ListFonts.h"

namespace {


LOGFONTA Describe(HFONT font) {
  LOGFONTA description = {};
  GetObjectA(font, sizeof description, &description);
  return description;
}

TEST(ListFonts, ListFontHasTheStatedAttributes) {
  HFONT font = CreateListFont(12, "Arial");
  ASSERT_NE(font, nullptr);
  const LOGFONTA d = Describe(font);
  EXPECT_EQ(d.lfHeight, 12);
  EXPECT_EQ(d.lfWeight, 400);
  EXPECT_FALSE(d.lfItalic || d.lfUnderline || d.lfStrikeOut);
  EXPECT_EQ(d.lfCharSet, 128);
  EXPECT_EQ(d.lfQuality, 2);
  EXPECT_EQ(d.lfPitchAndFamily, 50);
  EXPECT_STREQ(d.lfFaceName, "Arial");
  DeleteObject(font);
}

TEST(ListFonts, FaceThatDoesNotFitFallsBackToTheJapaneseFace) {
  HFONT font = CreateListFont(10, std::string(40, 'X'));
  ASSERT_NE(font, nullptr);
  const LOGFONTA d = Describe(font);
  EXPECT_STREQ(d.lfFaceName, "MS Pゴシック");
  EXPECT_EQ(d.lfHeight, 10);
  DeleteObject(font);
  // 31 bytes still fit.
  HFONT longest = CreateShiftJisFont(10, std::string(31, 'Y'));
  ASSERT_NE(longest, nullptr);
  EXPECT_EQ(std::string(Describe(longest).lfFaceName), std::string(31, 'Y'));
  DeleteObject(longest);
}

TEST(ListFonts, SmallFontIsNinePixelsOfTheJapaneseFace) {
  HFONT font = CreateSmallFont();
  ASSERT_NE(font, nullptr);
  const LOGFONTA d = Describe(font);
  EXPECT_EQ(d.lfHeight, 9);
  EXPECT_EQ(d.lfCharSet, 128);
  EXPECT_STREQ(d.lfFaceName, "MS Pゴシック");
  DeleteObject(font);
}

TEST(ListFonts, DefaultFaceDrawsJapanese) {
  HFONT font = CreateListFont(10, "MS Pゴシック");
  ASSERT_NE(font, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  char face[LF_FACESIZE] = {};
  GetTextFaceA(dc, sizeof face, face);
  EXPECT_EQ(GetTextCharset(dc), SHIFTJIS_CHARSET) << "chosen face: " << face;
  const wchar_t sample[] = L"\u66f2\u540d\u30a2\u30eb\u30d0\u30e0\u3042";  // 曲名アルバムあ
  WORD glyphs[8] = {};
  const int n = static_cast<int>(wcslen(sample));
  ASSERT_EQ(GetGlyphIndicesW(dc, sample, n, glyphs, GGI_MARK_NONEXISTING_GLYPHS), static_cast<DWORD>(n));
  for (int i = 0; i < n; ++i) EXPECT_NE(glyphs[i], 0xFFFF) << "no glyph for character " << i << " in " << face;
  // Double-byte text measures wider than a single byte, as a real Japanese face does.
  SIZE one = {}, kanji = {};
  GetTextExtentPoint32A(dc, "a", 1, &one);
  GetTextExtentPoint32A(dc, "曲", 2, &kanji);
  EXPECT_GT(kanji.cx, one.cx);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(font);
}

}  // namespace
