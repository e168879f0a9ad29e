// Board tiles: the numbered blocks, floor, wall, the transition tiles, and the sheets that hold
// them for the game (map) and for the editor (edtiles).
#include <algorithm>
#include <cmath>

#include "tools/assetgen/lettering.h"
#include "tools/assetgen/pictures.h"

namespace assetgen {
namespace {

constexpr Colour kWhiteTile = rgb(255, 255, 255);  // matches the white fills the scenes make

// Top and left catch the light, bottom and right fall into shade; the corners split diagonally.
void bevel(Image& t, int x, int y, int w, int h, int depth, Colour light, Colour dark) {
  for (int i = 0; i < depth; ++i) {
    t.hline(x + i, y + i, w - 2 * i, light);
    t.vline(x + i, y + i, h - 2 * i, light);
    t.hline(x + i + 1, y + h - 1 - i, w - 2 * i - 1, dark);
    t.vline(x + w - 1 - i, y + i + 1, h - 2 * i - 1, dark);
  }
}

Mask numberMask(int value) {
  if (value < 10) return blockDigit(value, false);
  const Mask tens = blockDigit(value / 10, true), ones = blockDigit(value % 10, true);
  Mask both(tens.width() * 2 + 2, tens.height());
  both.stamp(tens, 0, 0);
  both.stamp(ones, tens.width() + 2, 0);
  return both;
}

}  // namespace

Colour blockColour(int value) {
  // Each value turns the hue on by the golden angle, so neighbouring values lie far apart on the
  // colour wheel and no run of values repeats a hue; one perceived lightness for all of them, so
  // no block shouts louder than another and the white numbers read equally well on each.
  constexpr double kGoldenAngle = 137.50776;
  return oklch(0.62, 0.18, 85.0 + (value - 1) * kGoldenAngle);
}

Image drawBlock(int value) {
  const Colour base = blockColour(value);
  Image t(kTile, kTile, base);
  for (int y = 3; y < kTile - 3; ++y) t.hline(3, y, kTile - 6, mix(shade(base, 1.16), shade(base, 0.9), (y - 3) / 25.0));
  t.frame(0, 0, kTile, kTile, shade(base, 0.3));
  bevel(t, 1, 1, kTile - 2, kTile - 2, 2, shade(base, 1.5), shade(base, 0.6));
  t.hline(4, 4, 5, shade(base, 1.7));  // a glint in the lit corner
  t.vline(4, 5, 3, shade(base, 1.7));

  const Mask number = numberMask(value);
  LetteringStyle style;
  style.top = rgb(255, 255, 255);
  style.bottom = rgb(236, 236, 246);
  style.outline = shade(base, 0.28);
  style.shadow = shade(base, 0.55);
  style.shadowOffset = 1;
  paintLettering(t, number, (kTile - number.width()) / 2, 7, style);
  return t;
}

Image drawFloor() {
  // Dark and quiet, so the blocks and the player stand out; the grout shows the cells.
  const Colour base = rgb(48, 58, 74);
  Image t(kTile, kTile, base);
  for (int y = 0; y < kTile; ++y)
    for (int x = 0; x < kTile; ++x) {
      const double n = noise(x, y, 11);
      if (n > 0.86) t.set(x, y, shade(base, 1.06));
      else if (n < 0.12) t.set(x, y, shade(base, 0.92));
    }
  t.hline(0, 0, kTile, shade(base, 1.14));
  t.vline(0, 0, kTile, shade(base, 1.14));
  t.hline(1, kTile - 1, kTile - 1, shade(base, 0.72));
  t.vline(kTile - 1, 1, kTile - 1, shade(base, 0.72));
  // A faint inset square in the middle of each cell gives the floor a tiled rhythm.
  t.frame(6, 6, 20, 20, shade(base, 0.9));
  t.hline(7, 25, 19, shade(base, 1.08));
  t.vline(25, 7, 19, shade(base, 1.08));
  return t;
}

Image drawWall() {
  // Raised stone bricks, two courses per cell, joints offset so walls read as masonry. The
  // lower course is cut at the cell's sides so that neighbouring walls join into whole bricks.
  const Colour mortar = rgb(58, 46, 66);
  const Colour stone = rgb(122, 104, 132);
  Image t(kTile, kTile, mortar);
  struct Brick { int x, y, w, h; };
  const Brick bricks[] = {{1, 1, 30, 14}, {-15, 17, 30, 14}, {17, 17, 30, 14}};
  for (const Brick& b : bricks) {
    const Colour face = shade(stone, 0.94 + 0.1 * noise(b.y, 0, 7));
    for (int y = b.y; y < b.y + b.h; ++y)
      for (int x = b.x; x < b.x + b.w; ++x) {
        const double n = noise((x + kTile) % kTile, y, 23);
        t.set(x, y, n > 0.9 ? shade(face, 1.08) : n < 0.1 ? shade(face, 0.9) : face);
      }
    bevel(t, b.x, b.y, b.w, b.h, 1, shade(stone, 1.35), shade(stone, 0.66));
  }
  return t;
}

Image drawUnusedTile(int code) {
  // Never part of a stage; shown as a hatched plate with its code so a stray one is obvious.
  const Colour base = rgb(86, 86, 96);
  Image t(kTile, kTile, base);
  for (int y = 0; y < kTile; ++y)
    for (int x = 0; x < kTile; ++x)
      if ((x + y) % 6 < 2) t.set(x, y, shade(base, 0.82));
  t.frame(0, 0, kTile, kTile, shade(base, 0.5));
  bevel(t, 1, 1, kTile - 2, kTile - 2, 1, shade(base, 1.4), shade(base, 0.7));
  LetteringStyle style;
  style.top = rgb(220, 220, 228);
  style.bottom = rgb(180, 180, 190);
  style.outline = rgb(40, 40, 48);
  const Mask digit = enlarge(glyph(char('0' + code)), 2);
  paintLettering(t, digit, (kTile - digit.width()) / 2, (kTile - digit.height()) / 2, style);
  return t;
}

Image drawMap() {
  Image sheet(15 * kTile, 2 * kTile);
  for (int v = 1; v <= 15; ++v) sheet.paste(drawBlock(v), (v - 1) * kTile, 0, false);
  for (int v = 16; v <= 25; ++v) sheet.paste(drawBlock(v), (v - 11) * kTile, kTile, false);
  sheet.paste(drawFloor(), 0, kTile, false);
  sheet.paste(drawWall(), kTile, kTile, false);
  sheet.fill(2 * kTile, kTile, kTile, kTile, kWhiteTile);
  sheet.fill(3 * kTile, kTile, kTile, kTile, kClear);  // copied opaquely: a true black
  sheet.paste(drawUnusedTile(4), 4 * kTile, kTile, false);
  return sheet;
}

Image drawEditorTiles() {
  Image sheet(25 * kTile, 3 * kTile);
  for (int v = 1; v <= 25; ++v) sheet.paste(drawBlock(v), (v - 1) * kTile, 0, false);
  sheet.paste(drawFloor(), 0, kTile, false);
  sheet.paste(drawWall(), kTile, kTile, false);
  for (int code = 2; code <= 9; ++code) sheet.paste(drawUnusedTile(code), code * kTile, kTile, false);
  return sheet;
}

}  // namespace assetgen
