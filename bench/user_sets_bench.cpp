// The composition cost of the User stage select's pass and of the staff roll's pass, without
// the frame wait and present: what a pass draws into the back buffer.
#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>

#include "game/scenes/ending.h"
#include "game/scenes/user_select.h"
#include "game/shell/stage_files.h"
#include "tests/support/game_harness.h"

namespace quorel {
namespace {

testing::GameHarness& startedGame(testing::GameHarness& game) {
  if (!game.start()) throw std::runtime_error("the game did not start");
  return game;
}

// A full list: 27 files, as many as the screen shows, their labels all 25 characters long.
void BM_UserSelectPass(benchmark::State& state) {
  testing::GameHarness game;
  TForm1& form = startedGame(game).form();
  for (int i = 0; i < kStageFilesShown; ++i) {
    const std::string name = "a-stage-set-with-a-long-name-" + std::to_string(i) + ".qrl";
    form.FileListBox1.names.push_back(name);
    form.FileListBox1.labels.push_back(stageFileLabel(name));
  }
  form.buildStageFileList();
  form.settings.drawLevel = true;  // the mosaic on every pass
  UserSelect select;
  select.userSelectReady = true;
  for (auto _ : state) {
    select.browse(form);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_UserSelectPass)->Unit(benchmark::kMicrosecond);

// Mid-way, when the roll fills the screen; every one of the 19 lines is drawn or clipped.
void BM_StaffRollPass(benchmark::State& state) {
  testing::GameHarness game;
  TForm1& form = startedGame(game).form();
  form.loadPicture(&Pictures::endingback2);
  form.stageSet.designer = "THE DESIGNER";
  Ending ending;
  ending.rollTop = -160;
  for (auto _ : state) {
    ending.drawStaffRoll(form);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_StaffRollPass)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quorel

BENCHMARK_MAIN();
