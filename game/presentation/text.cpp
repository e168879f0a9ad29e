#include "game/presentation/text.h"

#include <string>

#include "game/presentation/screen.h"

namespace quorel {

namespace {

// Runs of consecutive characters and the cell of the first one; the rest follow to the right.
struct GlyphRun {
  char first;
  char last;
  int row;
  int column;
};

constexpr GlyphRun kCharacterTable[] = {
    {'A', 'Z', 0, 0},  {'a', 'z', 1, 0},  {' ', ' ', 2, 0},  {'0', '9', 2, 1},  {'+', '+', 2, 11},
    {'-', '-', 2, 12}, {'*', '*', 2, 13}, {'/', '/', 2, 14}, {':', ':', 2, 15}, {'.', '.', 2, 16},
    {',', ',', 2, 17}, {'(', '(', 2, 18}, {')', ')', 2, 19}, {'[', '[', 2, 20}, {']', ']', 2, 21},
    {'!', '!', 2, 22}, {'?', '?', 2, 23}, {'>', '>', 2, 24},
};

}  // namespace

std::optional<GlyphCell> glyphOf(char c) {
  for (const GlyphRun& run : kCharacterTable) {
    if (c >= run.first && c <= run.last) return GlyphCell{run.column + (c - run.first), run.row};
  }
  return std::nullopt;
}

void drawText(Screen& screen, const Surface* font, int x, int y, std::string_view text) {
  for (const char c : text) {
    if (const auto glyph = glyphOf(c)) screen.blit(x, y, glyph->rect(), font);
    x += kGlyphSize;
  }
}

std::string formatNumber(int value, int width) {
  if (width != 2 && width != 3) return "";
  const bool negative = value < 0;
  const long long magnitude = negative ? -static_cast<long long>(value) : value;
  std::string digits = std::to_string(magnitude);
  if (digits.size() < static_cast<std::size_t>(width)) {
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
  }
  if (negative) {
    // The sign takes the place of a leading padding zero, or of the first digit when none is left.
    if (digits.front() == '0' && digits.size() == static_cast<std::size_t>(width)) digits.erase(0, 1);
    digits.insert(0, 1, '-');
  }
  return digits.substr(0, static_cast<std::size_t>(width));
}

}  // namespace quorel
