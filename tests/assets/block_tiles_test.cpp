// The numbered blocks as a player reads them, taken from the generated `map` picture: every
// digit must read at a glance at 1:1, and neighbouring values must not share a colour.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "common/tile_codes.h"
#include "game/scenes/board_drawing.h"
#include "tests/assets/generated_pictures.h"

namespace quorel {
namespace {

using quorel::testing::picture;

int redOf(std::uint32_t p) { return int(p >> 16 & 0xFF); }
int greenOf(std::uint32_t p) { return int(p >> 8 & 0xFF); }
int blueOf(std::uint32_t p) { return int(p & 0xFF); }

// The numbers are white, the faces coloured: only lettering is this close to white.
bool isLettering(std::uint32_t p) { return std::min({redOf(p), greenOf(p), blueOf(p)}) >= 225; }

// A two-level picture of one digit, cropped to its ink.
struct Glyph {
  int width = 0, height = 0;
  std::vector<std::uint8_t> ink;
  bool at(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height && ink[std::size_t(y * width + x)]; }
  bool operator==(const Glyph&) const = default;
};

// The connected parts of the set cells of `on`, a w x h grid, each as its cell indices;
// `diagonal` joins cells that touch at a corner too.
std::vector<std::vector<int>> parts(const std::vector<std::uint8_t>& on, int w, int h, bool diagonal) {
  std::vector<int> label(on.size(), -1);
  std::vector<std::vector<int>> found;
  for (int start = 0; start < w * h; ++start) {
    if (!on[std::size_t(start)] || label[std::size_t(start)] >= 0) continue;
    std::vector<int> cells = {start};
    label[std::size_t(start)] = int(found.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const int x = cells[i] % w, y = cells[i] / w;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          if ((dx == 0 && dy == 0) || (!diagonal && dx != 0 && dy != 0)) continue;
          const int nx = x + dx, ny = y + dy;
          if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
          const int n = ny * w + nx;
          if (on[std::size_t(n)] && label[std::size_t(n)] < 0) {
            label[std::size_t(n)] = label[std::size_t(start)];
            cells.push_back(n);
          }
        }
    }
    found.push_back(std::move(cells));
  }
  return found;
}

// The digits written on the block of `value`, left to right. Specks (the glint in the lit
// corner can be near white) are not digits.
std::vector<Glyph> digitsOnBlock(int value) {
  const Surface& map = picture("map");
  const Rect cell = mapCellOf(blockCode(value));
  std::vector<std::uint8_t> on(32 * 32, 0);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) on[std::size_t(y * 32 + x)] = isLettering(map.at(cell.left + x, cell.top + y));
  std::vector<std::pair<int, Glyph>> placed;  // by their left edge
  for (const std::vector<int>& p : parts(on, 32, 32, true)) {
    if (p.size() < 30) continue;
    int left = 32, top = 32, right = 0, bottom = 0;
    for (int c : p) {
      left = std::min(left, c % 32), right = std::max(right, c % 32 + 1);
      top = std::min(top, c / 32), bottom = std::max(bottom, c / 32 + 1);
    }
    Glyph g{right - left, bottom - top, {}};
    g.ink.assign(std::size_t(g.width * g.height), 0);
    for (int c : p) g.ink[std::size_t((c / 32 - top) * g.width + c % 32 - left)] = 1;
    placed.emplace_back(left, std::move(g));
  }
  std::sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<Glyph> glyphs;
  for (auto& [left, g] : placed) glyphs.push_back(std::move(g));
  return glyphs;
}

// A counter is a hole in the ink that the background cannot reach from outside: what tells 0,
// 6, 8 and 9 from the rest at a glance. Each is given by its height in the glyph, 0 top to 1 foot.
std::vector<double> countersOf(const Glyph& g) {
  const int w = g.width + 2, h = g.height + 2;
  std::vector<std::uint8_t> paper(std::size_t(w * h), 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) paper[std::size_t(y * w + x)] = !g.at(x - 1, y - 1);
  std::vector<double> counters;
  for (const std::vector<int>& p : parts(paper, w, h, false)) {
    if (std::find(p.begin(), p.end(), 0) != p.end()) continue;  // the outside
    double sum = 0;
    for (int c : p) sum += c / w - 1 + 0.5;
    counters.push_back(sum / double(p.size()) / g.height);
  }
  std::sort(counters.begin(), counters.end());
  return counters;
}

// Ink that two glyphs do not share, as a share of the ink either has, at the best of the small
// shifts a reader's eye forgives.
double difference(const Glyph& a, const Glyph& b) {
  double best = 1.0;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      int apart = 0, either = 0;
      for (int y = -1; y <= std::max(a.height, b.height); ++y)
        for (int x = -1; x <= std::max(a.width, b.width); ++x) {
          const bool inA = a.at(x, y), inB = b.at(x + dx, y + dy);
          apart += inA != inB;
          either += inA || inB;
        }
      best = std::min(best, double(apart) / either);
    }
  return best;
}

// The ten digits in each size the blocks use: alone on the blocks 1 to 9 (no block shows a
// lone 0), and in pairs on the blocks 10 to 25.
struct DigitSet {
  const char* name;
  std::array<Glyph, 10> glyphs;
  int first;
};

