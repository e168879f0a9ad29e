// Numbers typed into boxes and the remainder calculator's sum.
#include <gtest/gtest.h>

#include <limits>

#include "editor/core/number_text.h"

namespace quorel::editor {
namespace {

TEST(IntegerText, SignedDecimalWithinThirtyTwoBits) {
  const struct {
    const char* text;
    std::optional<int> value;
  } cases[] = {
      {"0", 0},           {"17", 17},        {"-7", -7},         {"+8", 8},            {" 12\t", 12},
      {"007", 7},         {"2147483647", std::numeric_limits<int>::max()},
      {"-2147483648", std::numeric_limits<int>::min()},         {"2147483648", std::nullopt},
      {"", std::nullopt}, {" ", std::nullopt}, {"abc", std::nullopt}, {"1.5", std::nullopt}, {"1 2", std::nullopt},
      {"-", std::nullopt}, {"+-1", std::nullopt}, {"--1", std::nullopt}, {"0x10", std::nullopt}, {"５", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(integerOf(c.text), c.value) << '"' << c.text << '"';
}

TEST(Remainder, TakesTheSignOfTheDividendAndReportsWhatCannotBeComputed) {
  const struct {
    const char* a;
    const char* b;
    std::optional<int> value;
    const char* error;
  } cases[] = {
      {"17", "5", 2, ""},
      {"0", "5", 0, ""},
      {"5", "17", 5, ""},
      {"-7", "3", -1, ""},
      {"7", "-3", 1, ""},
      {"-2147483648", "-1", 0, ""},
      {"2147483647", "2", 1, ""},
      {"5", "0", std::nullopt, "Division by zero"},
      {"abc", "0", std::nullopt, "'abc' is not a valid integer value"},
      {"4", "", std::nullopt, "'' is not a valid integer value"},
  };
  for (const auto& c : cases) {
    const Remainder r = remainderOf(c.a, c.b);
    EXPECT_EQ(r.value, c.value) << c.a << " % " << c.b;
    EXPECT_EQ(r.error, c.error) << c.a << " % " << c.b;
  }
}

}  // namespace
}  // namespace quorel::editor
