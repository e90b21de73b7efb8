// Colour texts of Pledit.txt and the four list colours read from it.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "SkinFixtures.h"
#include "display/Skin.h"

namespace {

using skintest::ScratchFolder;
using skintest::WriteFile;

TEST(ParseColor, TextsAsColorRefs) {
  const std::pair<const char*, uint32_t> cases[] = {
      // Red, green and blue into 0x00BBGGRR.
      {"#00FF00", 0x0000FF00u}, {"#0000FF", 0x00FF0000u}, {"#123456", 0x00563412u}, {"#FFFFFF", 0x00FFFFFFu},
      // The first character is skipped whatever it is.
      {"x00FF00", 0x0000FF00u}, {"F123456", 0x00563412u},
      // A text shorter than seven is black.
      {"", 0u}, {"#FFF", 0u}, {"#FFFFF", 0u},
      // Characters that are no hex digits add nothing (the 1 is still shifted).
      {"#GG0000", 0u}, {"#1G0000", 0x00000010u}, {"#G10000", 0x00000001u}, {"#  FF  ", 0x0000FF00u},
      // Case does not matter and the rest is ignored.
      {"#abcdef", 0x00EFCDABu}, {"#ABCDEF", 0x00EFCDABu}, {"#102030FFFFFF", 0x00302010u},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ParseColor(text), expected) << text;
}

TEST(LoadColors, ReadsSectionTextOfTheFile) {
  ScratchFolder folder;
  WriteFile(folder / "Pledit.txt",
            "[Text]\r\nNormal=#102030\r\nCurrent=#405060\r\nNormalBG=#708090\r\nSelectedBG=#A0B0C0\r\n");
  const ListColors colors = LoadColors(folder / "Pledit.txt");
  EXPECT_EQ(colors.normal, RGB(0x10, 0x20, 0x30));
  EXPECT_EQ(colors.current, RGB(0x40, 0x50, 0x60));
  EXPECT_EQ(colors.normalBg, RGB(0x70, 0x80, 0x90));
  EXPECT_EQ(colors.selectedBg, RGB(0xA0, 0xB0, 0xC0));
}

TEST(LoadColors, MissingFileGivesTheDefaults) {
  ScratchFolder folder;
  const ListColors colors = LoadColors(folder / "Pledit.txt");
  EXPECT_EQ(colors.normal, RGB(0, 255, 0));
  EXPECT_EQ(colors.current, RGB(255, 255, 255));
  EXPECT_EQ(colors.normalBg, RGB(0, 0, 0));
  EXPECT_EQ(colors.selectedBg, RGB(0, 0, 255));
  const ListColors defaults = DefaultListColors();
  EXPECT_EQ(defaults.normal, colors.normal);
  EXPECT_EQ(defaults.current, colors.current);
  EXPECT_EQ(defaults.normalBg, colors.normalBg);
  EXPECT_EQ(defaults.selectedBg, colors.selectedBg);
}

TEST(LoadColors, MissingKeysDefaultAndMalformedValuesFollowTheParser) {
  ScratchFolder folder;
  WriteFile(folder / "Pledit.txt", "[Other]\r\nNormal=#FF0000\r\n[Text]\r\nCurrent=#GG0000\r\nSelectedBG=#12\r\n");
  const ListColors colors = LoadColors(folder / "Pledit.txt");
  EXPECT_EQ(colors.normal, RGB(0, 255, 0)) << "a key of another section does not count";
  EXPECT_EQ(colors.current, RGB(0, 0, 0));
  EXPECT_EQ(colors.normalBg, RGB(0, 0, 0));
  EXPECT_EQ(colors.selectedBg, RGB(0, 0, 0)) << "short text is black, not the default blue";
}

}  // namespace
