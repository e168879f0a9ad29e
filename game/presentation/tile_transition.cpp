#include "game/presentation/tile_transition.h"

#include <algorithm>

#include "game/presentation/screen.h"

namespace quorel {

namespace {

constexpr int kTile = 32;
constexpr int kRows = 15;
constexpr int kColumns = 20;
constexpr int kSteps = 56;  // the last step draws every cell whole
constexpr std::uint32_t kStepPeriod = 20;
constexpr int kWhiteTileX = 64, kWhiteTileY = 32;
constexpr int kBlackTileX = 96, kBlackTileY = 32;

void drawCell(Screen& screen, const Surface* map, const Surface* work, TransitionMode mode, int column, int row,
              int width, int height) {
  const int x = kTile * column;
  const int y = kTile * row;
  switch (mode) {
    case kTransitionBlack:
      screen.copy(x, y, {kBlackTileX, kBlackTileY, kBlackTileX + width, kBlackTileY + height}, map);
      break;
    case kTransitionWhite:
      screen.blit(x, y, {kWhiteTileX, kWhiteTileY, kWhiteTileX + width, kWhiteTileY + height}, map);
      break;
    case kTransitionReveal:
      screen.copy(x, y, {x, y, x + width, y + height}, work);
      break;
    default:
      break;
  }
}

// Row r starts one step after the row above; within a row the front moves two columns a step,
// and each cell grows from its own top-left corner by a pixel a step.
void drawStep(Screen& screen, const Surface* map, const Surface* work, TransitionMode mode, int t) {
  for (int row = 0; row < std::min(t, kRows); ++row) {
    for (int column = 0; column < std::min(2 * (t - row), kColumns); ++column) {
      const int width = std::min(t - column, kTile);
      const int height = std::min(t - row, kTile);
      if (width <= 0 || height <= 0) continue;
      drawCell(screen, map, work, mode, column, row, width, height);
    }
  }
}

}  // namespace

void tileTransition(Screen& screen, const Surface* map, const Surface* work, TransitionMode mode,
                    TransitionSettings settings, const TransitionLoop& loop) {
  if (!settings.fadeInOut) return;
  const int step = settings.drawLevel ? 1 : 2;
  for (int t = 0; t < kSteps; t += step) {
    if (loop.closing()) return;
    drawStep(screen, map, work, mode, t);
    loop.present();
    loop.pumpMessages();
    loop.frameWait(kStepPeriod);
  }
}

}  // namespace quorel
