#pragma once
// One step of the player as the game animates it: the step's outcome (step_outcome.h) applied
// to the play state over the frames of the step. A pushed block is lifted at the step's start
// and put down at its end; the sounds a step wants go through an EffectSink.
#include <string_view>

#include "common/stage_set.h"
#include "game/rules/play_state.h"
#include "game/rules/step_outcome.h"

namespace quorel {

class EffectSink {
 public:
  virtual ~EffectSink() = default;
  virtual void playEffect(std::string_view name, int pan) = 0;
};

// One attempt at a stage: the play state, the stage's working Board and its NG number.
struct MoveRules {
  PlayState& state;
  Board& board;  // playBoard[stage]
  int stage;     // currentStage: selects the block move counter
  int ngNumber;
  EffectSink& effects;

  // Starts a step in a direction with exactly one of dx, dy nonzero and returns what it did.
  // stepFrames and prevX, prevY must already hold this frame's values.
  StepOutcome beginStep(int dx, int dy);

 private:
  void stepBack();
  void countBlockMove();
};

// Moves the sprite one frame of the running step on and counts the frame.
void advanceSprite(PlayState& state);

// Runs one frame of the running step: moves the sprite and, at the step's end, puts a sliding
// block down on the cell beyond the player.
void continueStep(PlayState& state, Board& board);

// The row of the player picture: updates `facing` from the step's direction (a vertical
// direction wins) and returns it; without a direction the last facing stays.
int facingOf(PlayState& state);

// Sets the play state for a new attempt at a stage standing at (startX, startY).
void startAttempt(PlayState& state, int stage, int startX, int startY);

}  // namespace quorel
