// The composition cost of the heaviest pass of each in-game scene, without present: what a
// pass draws into the back buffer (or the work surface) before the frame is handed over.
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

#include "game/rules/move_rules.h"
#include "game/scenes/play_scene.h"
#include "game/scenes/retry_menu.h"
#include "game/scenes/stage_clear.h"
#include "game/scenes/stage_intro.h"
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
  PlayScene play;
  for (auto _ : state) {
    form.playState.statusTimer = 300;
    play.draw(form);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PlayPass)->Unit(benchmark::kMicrosecond);

void BM_IntroWindowPass(benchmark::State& state) {
  StageOnScreen stage;
  TForm1& form = stage.form();
  StageIntro intro;
  intro.introTimer = 30;  // the NG icon's frame flashing
  for (auto _ : state) {
    intro.drawWindow(form);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_IntroWindowPass)->Unit(benchmark::kMicrosecond);

// The reveal composes the whole Board on the work surface once per attempt.
void BM_IntroRevealComposition(benchmark::State& state) {
  StageOnScreen stage;
  TForm1& form = stage.form();
  StageIntro intro;
  for (auto _ : state) {
    intro.composeReveal(form, *form.pictures.work);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_IntroRevealComposition)->Unit(benchmark::kMicrosecond);

void BM_ClearDisplayPass(benchmark::State& state) {
  StageOnScreen stage;
  TForm1& form = stage.form();
  StageClear clear;
  clear.newRecord = true;
  for (auto _ : state) {
    form.playState.statusTimer = 300;
    clear.drawClearDisplay(form);
    form.clear();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ClearDisplayPass)->Unit(benchmark::kMicrosecond);

void BM_RetryMenuPass(benchmark::State& state) {
  StageOnScreen stage;
  TForm1& form = stage.form();
  RetryMenu menu;
  for (auto _ : state) {
    menu.draw(form);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RetryMenuPass)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quorel

BENCHMARK_MAIN();
