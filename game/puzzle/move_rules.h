#pragma once
// The rules of the puzzle: one step of the player, the push of a block, the merge of two
// blocks by the remainder of their values, and the end of a stage. Pure: the rules never
// draw and never touch the platform; the sounds they want go through an EffectSink.
#include <string_view>

#include "common/stage_set.h"
#include "game/puzzle/play_state.h"

namespace quorel {

class EffectSink {
 public:
  virtual ~EffectSink() = default;
  virtual void playEffect(std::string_view name, int pan) = 0;
};

inline constexpr int kMaxBlockMoves = 255;

// The code of a cell; a cell outside the 20 x 14 grid stops the player and blocks like a wall.
int cellCode(const Board& board, int x, int y);

// The value a merge leaves in the struck cell: the larger value modulo the smaller, 0 when
// they are equal.
int mergeRemainder(int pushedValue, int struckValue);

// The cells of the Board that hold a block.
int countBlocks(const Board& board);

// One attempt at a stage: the play state, the stage's working Board and what the rules may
// change in the game state.
struct MoveRules {
  PlayState& state;
  Board& board;  // playBoard[stage]
  int stage;     // currentStage: selects the block move counter
  int ngNumber;
  int& sceneNumber;  // becomes 2 on a clear, 3 on a loss
  EffectSink& effects;

  // Starts a step in a direction with exactly one of dx, dy nonzero. stepFrames and
  // prevX, prevY must already hold this frame's values.
  void beginStep(int dx, int dy);

 private:
  void stepBack();
  void push(int t);
  void merge(int t, int u);
  void judgeBoard();
};

// Runs one frame of the running step: moves the sprite and, at the step's end, puts a sliding
// block down on the cell beyond the player.
void continueStep(PlayState& state, Board& board);

// The row of the player picture: updates `facing` from the step's direction (a vertical
// direction wins) and returns it; without a direction the last facing stays.
int facingOf(PlayState& state);

// Sets the play state for a new attempt at a stage standing at (startX, startY).
void startAttempt(PlayState& state, int stage, int startX, int startY);

}  // namespace quorel
