// The composition cost of the heaviest pass of each in-game scene, without present: what a
// pass draws into the back buffer (or the work surface) before the frame is handed over.
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

#include "game/presentation/screen.h"
#include "game/presentation/text.h"
#include "game/scenes/board_drawing.h"
#include "game/rules/move_rules.h"
#include "tests/support/game_harness.h"

namespace quorel {
namespace {

// The game started on the test back end with built-in stage 1 under way.
class StageOnScreen {
 public:
  StageOnScreen() {
    if (!game_.start()) throw std::runtime_error("the game did not start");
    TForm1& f = form();
    f.userStage = false;
    f.loadStageSet("");
    f.currentStage = 1;
    f.stageSet.playBoard[1] = f.stageSet.board[1];
    startAttempt(f.playState, 1, f.stageSet.startX[1], f.stageSet.startY[1]);
    // Mid-step, a block sliding ahead: the most a play frame draws.
    PlayState& s = f.playState;
    s.prevX = 4;
    s.prevY = 5;
    s.playerX = 5;
    s.moveX = 1;
    s.moveY = 0;
    s.carriedCode = 15;
    s.spriteX = 140;
    s.spriteY = 160;
    s.statusTimer = 300;  // the record rising: two texts' worth of glyphs are tried
  }
  TForm1& form() { return game_.form(); }

 private:
  testing::GameHarness game_;
};

void BM_PlayPass(benchmark::State& state) {
  StageOnScreen stage;
  TForm1& form = stage.form();
  const PlayState& s = form.playState;
  for (auto _ : state) {
    form.playState.statusTimer = 300;
    drawStatusLine(form);
    drawBoard(form, 1);
    form.blit(s.spriteX, s.spriteY + kBoardTop, faceFrame(s.spriteFrame, 4), form.pictures.face.get());
    form.blit(s.spriteX + kCellSize, s.spriteY + kBoardTop, mapCellOf(s.carriedCode), form.pictures.map.get());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PlayPass)->Unit(benchmark::kMicrosecond);

void BM_IntroWindowPass(benchmark::State& state) {
  StageOnScreen stage;
  TForm1& form = stage.form();
  for (auto _ : state) {
    form.clear();
    form.colourFill({308, 178, 348, 218}, form.screen->backBuffer(), kColourYellow);
    form.drawText(50, 50, "---------------------------------");
    form.drawText(50, 290, "---------------------------------");
    form.drawText(140, 100, "STAGE:" + formatNumber(1, 2));
    form.drawText(116, 150, "MINIMUM BLOCK MOVE:" + formatNumber(999, 3));
    form.drawText(116, 190, "NG NUMBER:");
    form.blit(312, 182, ngIconOf(6), form.pictures.map.get());
    form.drawText(130, 250, "PUSH ANY BUTTON");
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_IntroWindowPass)->Unit(benchmark::kMicrosecond);

// The reveal composes the whole Board on the work surface once per attempt.
void BM_IntroRevealComposition(benchmark::State& state) {
  StageOnScreen stage;
  TForm1& form = stage.form();
  Surface& work = *form.pictures.work;
  for (auto _ : state) {
    form.colourFill({0, 0, kScreenWidth, kScreenHeight}, work, kColourBlack);
    drawBoardOnto(form, work);
    keyedBlit(work, 96, 192, faceFrame(0, 2), form.pictures.face.get());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_IntroRevealComposition)->Unit(benchmark::kMicrosecond);

void BM_ClearDisplayPass(benchmark::State& state) {
  StageOnScreen stage;
  TForm1& form = stage.form();
  for (auto _ : state) {
    form.playState.statusTimer = 300;
    drawStatusLine(form);
    drawBoard(form, 0);
    form.blit(160, 192, faceFrame(4, 0), form.pictures.face.get());
    form.blit(0, 86, {0, 190, 640, 305}, form.pictures.title.get());
    form.blit(0, 380, {0, 405, 640, 479}, form.pictures.title.get());
    form.clear();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ClearDisplayPass)->Unit(benchmark::kMicrosecond);

void BM_RetryMenuPass(benchmark::State& state) {
  StageOnScreen stage;
  TForm1& form = stage.form();
  for (auto _ : state) {
    drawBoard(form, 0);
    form.blit(160, 192, faceFrame(0, 8), form.pictures.face.get());
    form.blit(0, 86, {0, 305, 640, 400}, form.pictures.title.get());
    form.blit(198, 252, {0, 0, 265, 44}, form.pictures.window2.get());
    form.colourFill({220, 264, 310, 284}, form.screen->backBuffer(), kColourYellow);
    form.drawText(226, 266, "RETRY");
    form.drawText(360, 266, "EXIT");
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RetryMenuPass)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quorel

BENCHMARK_MAIN();
