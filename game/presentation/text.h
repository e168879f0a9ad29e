#pragma once
// The 16 x 16 bitmap font and the zero-padded numbers of stage numbers, counts and records.
#include <optional>
#include <string>
#include <string_view>

#include "game/presentation/surface.h"

namespace quorel {

class Screen;

inline constexpr int kGlyphSize = 16;
inline constexpr int kGlyphPitch = 17;  // a one-pixel separator line between cells

struct GlyphCell {
  int column = 0;
  int row = 0;
  Rect rect() const {
    return {kGlyphPitch * column, kGlyphPitch * row, kGlyphPitch * column + kGlyphSize,
            kGlyphPitch * row + kGlyphSize};
  }
};

// The cell of a character in the font picture; none for a character the font does not have.
std::optional<GlyphCell> glyphOf(char c);

// Draws `text` with its first character at (x, y), each further one 16 pixels to the right.
// A character the font does not have leaves its cell empty.
void drawText(Screen& screen, const Surface* font, int x, int y, std::string_view text);

// `value` in decimal, zero-padded to `width` (2 or 3); a longer value keeps its first `width`
// characters. A negative value keeps its sign in front. Any other width gives "".
std::string formatNumber(int value, int width);

}  // namespace quorel