DigitSet loneDigits() {
  DigitSet set{"alone", {}, 1};
  for (int value = 1; value <= 9; ++value) set.glyphs[std::size_t(value)] = digitsOnBlock(value).at(0);
  return set;
}

DigitSet pairedDigits() {
  DigitSet set{"in pairs", {}, 0};
  for (int value = 10; value <= 19; ++value) set.glyphs[std::size_t(value % 10)] = digitsOnBlock(value).at(1);
  return set;
}

TEST(BlockDigits, EveryBlockWritesItsValueWithTheSameDigits) {
  const DigitSet paired = pairedDigits();
  for (int value = 1; value <= 25; ++value) {
    SCOPED_TRACE(value);
    const std::vector<Glyph> digits = digitsOnBlock(value);
    ASSERT_EQ(digits.size(), value < 10 ? 1u : 2u);
    if (value < 10) continue;
    EXPECT_TRUE(digits[0] == paired.glyphs[std::size_t(value / 10)]) << "its tens digit is drawn differently";
    EXPECT_TRUE(digits[1] == paired.glyphs[std::size_t(value % 10)]) << "its ones digit is drawn differently";
  }
}

// Where a digit closes its counters: "top", "middle" or "foot" for each.
std::vector<std::string> counterPlaces(const Glyph& g) {
  std::vector<std::string> places;
  for (double h : countersOf(g)) places.emplace_back(h < 0.42 ? "top" : h > 0.58 ? "foot" : "middle");
  return places;
}

// 0, 6, 8 and 9 close their counters, in their own places; every other digit stays open, so a 4
// cannot read as a 9 nor a 3 as an 8.
TEST(BlockDigits, OnlyTheRoundDigitsCloseCountersInTheirPlaces) {
  const std::array<std::vector<std::string>, 10> expected = {{
      {"middle"}, {}, {}, {}, {}, {}, {"foot"}, {}, {"top", "foot"}, {"top"}}};
  for (const DigitSet& set : {loneDigits(), pairedDigits()})
    for (int digit = set.first; digit <= 9; ++digit)
      EXPECT_EQ(counterPlaces(set.glyphs[std::size_t(digit)]), expected[std::size_t(digit)])
          << digit << " " << set.name;
}

// At a glance the eye takes in a digit's closed counters before its strokes: two digits with
// counters in the same places read alike however their strokes run (as a 4 with a closed
// counter did beside a 9), and two open digits must differ in a good share of their ink.
TEST(BlockDigits, NoTwoDigitsOfASizeLookAlike) {
  for (const DigitSet& set : {loneDigits(), pairedDigits()})
    for (int a = set.first; a <= 9; ++a)
      for (int b = a + 1; b <= 9; ++b) {
        SCOPED_TRACE(::testing::Message() << a << " and " << b << " " << set.name);
        const Glyph &ga = set.glyphs[std::size_t(a)], &gb = set.glyphs[std::size_t(b)];
        const std::vector<std::string> counters = counterPlaces(ga);
        if (counters != counterPlaces(gb)) continue;
        EXPECT_TRUE(counters.empty()) << "both close counters at the same places";
        EXPECT_GE(difference(ga, gb), 0.3);
      }
}

// The hue most of a block's face shows, in degrees round the colour wheel (red 0, green 120,
// blue 240).
double dominantHue(int value) {
  const Surface& map = picture("map");
  const Rect cell = mapCellOf(blockCode(value));
  std::array<int, 36> bins{};
  std::vector<double> hues;
  for (int y = cell.top; y < cell.bottom; ++y)
    for (int x = cell.left; x < cell.right; ++x) {
      const std::uint32_t p = map.at(x, y);
      const double r = redOf(p) / 255.0, g = greenOf(p) / 255.0, b = blueOf(p) / 255.0;
      const double high = std::max({r, g, b}), low = std::min({r, g, b});
      if (high < 0.3 || high - low < 0.25 * high) continue;  // outline, shadow, lettering
      const double hue = std::atan2(std::sqrt(3.0) * (g - b), 2 * r - g - b) * 180.0 / std::numbers::pi;
      hues.push_back(hue < 0 ? hue + 360 : hue);
      ++bins[std::size_t(hues.back() / 10) % 36];
    }
  const auto peak = double(std::max_element(bins.begin(), bins.end()) - bins.begin()) * 10 + 5;
  double sx = 0, sy = 0;
  for (double h : hues) {
    if (std::abs(std::remainder(h - peak, 360.0)) > 20) continue;
    sx += std::cos(h * std::numbers::pi / 180), sy += std::sin(h * std::numbers::pi / 180);
  }
  return std::atan2(sy, sx) * 180.0 / std::numbers::pi;
}

TEST(BlockColours, NeighbouringValuesDifferClearlyInHue) {
  std::vector<double> hue(26);
  for (int value = 1; value <= 25; ++value) hue[std::size_t(value)] = dominantHue(value);
  for (int value = 1; value < 25; ++value) {
    const double apart = std::abs(std::remainder(hue[std::size_t(value)] - hue[std::size_t(value + 1)], 360.0));
    EXPECT_GE(apart, 60.0) << value << " and " << value + 1;
  }
}

}  // namespace
}  // namespace quorel
