#pragma once
// Moves written as letters, one per step of the player: l u r d for a step that moves no block,
// L U R D for a step that pushes a block or merges it.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/rules/step_outcome.h"
#include "solver/solver.h"

namespace quorel::solver {

// The steps of a list of block moves, each preceded by the shortest walk to the cell behind the
// block; nothing when a move cannot be made where it stands.
std::optional<std::string> lurdOf(const Stage& stage, const std::vector<BlockMove>& moves);

struct Replay {
  bool valid = true;           // every letter did what its case says, and none came after the end
  std::size_t failedAt = 0;    // when not valid: the index of the first letter that did not
  StageResult result = StageResult::Playing;
  int blockMoves = 0;
  Board board{};
  int playerX = 0, playerY = 0;
};

// Plays a move string from the stage's start by the game's rules.
Replay replayLurd(const Stage& stage, std::string_view moves);

}  // namespace quorel::solver
