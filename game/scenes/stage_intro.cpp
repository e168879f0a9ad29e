#include "game/scenes/stage_intro.h"

#include "game/presentation/screen.h"
#include "game/presentation/text.h"
#include "game/presentation/tile_transition.h"
#include "game/scenes/board_drawing.h"
#include "game/rules/move_rules.h"

namespace quorel {

namespace {

constexpr Rect kNgIconFrame{308, 178, 348, 218};
constexpr const char* kWindowRule = "---------------------------------";

// The yellow frame around the NG icon flashes three times, with an "attend" at each start.
bool ngFrameShown(int t) { return (t > 19 && t < 45) || (t > 69 && t < 95) || (t > 119 && t < 145); }
bool attendDue(int t) { return t == 20 || t == 70 || t == 120; }

void drawStandingPlayer(TForm1& form, Surface* target) {
  PlayState& s = form.playState;
  const Rect frame = faceFrame(0, facingOf(s));
  const int x = cellPixel(s.playerX);
  const int y = cellPixel(s.playerY) + kBoardTop;
  if (target != nullptr) {
    keyedBlit(*target, x, y, frame, form.pictures.face.get());
  } else {
    form.blit(x, y, frame, form.pictures.face.get());
  }
}

}  // namespace

void StageIntro::pass(TForm1& form) {
  if (!form.input(kButton1) && !form.input(kButton2)) introLatch = false;
  if (introTimer == 0) startAttempt(form);
  const bool inWindowPhase = introTimer > 0 && introTimer < kBoardRevealed;
  if (inWindowPhase && !form.playState.introWindow) introTimer = kBoardRevealed;
  if (inWindowPhase && form.playState.introWindow) windowFrame(form);
  if (introTimer == kBoardRevealed) revealBoard(form);
  if (introTimer > kBoardRevealed && introTimer < kIntroEnds) slideStatusLine(form);
  introTimer += form.settings.drawLevel ? 1 : 2;
  if (introTimer >= kIntroEnds) {
    form.sceneNumber = kScenePlay;
    introTimer = 0;
    introLatch = true;
  }
  form.present();
}

void StageIntro::startAttempt(TForm1& form) {
  const int stage = form.currentStage;
  GameStageSet& set = form.stageSet;
  set.playBoard[stage] = set.board[stage];
  quorel::startAttempt(form.playState, stage, set.startX[stage], set.startY[stage]);
}

void StageIntro::windowFrame(TForm1& form) {
  const int t = introTimer;
  drawWindow(form);
  if (attendDue(t)) form.playEffect("attend", 0);
  form.frameWait(form.settings.drawLevel ? 4 : 14);
  const bool pressed = form.input(kButton1) || form.input(kButton2);
  if ((pressed && !introLatch) || t == kWindowCloses) {
    introLatch = true;
    form.playState.introWindow = false;
  }
}

void StageIntro::drawWindow(TForm1& form) {
  const int stage = form.currentStage;
  form.clear();
  if (ngFrameShown(introTimer)) form.colourFill(kNgIconFrame, form.screen->backBuffer(), kColourYellow);
  form.drawText(50, 50, kWindowRule);
  form.drawText(50, 290, kWindowRule);
  form.drawText(140, 100, "STAGE:" + formatNumber(stage, 2));
  form.drawText(116, 150, "MINIMUM BLOCK MOVE:" + formatNumber(stageRecord(form, stage), 3));
  form.drawText(116, 190, "NG NUMBER:");
  form.blit(312, 182, ngIconOf(currentNgNumber(form)), form.pictures.map.get());
  form.drawText(130, 250, "PUSH ANY BUTTON");
}

void StageIntro::revealBoard(TForm1& form) {
  if (Surface* work = form.pictures.work.get()) composeReveal(form, *work);
  form.tileTransition(kTransitionReveal);
  if (!form.settings.fadeInOut) drawBoard(form, kWholeBoard);
}

void StageIntro::composeReveal(TForm1& form, Surface& work) {
  form.colourFill({0, 0, kScreenWidth, kScreenHeight}, work, kColourBlack);
  drawBoardOnto(form, work);
  drawStandingPlayer(form, &work);
}

void StageIntro::slideStatusLine(TForm1& form) {
  const int t = introTimer;
  const int stage = form.currentStage;
  const int y = (t - kBoardRevealed) / 3 - 15;
  form.colourFill({0, 0, kScreenWidth, kBoardTop}, form.screen->backBuffer(), kColourBlack);
  form.drawText(10, y, "STAGE:" + formatNumber(stage, 2));
  form.drawText(170, y, "BLOCK MOVE:" + formatNumber(form.playState.blockMoves[stage], 3));
  form.drawText(426, y, "NG NUMBER:");
  form.blit(590 - (kIntroEnds - 1 - t), (t - (kIntroEnds - 1)) / 5, ngIconOf(currentNgNumber(form)),
            form.pictures.map.get());
  drawStandingPlayer(form, nullptr);
}

}  // namespace quorel
