#include "game/presentation/screen.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "game/platform/test/test_platform.h"
#include "game/resources/resources.h"

namespace quorel {
namespace {

constexpr std::uint32_t kUntouched = 0x0A0B0C;

// Every pixel of the 32 x 32 picture tells where it came from: (row << 8) | column, plus 1 so
// that none is black.
std::uint32_t sourcePixel(int x, int y) { return (static_cast<std::uint32_t>(y) << 8 | static_cast<std::uint32_t>(x)) + 1; }

Surface numberedPicture() {
  Surface s(32, 32);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) s.set(x, y, sourcePixel(x, y));
  }
  return s;
}

struct ScreenFixture : ::testing::Test {
  platform::TestPlatform platform;
  int pacings = 0;
  Screen screen{platform, [this] { ++pacings; }};
  Surface picture = numberedPicture();

  void SetUp() override { std::ranges::fill(screen.backBuffer().pixels(), kUntouched); }
  std::uint32_t at(int x, int y) const { return screen.backBuffer().at(x, y); }
  int drawnPixels() const {
    return static_cast<int>(std::ranges::count_if(screen.backBuffer().pixels(), [](std::uint32_t p) { return p != kUntouched; }));
  }
};

TEST_F(ScreenFixture, ABlitIsClippedAtEveryEdgeOfTheScreen) {
  struct Case {
    const char* name;
    int x, y;
    int firstColumn, firstRow;  // where on the screen the drawn part starts
    int sourceColumn, sourceRow;  // which source pixel lands there
    int width, height;  // of the drawn part
  };
  const Case cases[] = {
      {"inside", 100, 50, 100, 50, 0, 0, 32, 32},
      {"x = -10", -10, 50, 0, 50, 10, 0, 22, 32},
      {"y = -5", 100, -5, 100, 0, 0, 5, 32, 27},
      {"past the right edge", 620, 50, 620, 50, 0, 0, 20, 32},
      {"past the bottom edge", 100, 470, 100, 470, 0, 0, 32, 10},
      {"top-left corner", -31, -31, 0, 0, 31, 31, 1, 1},
      {"bottom-right corner", 639, 479, 639, 479, 0, 0, 1, 1},
  };
  for (const Case& c : cases) {
    SetUp();
    screen.blit(c.x, c.y, {0, 0, 32, 32}, &picture);
    EXPECT_EQ(drawnPixels(), c.width * c.height) << c.name;
    EXPECT_EQ(at(c.firstColumn, c.firstRow), sourcePixel(c.sourceColumn, c.sourceRow)) << c.name;
    EXPECT_EQ(at(c.firstColumn + c.width - 1, c.firstRow + c.height - 1),
              sourcePixel(c.sourceColumn + c.width - 1, c.sourceRow + c.height - 1))
        << c.name;
  }
}

TEST_F(ScreenFixture, WhollyOutsideEmptyOrBadRectanglesDrawNothing) {
  struct Case {
    const char* name;
    int x, y;
    Rect source;
  };
  const Case cases[] = {
      {"right of the screen", 700, 10, {0, 0, 32, 32}},   {"at x = 640", 640, 10, {0, 0, 32, 32}},
      {"left of the screen", -40, 10, {0, 0, 32, 32}},    {"at x = -32", -32, 10, {0, 0, 32, 32}},
      {"below the screen", 10, 480, {0, 0, 32, 32}},      {"above the screen", 10, -100, {0, 0, 32, 32}},
      {"empty", 10, 10, {5, 5, 5, 9}},                    {"inverted", 10, 10, {9, 9, 5, 5}},
      {"outside the picture", 10, 10, {16, 16, 48, 48}},  {"left of the picture", 10, 10, {-4, 0, 8, 8}},
  };
  for (const Case& c : cases) {
    screen.blit(c.x, c.y, c.source, &picture);
    screen.copy(c.x, c.y, c.source, &picture);
    EXPECT_EQ(drawnPixels(), 0) << c.name;
  }
  screen.blit(0, 0, {0, 0, 8, 8}, nullptr);
  screen.copy(0, 0, {0, 0, 8, 8}, nullptr);
  EXPECT_EQ(drawnPixels(), 0) << "a picture that failed to load";
}

