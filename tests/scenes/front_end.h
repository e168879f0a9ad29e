#pragma once
// FrontEnd: the game on the test back end, started and put straight into one of the front-end
// scenes (Logo, Title menu, Options), with PuzzleGame's helpers for reading the frames.
#include <string>
#include <string_view>
#include <vector>

#include "game/scenes/title_menu.h"
#include "game/shell/frame_timing.h"
#include "tests/scenes/puzzle_game.h"

namespace quorel::testing {

inline constexpr int kKeyShift = vk::kShift;

class FrontEnd : public PuzzleGame {
 public:
  explicit FrontEnd(int scene) { form().sceneNumber = scene; }

  // The music requests so far, "stop" for a stop.
  std::vector<std::string> musicFiles() const {
    std::vector<std::string> files;
    for (const MusicRequest& m : game.music) files.push_back(m.file);
    return files;
  }

  // Runs one pass and tells how many frames it presented.
  int presentsOfPass() {
    const int before = game.presents();
    pass();
    return game.presents() - before;
  }

  std::uint32_t lastWaitEnd() { return form().waiter->lastWaitEnd(); }

  // Text under a highlight bar, whose outline may cover the glyphs' two top and bottom rows.
  bool textInBarShown(int x, int y, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      const auto glyph = glyphOf(text[i]);
      if (!glyph || text[i] == ' ') continue;
      Rect inner = glyph->rect();
      inner.top += 2;
      inner.bottom -= 2;
      if (!pictureShownAt(form().pictures.font.get(), inner, x + 16 * static_cast<int>(i), y + 2)) return false;
    }
    return true;
  }
};

}  // namespace quorel::testing
