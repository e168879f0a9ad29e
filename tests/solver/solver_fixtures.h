#pragma once
// Stages drawn as rows for the solver's tests, and a move string played through the game's own
// step rules frame by frame, as the Play scene plays it.
#include <initializer_list>
#include <string_view>

#include "game/rules/move_rules.h"
#include "solver/solver.h"
#include "tests/rules/board_fixtures.h"

namespace quorel::test {

inline solver::Stage stageOf(std::initializer_list<std::string_view> rows, int startX, int startY, int ngNumber) {
  return {boardOf(rows), startX, startY, ngNumber};
}

struct PlayedMoves {
  bool followed = true;  // every letter did what its case says and none came after the end
  StageResult result = StageResult::Playing;
  int blockMoves = 0;  // the game's BLOCK MOVE count
};

class SilentEffects : public EffectSink {
 public:
  void playEffect(std::string_view, int) override {}
};

inline PlayedMoves playThroughGame(const solver::Stage& stage, std::string_view moves) {
  constexpr int kStage = 1;
  PlayState state;
  Board board = stage.board;
  SilentEffects effects;
  startAttempt(state, kStage, stage.startX, stage.startY);
  MoveRules rules{state, board, kStage, stage.ngNumber, effects};
  PlayedMoves played;
  for (const char letter : moves) {
    if (played.result != StageResult::Playing) {
      played.followed = false;
      break;
    }
    const int dx = letter == 'l' || letter == 'L' ? -1 : letter == 'r' || letter == 'R' ? 1 : 0;
    const int dy = letter == 'u' || letter == 'U' ? -1 : letter == 'd' || letter == 'D' ? 1 : 0;
    state.prevX = state.playerX;
    state.prevY = state.playerY;
    state.stepFrames = 16;
    const StepOutcome outcome = rules.beginStep(dx, dy);
    const bool capital = letter >= 'A' && letter <= 'Z';
    if (capital ? !outcome.blockMoved() : outcome.kind != StepKind::Walk) played.followed = false;
    if (outcome.kind == StepKind::Merge) played.result = outcome.result;
    while (state.stepFramesLeft > 0) continueStep(state, board);
  }
  played.blockMoves = state.blockMoves[kStage];
  return played;
}

}  // namespace quorel::test
