#pragma once
// The one screen change of the game: 32 x 32 tiles growing from the top-left corner until they
// cover the screen with black, white or the work surface.
#include <cstdint>
#include <functional>

#include "game/presentation/surface.h"

namespace quorel {

class Screen;

// What the tiles cover the screen with.
enum TransitionMode : int {
  kTransitionBlack = 0,
  kTransitionWhite = 1,
  kTransitionReveal = 2,  // the work surface
};

// What the transition needs from the scene loop between its frames.
struct TransitionLoop {
  std::function<void()> present;
  std::function<void()> pumpMessages;
  std::function<void(std::uint32_t)> frameWait;
  std::function<bool()> closing;  // once true, no further frame is drawn
};

struct TransitionSettings {
  bool fadeInOut = true;  // FADEIN/OUT: off shows no transition at all
  bool drawLevel = true;  // DRAWLEVEL: on grows the tiles one pixel a frame, off two
};

// Runs the whole transition; `map` holds the white and black tiles, `work` the screen to reveal.
void tileTransition(Screen& screen, const Surface* map, const Surface* work, TransitionMode mode,
                    TransitionSettings settings, const TransitionLoop& loop);

}  // namespace quorel
