#include "game/presentation/bitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/resources/resources.h"

namespace quorel {
namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, std::size_t at, unsigned v) {
  b[at] = static_cast<std::uint8_t>(v & 0xFF);
  b[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}
void put32(Bytes& b, std::size_t at, std::uint32_t v) {
  put16(b, at, v & 0xFFFF);
  put16(b, at + 2, v >> 16);
}

// A BMP image with rows given top row first; `pixels` are palette indices (8 bits) or
// 0x00RRGGBB (24 bits).
Bytes makeBitmap(int width, const std::vector<std::vector<std::uint32_t>>& rowsTopFirst, int bits, bool topDown,
                 const std::vector<std::uint32_t>& palette = {}) {
  const int height = static_cast<int>(rowsTopFirst.size());
  const std::size_t stride = static_cast<std::size_t>((width * bits + 31) / 32 * 4);
  const std::size_t paletteBytes = palette.size() * 4;
  const std::size_t pixelOffset = 54 + paletteBytes;
  Bytes b(pixelOffset + stride * static_cast<std::size_t>(height), 0);
  b[0] = 'B';
  b[1] = 'M';
  put32(b, 2, static_cast<std::uint32_t>(b.size()));
  put32(b, 10, static_cast<std::uint32_t>(pixelOffset));
  put32(b, 14, 40);
  put32(b, 18, static_cast<std::uint32_t>(width));
  put32(b, 22, static_cast<std::uint32_t>(topDown ? -height : height));
  put16(b, 26, 1);
  put16(b, 28, static_cast<unsigned>(bits));
  put32(b, 46, static_cast<std::uint32_t>(palette.size()));
  for (std::size_t i = 0; i < palette.size(); ++i) {
    b[54 + 4 * i] = static_cast<std::uint8_t>(palette[i] & 0xFF);
    b[54 + 4 * i + 1] = static_cast<std::uint8_t>((palette[i] >> 8) & 0xFF);
    b[54 + 4 * i + 2] = static_cast<std::uint8_t>((palette[i] >> 16) & 0xFF);
  }
  for (int y = 0; y < height; ++y) {
    const int stored = topDown ? y : height - 1 - y;
    std::size_t at = pixelOffset + static_cast<std::size_t>(stored) * stride;
    for (const std::uint32_t p : rowsTopFirst[static_cast<std::size_t>(y)]) {
      if (bits == 8) {
        b[at++] = static_cast<std::uint8_t>(p);
      } else {
        b[at++] = static_cast<std::uint8_t>(p & 0xFF);
        b[at++] = static_cast<std::uint8_t>((p >> 8) & 0xFF);
        b[at++] = static_cast<std::uint8_t>((p >> 16) & 0xFF);
      }
    }
  }
  return b;
}

const std::vector<std::vector<std::uint32_t>> kColours = {{0xFF0000, 0x00FF00, 0x0000FF},
                                                          {0x123456, 0x000000, 0xFFFFFF}};

TEST(DecodeBitmap, TwentyFourBitRowsInEitherOrderAndWithRowPadding) {
  for (const bool topDown : {false, true}) {
    const SurfacePtr s = decodeBitmap(makeBitmap(3, kColours, 24, topDown));
    ASSERT_NE(s, nullptr) << "top-down " << topDown;
    ASSERT_EQ(s->width(), 3);
    ASSERT_EQ(s->height(), 2);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) EXPECT_EQ(s->at(x, y), kColours[y][x]) << x << "," << y << " top-down " << topDown;
    }
  }
}

TEST(DecodeBitmap, EightBitThroughItsPalette) {
  const std::vector<std::uint32_t> palette = {0x000000, 0xFFFF00, 0x336699};
  for (const bool topDown : {false, true}) {
    const SurfacePtr s = decodeBitmap(makeBitmap(5, {{0, 1, 2, 1, 0}, {2, 2, 2, 2, 1}}, 8, topDown, palette));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->at(0, 0), 0x000000u);
    EXPECT_EQ(s->at(1, 0), 0xFFFF00u);
    EXPECT_EQ(s->at(2, 0), 0x336699u);
    EXPECT_EQ(s->at(4, 1), 0xFFFF00u);
  }
}

TEST(DecodeBitmap, MalformedImagesGiveNothing) {
  const Bytes good = makeBitmap(3, kColours, 24, false);
  const Bytes goodPalette = makeBitmap(2, {{0, 1}}, 8, false, {0x000000, 0xFFFFFF});
  struct Case {
    const char* name;
    Bytes bytes;
  };
  std::vector<Case> cases;
  cases.push_back({"empty", {}});
  cases.push_back({"truncated pixels", Bytes(good.begin(), good.end() - 1)});
  cases.push_back({"header only", Bytes(good.begin(), good.begin() + 30)});
  auto patched = [&](const char* name, const Bytes& from, std::size_t at, std::uint32_t value, bool wide = true) {
    Bytes b = from;
    if (wide) {
      put32(b, at, value);
    } else {
      put16(b, at, value);
    }
    cases.push_back({name, b});
  };
  patched("not BM", good, 0, 0x4142, false);
  patched("zero width", good, 18, 0);
  patched("negative width", good, 18, 0xFFFFFFFD);
  patched("zero height", good, 22, 0);
  patched("most negative height", good, 22, 0x80000000);
  patched("huge width", good, 18, 0x7FFFFFFF);
  patched("huge height", good, 22, 0x7FFFFFFF);
  patched("pixel offset past the end", good, 10, 0xFFFFFFF0);
  patched("info header past the end", good, 14, 0xFFFFFFF0);
  patched("info header too small", good, 14, 12);
  patched("16 bits", good, 28, 16, false);
  patched("compressed", good, 30, 1);
  patched("two planes", good, 26, 2, false);
  patched("palette past the end", goodPalette, 46, 200000);
  patched("palette over 256", goodPalette, 46, 257);
  {
    Bytes b = goodPalette;
    b[b.size() - 4] = 7;  // first pixel: an index beyond the two colours
    cases.push_back({"index outside the palette", b});
  }
  for (const Case& c : cases) EXPECT_EQ(decodeBitmap(c.bytes), nullptr) << c.name;
}

TEST(DecodeBitmap, TheBuiltInPicturesHaveTheirSizes) {
  struct Case {
    const char* name;
    int width, height;
  };
  const Case cases[] = {{"map", 480, 64},      {"face", 160, 288},    {"font", 441, 51},      {"logo", 540, 61},
                        {"title", 640, 480},   {"cur", 321, 36},      {"window1", 265, 90},   {"window2", 265, 46},
                        {"window3", 265, 23},  {"titleback", 640, 480}, {"endingback", 640, 480},
                        {"endingback2", 640, 480}, {"endingfont", 640, 60}};
  for (const Case& c : cases) {
    const SurfacePtr s = decodeBitmap(resources::find("BITMAP", c.name));
    ASSERT_NE(s, nullptr) << c.name;
    EXPECT_EQ(s->width(), c.width) << c.name;
    EXPECT_EQ(s->height(), c.height) << c.name;
  }
}

}  // namespace
}  // namespace quorel
