#pragma once
// The one screen change of the game: 32 x 32 tiles growing from the top-left corner until they
// cover the screen with black (mode 0), white (mode 1) or the work surface (mode 2).
#include <cstdint>
#include <functional>

#include "game/presentation/surface.h"

namespace quorel {

class Screen;

inline constexpr int kTransitionBlack = 0;
inline constexpr int kTransitionWhite = 1;
inline constexpr int kTransitionReveal = 2;

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
void tileTransition(Screen& screen, const Surface* map, const Surface* work, int mode,
                    TransitionSettings settings, const TransitionLoop& loop);

}  // namespace quorel
