// The drawing a frame costs: keyed blits of whole pictures, a line of text, the heaviest step of
// a tile transition, and decoding a picture at start-up.
#include <benchmark/benchmark.h>

#include "game/platform/test/test_platform.h"
#include "game/presentation/bitmap.h"
#include "game/presentation/screen.h"
#include "game/presentation/text.h"
#include "game/presentation/tile_transition.h"
#include "game/resources/resources.h"

namespace {

using quorel::Screen;
using quorel::SurfacePtr;

struct Pictures {
  quorel::platform::TestPlatform platform;
  Screen screen{platform, {}};
  SurfacePtr title = screen.loadPicture("title");
  SurfacePtr font = screen.loadPicture("font");
  SurfacePtr map = screen.loadPicture("map");
  SurfacePtr work = screen.createSurface(640, 480);
};

void BM_BlitWholeScreenPicture(benchmark::State& state) {
  Pictures p;
  for (auto _ : state) {
    p.screen.blit(0, 0, {0, 0, 640, 480}, p.title.get());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BlitWholeScreenPicture);

void BM_BlitBoardOfCells(benchmark::State& state) {
  Pictures p;
  for (auto _ : state) {
    for (int y = 0; y < 14; ++y) {
      for (int x = 0; x < 20; ++x) p.screen.blit(32 * x, 32 * y + 32, {32, 32, 64, 64}, p.map.get());
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BlitBoardOfCells);

void BM_DrawTextLine(benchmark::State& state) {
  Pictures p;
  for (auto _ : state) {
    quorel::drawText(p.screen, p.font.get(), 0, 100, "MINIMUM BLOCK MOVE:034  BLOCK MOVE:000");
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DrawTextLine);

void BM_ColourFillScreen(benchmark::State& state) {
  Pictures p;
  for (auto _ : state) {
    p.screen.colourFill({0, 0, 640, 480}, p.screen.backBuffer(), quorel::kColourWhite);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ColourFillScreen);

// A whole reveal transition of 56 steps, without presenting or waiting.
void BM_RevealTransitionDrawing(benchmark::State& state) {
  Pictures p;
  const quorel::TransitionLoop loop{[] {}, [] {}, [](std::uint32_t) {}, [] { return false; }};
  for (auto _ : state) {
    quorel::tileTransition(p.screen, p.map.get(), p.work.get(), quorel::kTransitionReveal, {}, loop);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RevealTransitionDrawing)->Unit(benchmark::kMillisecond);

void BM_DecodeTitlePicture(benchmark::State& state) {
  const auto bytes = quorel::resources::find("BITMAP", "title");
  for (auto _ : state) benchmark::DoNotOptimize(quorel::decodeBitmap(bytes));
}
BENCHMARK(BM_DecodeTitlePicture)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
