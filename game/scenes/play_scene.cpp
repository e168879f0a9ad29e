#include "game/scenes/play_scene.h"

#include <algorithm>

#include "game/scenes/board_drawing.h"
#include "game/rules/move_rules.h"

namespace quorel {

namespace {

class FormEffects : public EffectSink {
 public:
  explicit FormEffects(TForm1& form) : form_(form) {}
  void playEffect(std::string_view name, int pan) override { form_.playEffect(name, pan); }

 private:
  TForm1& form_;
};

int held(TForm1& form, int input) { return form.input(input) ? 1 : 0; }

void drawPlayer(TForm1& form) {
  PlayState& s = form.playState;
  const bool running = s.stepFrames == runningStepFrames(form.settings.drawLevel);
  const int row = facingOf(s) + (running ? 4 : 0);
  form.blit(s.spriteX, s.spriteY + kBoardTop, faceFrame(s.spriteFrame, row), form.pictures.face.get());
}

void drawSlidingBlock(TForm1& form) {
  const PlayState& s = form.playState;
  if (s.carriedCode == 0) return;
  form.blit(s.spriteX + kCellSize * s.moveX, s.spriteY + kCellSize * s.moveY + kBoardTop, mapCellOf(s.carriedCode),
            form.pictures.map.get());
}

}  // namespace

int walkingStepFrames(bool drawLevel) { return 8 * (drawLevel ? 1 : 0) + 8; }
int runningStepFrames(bool drawLevel) { return 4 * (drawLevel ? 1 : 0) + 4; }

int sceneAfterStep(StageResult result, int sceneNumber) {
  if (result == StageResult::Cleared) return kSceneClear;
  if (isLost(result)) return kSceneRetry;
  return sceneNumber;
}

void animatePose(PlayState& s) {
  s.poseTimer += 1;
  const int limit = (s.spriteFrame == 1 || s.spriteFrame == 2) ? 57 : 7;
  if (s.poseTimer <= limit) return;
  s.poseTimer = 0;
  s.spriteFrame += 1;
  if (s.spriteFrame == 5) s.spriteFrame = 0;
}

void PlayScene::pass(TForm1& form) {
  PlayState& s = form.playState;
  s.prevX = s.playerX;
  s.prevY = s.playerY;
  if (s.stepFramesLeft > 0) {
    continueStep(s, form.stageSet.playBoard[form.currentStage]);
  } else {
    inputFrame(form);
  }
  animatePose(s);
  draw(form);
  form.present();
  form.frameWait(static_cast<std::uint32_t>(std::max(form.settings.gameWait, 0)));
}

void PlayScene::draw(TForm1& form) {
  drawStatusLine(form);
  drawBoard(form, kPlayChanges);
  drawPlayer(form);
  drawSlidingBlock(form);
}

void PlayScene::inputFrame(TForm1& form) {
  PlayState& s = form.playState;
  // Button 2 pauses after this frame: a step asked for in the same frame still runs.
  if (form.input(kButton2)) form.sceneNumber = kSceneRetry;
  const int right = held(form, kInputRight);
  s.moveX = right - held(form, kInputLeft);
  const int down = held(form, kInputDown);
  s.moveY = down - held(form, kInputUp);
  const bool running = form.input(kButton1);
  s.stepFrames = running ? runningStepFrames(form.settings.drawLevel) : walkingStepFrames(form.settings.drawLevel);
  if (s.moveX != 0) s.moveY = 0;
  if (s.moveX != 0 || s.moveY != 0) {
    FormEffects effects(form);
    const int stage = form.currentStage;
    MoveRules rules{s, form.stageSet.playBoard[stage], stage, form.stageSet.ngNumber[stage], effects};
    form.sceneNumber = sceneAfterStep(rules.beginStep(s.moveX, s.moveY).result, form.sceneNumber);
  } else {
    s.spriteX = cellPixel(s.playerX);
    s.spriteY = cellPixel(s.playerY);
  }
}

}  // namespace quorel
