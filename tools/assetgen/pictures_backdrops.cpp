// Full-screen backgrounds. They are drawn with the colour key, so none of them may hold a
// pixel of pure black: each ends with makeOpaque as a guard.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/assetgen/pictures.h"

namespace assetgen {
namespace {

constexpr int kW = 640, kH = 480;
constexpr double kPi = 3.14159265358979323846;

Image verticalGradient(const std::vector<Colour>& stops) {
  Image img(kW, kH);
  const double spans = double(stops.size() - 1);
  for (int y = 0; y < kH; ++y) {
    const double t = double(y) / (kH - 1) * spans;
    const std::size_t i = std::min(std::size_t(t), stops.size() - 2);
    img.hline(0, y, kW, mix(stops[i], stops[i + 1], t - double(i)));
  }
  return img;
}

// A block seen through haze: the ramp colour pulled towards the colour behind it.
void hazyBlock(Image& img, int x, int y, int size, int value, double haze) {
  const Colour behind = img.at(std::clamp(x + size / 2, 0, kW - 1), std::clamp(y + size / 2, 0, kH - 1));
  const Colour base = mix(blockColour(value), behind, haze);
  const Colour light = mix(shade(blockColour(value), 1.5), behind, haze);
  const Colour dark = mix(shade(blockColour(value), 0.55), behind, haze);
  img.fill(x, y, size, size, base);
  img.fill(x, y, size, 2, light);
  img.fill(x, y, 2, size, light);
  img.fill(x + 2, y + size - 2, size - 2, 2, dark);
  img.fill(x + size - 2, y + 2, 2, size - 2, dark);
}

void twinkle(Image& img, int x, int y, Colour c) {
  img.set(x, y, c);
  img.set(x + 1, y, shade(c, 0.6));
  img.set(x - 1, y, shade(c, 0.6));
  img.set(x, y + 1, shade(c, 0.6));
  img.set(x, y - 1, shade(c, 0.6));
}

void starField(Image& img, int count, int maxY, std::uint32_t seed) {
  for (int i = 0; i < count; ++i) {
    const int x = int(hash(std::uint32_t(i), seed, 1) % kW), y = int(hash(std::uint32_t(i), seed, 2) % std::uint32_t(maxY));
    const std::uint32_t kind = hash(std::uint32_t(i), seed, 3) % 10;
    const Colour behind = img.at(x, y);
    if (kind == 0) twinkle(img, x, y, rgb(255, 250, 220));
    else img.set(x, y, mix(behind, kind < 4 ? rgb(200, 220, 255) : rgb(255, 255, 255), kind < 7 ? 0.45 : 0.8));
  }
}

}  // namespace

Image drawTitleBack() {
  Image img = verticalGradient({rgb(22, 18, 62), rgb(38, 48, 116), rgb(34, 92, 132), rgb(26, 62, 96)});
  // A faint checker of large squares, like a giant board far below.
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      if (((x / 40) + (y / 40)) % 2 == 0) img.set(x, y, shade(img.at(x, y), 1.035));
  starField(img, 140, 240, 5);
  // Blocks drift along the sides, clear of the menu panels in the middle.
  struct Drift { int x, y, size, value; double haze; };
  const Drift drifts[] = {
      {24, 214, 40, 3, 0.55}, {82, 286, 28, 8, 0.62}, {30, 344, 32, 12, 0.58}, {118, 398, 24, 17, 0.66},
      {40, 420, 20, 22, 0.7}, {560, 220, 36, 5, 0.56}, {512, 300, 26, 10, 0.62}, {578, 350, 40, 15, 0.55},
      {498, 404, 22, 20, 0.68}, {604, 150, 20, 24, 0.7}, {14, 126, 22, 7, 0.7}, {150, 236, 18, 2, 0.74},
      {470, 250, 18, 19, 0.74}};
  for (const Drift& d : drifts) hazyBlock(img, d.x, d.y, d.size, d.value, d.haze);
  // A darker strip at the foot carries the credit line.
  for (int y = 452; y < kH; ++y) img.hline(0, y, kW, shade(img.at(0, y), 0.6));
  img.hline(0, 452, kW, rgb(90, 140, 200));
  img.makeOpaque();
  return img;
}

Image drawEndingBack() {
  // Dawn: rays rise from below the screen through a sky that warms towards the horizon.
  Image img(kW, kH);
  const Colour top = rgb(58, 26, 86), middle = rgb(156, 60, 110), low = rgb(246, 150, 84);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const double t = double(y) / (kH - 1);
      Colour sky = t < 0.55 ? mix(top, middle, t / 0.55) : mix(middle, low, (t - 0.55) / 0.45);
      const double angle = std::atan2(double(x - kW / 2), double(kH + 120 - y));
      const bool ray = int(std::floor((angle + kPi) / (kPi / 18))) % 2 == 0;
      if (ray) sky = shade(sky, 1.08 + 0.08 * t);
      img.set(x, y, sky);
    }
  // Confetti in the colours of the blocks.
  for (int i = 0; i < 220; ++i) {
    const int x = int(hash(std::uint32_t(i), 9, 1) % kW), y = int(hash(std::uint32_t(i), 9, 2) % kH);
    const int value = int(hash(std::uint32_t(i), 9, 3) % 25) + 1;
    const bool tall = hash(std::uint32_t(i), 9, 4) % 2 == 0;
    const Colour c = shade(blockColour(value), 1.3);
    img.fill(x, y, tall ? 2 : 3, tall ? 3 : 2, c);
  }
  starField(img, 60, 90, 13);
  img.makeOpaque();
  return img;
}

Image drawEndingBack2() {
  // Night after the last stage: stars, a moon, and the silhouette of stacked blocks.
  Image img = verticalGradient({rgb(8, 12, 38), rgb(24, 26, 70), rgb(52, 38, 96)});
  starField(img, 320, kH - 60, 21);
  const Colour moon = rgb(255, 244, 196);
  img.ellipse(532, 92, 30, 30, moon);
  img.ellipse(546, 82, 27, 27, img.at(600, 92));
  for (int x = 0; x < kW; ++x) {
    const double hill = 438 + 14 * std::sin(x / 70.0) + 8 * std::sin(x / 23.0 + 1.3);
    for (int y = int(hill); y < kH; ++y) img.set(x, y, rgb(22, 16, 44));
  }
  struct Stack { int x, y, w, h; };
  const Stack stacks[] = {{40, 396, 32, 48}, {72, 412, 32, 32}, {548, 380, 32, 64}, {580, 412, 32, 32},
                          {516, 412, 32, 32}, {188, 420, 24, 24}};
  for (const Stack& s : stacks) {
    img.fill(s.x, s.y, s.w, s.h, rgb(30, 22, 58));
    for (int y = s.y; y < s.y + s.h; y += 16) img.hline(s.x, y, s.w, rgb(48, 36, 84));
    for (int x = s.x; x < s.x + s.w; x += 16) img.vline(x, s.y, s.h, rgb(48, 36, 84));
  }
  img.makeOpaque();
  return img;
}

}  // namespace assetgen
