#include "game/presentation/text.h"

#include <gtest/gtest.h>

#include <string>

#include "game/platform/test/test_platform.h"
#include "game/presentation/screen.h"

namespace quorel {
namespace {

TEST(CharacterTable, EveryCharacterHasItsCell) {
  struct Case {
    char c;
    int column, row;
  };
  const Case cases[] = {
      {'A', 0, 0},  {'M', 12, 0}, {'Z', 25, 0}, {'a', 0, 1},  {'q', 16, 1}, {'z', 25, 1},  {' ', 0, 2},
      {'0', 1, 2},  {'5', 6, 2},  {'9', 10, 2}, {'+', 11, 2}, {'-', 12, 2}, {'*', 13, 2},  {'/', 14, 2},
      {':', 15, 2}, {'.', 16, 2}, {',', 17, 2}, {'(', 18, 2}, {')', 19, 2}, {'[', 20, 2},  {']', 21, 2},
      {'!', 22, 2}, {'?', 23, 2}, {'>', 24, 2},
  };
  for (const Case& c : cases) {
    const auto glyph = glyphOf(c.c);
    ASSERT_TRUE(glyph.has_value()) << c.c;
    EXPECT_EQ(glyph->column, c.column) << c.c;
    EXPECT_EQ(glyph->row, c.row) << c.c;
  }
  for (const char c : std::string("<=@#$%&'\"_^`{|}~;\\\t\x82\xA0")) EXPECT_FALSE(glyphOf(c).has_value()) << int(c);
  const Rect colon = glyphOf(':')->rect();
  EXPECT_EQ(colon.left, 255);
  EXPECT_EQ(colon.top, 34);
  EXPECT_EQ(colon.right, 271);
  EXPECT_EQ(colon.bottom, 50);
}

// A font whose every cell is filled with a colour naming the cell, separators black.
Surface cellFont() {
  Surface font(441, 51);
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 26; ++column) {
      for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) font.set(17 * column + x, 17 * row + y, 0x100000u + static_cast<std::uint32_t>(row * 32 + column));
      }
    }
  }
  return font;
}

TEST(DrawText, EachCharacterSixteenPixelsRightOfTheOneBefore) {
  platform::TestPlatform platform;
  Screen screen(platform, {});
  const Surface font = cellFont();
  drawText(screen, &font, 100, 40, "STAGE:");
  const std::uint32_t expected[] = {0x100000 + 18, 0x100000 + 19, 0x100000 + 0, 0x100000 + 6, 0x100000 + 4, 0x100000 + 64 + 15};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(screen.backBuffer().at(100 + 16 * i, 40), expected[i]) << i;
    EXPECT_EQ(screen.backBuffer().at(115 + 16 * i, 55), expected[i]) << i;
  }
  EXPECT_EQ(screen.backBuffer().at(196, 40), 0u) << "six cells: x to x + 96";
}

TEST(DrawText, UnknownCharactersLeaveAnEmptyCellAndTextIsCutAtTheEdge) {
  platform::TestPlatform platform;
  Screen screen(platform, {});
  const Surface font = cellFont();
  drawText(screen, &font, 0, 0, "A\x82\xA0" "B");
  EXPECT_NE(screen.backBuffer().at(0, 0), 0u);
  EXPECT_EQ(screen.backBuffer().at(16, 0), 0u);
  EXPECT_EQ(screen.backBuffer().at(32, 0), 0u);
  EXPECT_EQ(screen.backBuffer().at(48, 0), 0x100000u + 1);

  drawText(screen, &font, 630, 100, "ZZ");
  EXPECT_EQ(screen.backBuffer().at(639, 100), 0x100000u + 25);
  drawText(screen, nullptr, 0, 200, "A");
  EXPECT_EQ(screen.backBuffer().at(0, 200), 0u);
}

TEST(FormatNumber, Table) {
  struct Case {
    int value, width;
    const char* text;
  };
  const Case cases[] = {
      {7, 2, "07"},   {7, 3, "007"},  {15, 2, "15"},  {15, 3, "015"}, {5, 2, "05"},  {0, 3, "000"},
      {0, 2, "00"},   {99, 2, "99"},  {100, 2, "10"}, {100, 3, "100"}, {999, 3, "999"}, {1234, 3, "123"},
      {255, 2, "25"}, {7, 4, ""},     {7, 1, ""},     {7, 0, ""},     {-5, 2, "-5"}, {-5, 3, "-05"},
      {-12, 2, "-1"}, {-123, 3, "-12"}, {-2147483647 - 1, 3, "-21"},
  };
  for (const Case& c : cases) EXPECT_EQ(formatNumber(c.value, c.width), c.text) << c.value << " width " << c.width;
}

}  // namespace
}  // namespace quorel
