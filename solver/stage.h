#pragma once
// One stage as the solver takes it: the Board as loaded, the player's start and the NG number.
#include <cstddef>

#include "common/stage_set.h"

namespace quorel::solver {

struct Stage {
  Board board{};
  int startX = 0;
  int startY = 0;
  int ngNumber = 0;
};

template <std::size_t Slots>
Stage stageOf(const StageSlots<Slots>& set, int stage) {
  const auto slot = static_cast<std::size_t>(stage);
  return {set.board[slot], set.startX[slot], set.startY[slot], set.ngNumber[slot]};
}

}  // namespace quorel::solver