TEST_F(ScreenFixture, BlackIsTransparentInABlitAndOpaqueInACopy) {
  picture.set(3, 4, 0);
  screen.blit(100, 100, {0, 0, 32, 32}, &picture);
  EXPECT_EQ(at(103, 104), kUntouched);
  EXPECT_EQ(at(104, 104), sourcePixel(4, 4));
  screen.copy(200, 100, {2, 3, 10, 12}, &picture);
  EXPECT_EQ(at(201, 101), 0u);
  EXPECT_EQ(at(200, 100), sourcePixel(2, 3));
  EXPECT_EQ(at(207, 108), sourcePixel(9, 11));
  EXPECT_EQ(at(208, 108), kUntouched);
}

TEST_F(ScreenFixture, ColourFillTakesWindowsColoursAndStaysOnItsTarget) {
  screen.colourFill({-5, -5, 3, 2}, screen.backBuffer(), kColourYellow);
  EXPECT_EQ(at(0, 0), 0xFFFF00u);
  EXPECT_EQ(at(2, 1), 0xFFFF00u);
  EXPECT_EQ(drawnPixels(), 6);

  Surface work(64, 48);
  screen.colourFill({60, 40, 700, 500}, work, 0x332211);  // 0x00BBGGRR
  EXPECT_EQ(work.at(63, 47), 0x112233u);
  EXPECT_EQ(work.at(59, 47), 0u);
  screen.colourFill({10, 10, 5, 5}, work, kColourWhite);
  EXPECT_EQ(work.at(7, 7), 0u) << "an inverted rectangle fills nothing";
}

TEST_F(ScreenFixture, ClearBlackensTheWholeBackBuffer) {
  screen.clear();
  EXPECT_TRUE(std::ranges::all_of(screen.backBuffer().pixels(), [](std::uint32_t p) { return p == 0; }));
}

TEST_F(ScreenFixture, PresentPacesThenHandsOverTheFrame) {
  screen.backBuffer().set(639, 479, 0x123456);
  platform.displayImpl.clock = nullptr;
  screen.present();
  EXPECT_EQ(pacings, 1);
  ASSERT_EQ(platform.displayImpl.lastFrame.size(), 640u * 480u);
  EXPECT_EQ(platform.displayImpl.pixel(639, 479), 0x123456u);
  EXPECT_EQ(platform.displayImpl.pixel(0, 0), kUntouched);
}

TEST_F(ScreenFixture, PicturesComeFromTheResourcesByNameInAnyCase) {
  const SurfacePtr map = screen.loadPicture("MaP");
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(map->width(), 480);
  EXPECT_EQ(map->height(), 64);
  EXPECT_EQ(screen.loadPicture("nothing"), nullptr);
}

TEST_F(ScreenFixture, ANameWithBmpIsReadFromThePictureFolder) {
  const auto folder = std::filesystem::temp_directory_path() / ("quorel-screen-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const auto bytes = resources::find("BITMAP", "cur");
  {
    std::ofstream out(folder / "cursor.bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  screen.pictureFolder = folder.string() + "/";
  const SurfacePtr cursor = screen.loadPicture("CURSOR.BMP");  // the name is lower-cased first
  ASSERT_NE(cursor, nullptr);
  EXPECT_EQ(cursor->width(), 321);
  EXPECT_EQ(screen.loadPicture("missing.bmp"), nullptr);
  std::filesystem::remove_all(folder);
}

TEST_F(ScreenFixture, CreateSurfaceMakesABlackSurfaceOfThatSize) {
  const SurfacePtr work = screen.createSurface(640, 480);
  ASSERT_NE(work, nullptr);
  EXPECT_EQ(work->width(), 640);
  EXPECT_EQ(work->at(639, 479), 0u);
  EXPECT_EQ(screen.createSurface(0, 10), nullptr);
}

}  // namespace
}  // namespace quorel
