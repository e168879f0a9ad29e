#pragma once
// What the last presented frame of a game on the test back end shows: a picture's part, a
// text in the bitmap font.
#include <cstdint>
#include <string_view>

#include "game/presentation/surface.h"
#include "game/presentation/text.h"
#include "tests/support/game_harness.h"

namespace quorel::testing {

// Whether the nonblack pixels of `source` of `picture` are what the last frame shows with the
// source's corner at (x, y); rows from `visibleBottom` down are not compared.
inline bool pictureShownAt(const GameHarness& game, const Surface* picture, const Rect& source, int x, int y,
                           int visibleBottom = 480) {
  if (picture == nullptr) return false;
  int compared = 0;
  for (int sy = source.top; sy < source.bottom; ++sy) {
    for (int sx = source.left; sx < source.right; ++sx) {
      const int fx = x + sx - source.left;
      const int fy = y + sy - source.top;
      const std::uint32_t want = picture->at(sx, sy);
      if (want == 0 || fx < 0 || fx >= 640 || fy < 0 || fy >= visibleBottom) continue;
      if (game.pixel(fx, fy) != want) return false;
      ++compared;
    }
  }
  return compared > 0;
}

// Whether `text` is shown with its first character at (x, y). Spaces and characters the font
// has no glyph for are not compared.
inline bool textShownAt(GameHarness& game, int x, int y, std::string_view text, int visibleBottom = 480) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto glyph = glyphOf(text[i]);
    if (!glyph || text[i] == ' ') continue;
    if (!pictureShownAt(game, game.form().pictures.font.get(), glyph->rect(), x + 16 * static_cast<int>(i), y,
                        visibleBottom))
      return false;
  }
  return true;
}

}  // namespace quorel::testing
