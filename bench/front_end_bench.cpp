// The composition cost of the front end's busiest passes, without present: the Options with its
// shimmering mosaic (300 fills and the texts) and the Title menu at rest.
#include <benchmark/benchmark.h>

#include <stdexcept>

#include "game/scenes/options_scene.h"
#include "game/scenes/title_menu.h"
#include "tests/support/game_harness.h"

namespace quorel {
namespace {

class StartedGame {
 public:
  StartedGame() {
    if (!game_.start()) throw std::runtime_error("the game did not start");
    form().settings.continueValue = 12;  // the stage select line is drawn too
  }
  TForm1& form() { return game_.form(); }

 private:
  testing::GameHarness game_;
};

void BM_OptionsPassWithMosaic(benchmark::State& state) {
  StartedGame game;
  TForm1& form = game.form();
  OptionsScene options;
  for (auto _ : state) {
    options.draw(form);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_OptionsPassWithMosaic)->Unit(benchmark::kMicrosecond);

void BM_TitleMenuPass(benchmark::State& state) {
  StartedGame game;
  TForm1& form = game.form();
  TitleMenu title;
  for (auto _ : state) {
    title.drawMenu(form);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TitleMenuPass)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quorel

BENCHMARK_MAIN();
