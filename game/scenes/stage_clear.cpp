#include "game/scenes/stage_clear.h"

#include "game/presentation/screen.h"
#include "game/presentation/tile_transition.h"
#include "game/scenes/board_drawing.h"
#include "game/rules/move_rules.h"
#include "game/shell/scene_steps.h"
#include "game/shell/settings.h"

namespace quorel {

namespace {

constexpr Rect kClearBanner{0, 190, 640, 305};
constexpr Rect kRecordBanner{0, 405, 640, 479};
constexpr int kClearBannerY = 86;
constexpr int kRecordBannerY = 380;

void drawPushPose(TForm1& form, int x, int y) {
  form.blit(x, y, faceFrame(kPushPose, facingOf(form.playState)), form.pictures.face.get());
}

}  // namespace

void StageClear::pass(TForm1& form) {
  if (form.playState.stepFramesLeft > 0) {
    runOutStep(form);
  } else if (flyFrames != 0) {
    flyOff(form);
  } else {
    clearDisplay(form);
  }
}

void StageClear::runOutStep(TForm1& form) {
  PlayState& s = form.playState;
  flyFrames = 0;
  advanceSprite(s);
  drawBoard(form, kPlayChanges);
  drawPushPose(form, s.spriteX, s.spriteY + kBoardTop);
  form.present();
  form.frameWait(15);
}

void StageClear::flyOff(TForm1& form) {
  PlayState& s = form.playState;
  // The clearing push's direction is still in moveX, moveY: the player flies on that way.
  flySpeed += 0.5;
  s.spriteX = static_cast<int>(s.spriteX + s.moveX * flySpeed);
  s.spriteY = static_cast<int>(s.spriteY + s.moveY * flySpeed);
  bannerY += flySpeed;
  drawPushPose(form, s.spriteX, s.spriteY);
  form.blit(0, static_cast<int>(bannerY), kClearBanner, form.pictures.title.get());
  flyFrames += 1;
  form.frameWait(20);
  if (flyFrames == kFlyOffEnds) {
    flySpeed = 0.0;
    bannerY = 86.0;
    flyFrames = 0;
    form.sceneNumber = kSceneIntro;
  }
  form.present();
  form.clear();
}

void StageClear::clearDisplay(TForm1& form) {
  if (!form.input(kButton1) && !form.input(kButton2)) clearLatch = false;
  if (clearFirstFrame) {
    checkRecord(form);
    form.playEffect("next", 0);
    clearFirstFrame = false;
  }
  drawClearDisplay(form);
  if (form.input(kButton1) && !clearLatch) leaveStage(form);
  form.present();
  form.clear();
}

void StageClear::drawClearDisplay(TForm1& form) {
  const PlayState& s = form.playState;
  drawStatusLine(form);
  drawBoard(form, kWholeBoard);
  drawPushPose(form, cellPixel(s.playerX), cellPixel(s.playerY) + kBoardTop);
  form.blit(0, kClearBannerY, kClearBanner, form.pictures.title.get());
  if (newRecord) form.blit(0, kRecordBannerY, kRecordBanner, form.pictures.title.get());
}

void StageClear::checkRecord(TForm1& form) {
  const int stage = form.currentStage;
  const int moves = form.playState.blockMoves[stage];
  int& record = playedSetRecords(form)[static_cast<std::size_t>(stage)];
  if (moves < record) {
    record = moves;
    newRecord = true;
  }
}

void StageClear::leaveStage(TForm1& form) {
  PlayState& s = form.playState;
  flyFrames = 1;
  s.spriteX = cellPixel(s.playerX);
  s.spriteY = cellPixel(s.playerY) + kBoardTop;
  if (Surface* work = form.pictures.work.get()) {
    form.colourFill({0, 0, kScreenWidth, kScreenHeight}, *work, kColourBlack);
    keyedBlit(*work, s.spriteX, s.spriteY, faceFrame(kPushPose, facingOf(s)), form.pictures.face.get());
    keyedBlit(*work, 0, kClearBannerY, kClearBanner, form.pictures.title.get());
  }
  form.tileTransition(kTransitionReveal);
  // Test play ends with its stage; the rest of the pass still runs before the window closes.
  if (form.testPlay) form.closeMainWindow();
  form.currentStage += 1;
  s.introWindow = true;
  if (form.userStage) {
    advanceUserSet(form);
  } else {
    advanceBuiltInSet(form);
  }
  newRecord = false;
  clearFirstFrame = true;
  clearLatch = true;
}

void StageClear::advanceBuiltInSet(TForm1& form) {
  if (form.currentStage >= form.stageSet.stageLimit) {
    startEnding(form);
  } else if (form.settings.continueValue < form.currentStage) {
    form.settings.continueValue += 1;
  }
}

void StageClear::advanceUserSet(TForm1& form) {
  const int stage = form.currentStage;
  const int limit = form.stageSet.stageLimit;
  int& userContinue = form.userRecords.userContinue;
  const bool firstClear = stage > userContinue;
  if (firstClear || newRecord) {
    // Only a first clear opens the next stage, and there is no stage to open after the last.
    if (firstClear && stage < limit) userContinue += 1;
    // A record file that cannot be written leaves the old one; the game goes on.
    (void)writeUserRecords(userRecordsPath(form.folder, form.userStageFileName), limit, form.userRecords);
  }
  // Decided apart from the record file: a continue value read as the stage limit or more must
  // not let the last stage's clear run into a stage that does not exist.
  if (stage >= limit) startEnding(form);
}

void StageClear::startEnding(TForm1& form) {
  form.sceneNumber = kSceneEnding;
  form.stopMusic();
  form.tileTransition(kTransitionWhite);
}

}  // namespace quorel
