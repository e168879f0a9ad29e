#include "game/presentation/tile_transition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/platform/test/test_platform.h"
#include "game/presentation/screen.h"

namespace quorel {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBefore = 0x204060;

struct TransitionFixture : ::testing::Test {
  platform::TestPlatform platform;
  Screen screen{platform, {}};
  Surface map{480, 64};
  Surface work{640, 480};
  std::vector<std::vector<std::uint32_t>> frames;  // the back buffer at each present
  std::vector<std::uint32_t> waits;
  int pumps = 0;
  int closeAfterPresents = -1;

  TransitionFixture() {
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        map.set(64 + x, 32 + y, kWhite);
        map.set(96 + x, 32 + y, 0);  // the black tile really is black
      }
    }
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) work.set(x, y, static_cast<std::uint32_t>(y << 10 | x) + 1);
    }
    std::ranges::fill(screen.backBuffer().pixels(), kBefore);
  }

  void run(TransitionMode mode, bool fadeInOut = true, bool drawLevel = true) {
    const TransitionLoop loop{
        [this] { frames.push_back(screen.backBuffer().pixels()); },
        [this] { ++pumps; },
        [this](std::uint32_t period) { waits.push_back(period); },
        [this] { return closeAfterPresents >= 0 && static_cast<int>(frames.size()) >= closeAfterPresents; },
    };
    tileTransition(screen, &map, &work, mode, {fadeInOut, drawLevel}, loop);
  }
  static std::uint32_t at(const std::vector<std::uint32_t>& frame, int x, int y) {
    return frame[static_cast<std::size_t>(y) * 640 + x];
  }
};

TEST_F(TransitionFixture, FramesPerSetting) {
  struct Case {
    bool fadeInOut, drawLevel;
    int frames;
  };
  for (const Case c : {Case{true, true, 56}, Case{true, false, 28}, Case{false, true, 0}, Case{false, false, 0}}) {
    frames.clear();
    waits.clear();
    pumps = 0;
    run(kTransitionWhite, c.fadeInOut, c.drawLevel);
    EXPECT_EQ(static_cast<int>(frames.size()), c.frames);
    EXPECT_EQ(pumps, c.frames);
    EXPECT_EQ(waits, std::vector<std::uint32_t>(static_cast<std::size_t>(c.frames), 20u));
  }
}

TEST_F(TransitionFixture, TheFirstFrameIsPresentedUnchanged) {
  run(kTransitionBlack);
  EXPECT_TRUE(std::ranges::all_of(frames[0], [](std::uint32_t p) { return p == kBefore; }));
}

TEST_F(TransitionFixture, TilesGrowFromTheTopLeftRowByRow) {
  run(kTransitionWhite);
  // After step t, cell (c, r) covers min(t - c, 32) x min(t - r, 32) pixels from its corner,
  // for rows r < t and columns c < 2 (t - r).
  const auto& step3 = frames[3];
  EXPECT_EQ(at(step3, 0, 0), kWhite);
  EXPECT_EQ(at(step3, 2, 2), kWhite);
  EXPECT_EQ(at(step3, 3, 0), kBefore);
  EXPECT_EQ(at(step3, 0, 3), kBefore);
  EXPECT_EQ(at(step3, 32, 0), kWhite);  // cell (1, 0): 2 x 3
  EXPECT_EQ(at(step3, 33, 2), kWhite);
  EXPECT_EQ(at(step3, 34, 0), kBefore);
  EXPECT_EQ(at(step3, 64, 0), kWhite);  // cell (2, 0): 1 x 3
  EXPECT_EQ(at(step3, 65, 0), kBefore);
  EXPECT_EQ(at(step3, 96, 0), kBefore);  // cell (3, 0) has no width yet
  EXPECT_EQ(at(step3, 0, 32), kWhite);   // cell (0, 1): 3 x 2
  EXPECT_EQ(at(step3, 0, 34), kBefore);
  EXPECT_EQ(at(step3, 0, 64), kWhite);   // cell (0, 2): 3 x 1
  EXPECT_EQ(at(step3, 0, 96), kBefore);  // row 3 starts at step 4

  const auto& step40 = frames[40];
  EXPECT_EQ(at(step40, 639, 0), kBefore) << "row 0 reaches column 19 at step 20, full at step 51";
  EXPECT_EQ(at(step40, 608, 0), kWhite);
  EXPECT_EQ(at(step40, 0, 473), kWhite) << "row 14 is 26 pixels high at step 40";
  EXPECT_EQ(at(step40, 0, 474), kBefore);
}

TEST_F(TransitionFixture, EveryModeEndsWithTheWholeScreenCovered) {
  for (const TransitionMode mode : {kTransitionBlack, kTransitionWhite, kTransitionReveal}) {
    std::vector<std::uint32_t> expected(640 * 480, mode == kTransitionBlack ? 0u : kWhite);
    if (mode == kTransitionReveal) expected = work.pixels();
    for (const bool drawLevel : {true, false}) {
      frames.clear();
      std::ranges::fill(screen.backBuffer().pixels(), kBefore);
      run(mode, true, drawLevel);
      EXPECT_TRUE(frames.back() == expected) << "mode " << mode << " DRAWLEVEL " << drawLevel;
      if (drawLevel) {
        EXPECT_FALSE(frames[50] == expected) << "the bottom-right cell is complete from step 51 on";
        EXPECT_TRUE(frames[51] == expected);
      }
    }
  }
}

TEST_F(TransitionFixture, TheWhiteTileIsDrawnWithTheColourKey) {
  map.set(64 + 5, 32 + 5, 0);
  run(kTransitionWhite);
  EXPECT_EQ(at(frames.back(), 5, 5), kBefore);
  EXPECT_EQ(at(frames.back(), 6, 5), kWhite);
}

TEST_F(TransitionFixture, ClosingTheWindowStopsTheTransition) {
  closeAfterPresents = 3;
  run(kTransitionReveal);
  EXPECT_EQ(frames.size(), 3u);
}

}  // namespace
}  // namespace quorel
