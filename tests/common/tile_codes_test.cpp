#include "common/tile_codes.h"

#include <gtest/gtest.h>

#include <optional>

namespace quorel {
namespace {

TEST(TileCodes, CharactersGiveTheirCodes) {
  const struct {
    char c;
    std::optional<int> code;
  } cases[] = {
      {'0', 0},  {'1', 1},  {'5', 5},  {'9', 9},  {'A', 11}, {'O', 25}, {'P', 26}, {'Y', 35}, {'Z', 36},
      // Just outside the digit and capital ranges, and lower case.
      {'/', std::nullopt}, {':', std::nullopt}, {'@', std::nullopt}, {'[', std::nullopt},
      {'a', std::nullopt}, {' ', std::nullopt}, {'\0', std::nullopt}, {'\xE0', std::nullopt},
  };
  for (const auto& [c, code] : cases) EXPECT_EQ(tileCodeOf(c), code) << "character " << int(c);
}

TEST(TileCodes, EveryCodeIsWrittenAsTheCharacterThatReadsBack) {
  for (int code = 0; code <= kHighestCode; ++code) {
    if (code == 10) continue;  // no character stands for 10
    EXPECT_EQ(tileCodeOf(tileCharOf(code)), code) << "code " << code;
  }
  EXPECT_EQ(tileCharOf(kFloor), '0');
  EXPECT_EQ(tileCharOf(kWall), '1');
  EXPECT_EQ(tileCharOf(blockCode(25)), 'Y');
}

}  // namespace
}  // namespace quorel
