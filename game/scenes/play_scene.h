#pragma once
// Scene 1: the player walks and pushes over the Board until the stage is cleared, lost or left.
#include "game/rules/step_outcome.h"
#include "game/shell/form.h"

namespace quorel {

class PlayScene : public Scene {
 public:
  void pass(TForm1& form) override;
  // The frame of play over the last one: the status line, what a step may have changed of the
  // Board, the player and a sliding block.
  void draw(TForm1& form);

 private:
  void inputFrame(TForm1& form);
};

// The frames per step: 8 or 16 walking, 4 or 8 running, by DRAWLEVEL.
int walkingStepFrames(bool drawLevel);
int runningStepFrames(bool drawLevel);

// The Scene number after a step: the Stage clear when it cleared the stage, the retry menu
// when it lost it, else the one already set (the retry menu when button 2 was held).
int sceneAfterStep(StageResult result, int sceneNumber);

// The player's idle and push poses: frames 0 to 4 for 8, 58, 58, 8 and 8 frames.
void animatePose(PlayState& state);

}  // namespace quorel
