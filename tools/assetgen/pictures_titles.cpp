// Lettering pictures: the studio logo, the title band with the game's banners, and the
// ending's title band. Everything around the letters stays clear for the colour key.
#include <string>

#include "tools/assetgen/lettering.h"
#include "tools/assetgen/pictures.h"

namespace assetgen {
namespace {

constexpr int kWidth = 640;

// Four-pointed twinkle: a bright centre with arms that fade.
void sparkle(Image& img, int x, int y, int arm, Colour colour) {
  img.set(x, y, 0xFFFFFF);
  for (int i = 1; i <= arm; ++i) {
    const Colour c = mix(colour, shade(colour, 0.7), double(i) / arm);
    img.set(x + i, y, c);
    img.set(x - i, y, c);
    img.set(x, y + i, c);
    img.set(x, y - i, c);
  }
  if (arm >= 3) {
    for (int dx : {-1, 1})
      for (int dy : {-1, 1}) img.set(x + dx, y + dy, colour);
  }
}

// The banners' lettering: a thick outline and a deep drop shadow, in the banner's own colours.
LetteringStyle bannerStyle(Colour top, Colour bottom, Colour outline, Colour shine) {
  LetteringStyle s;
  s.top = top;
  s.bottom = bottom;
  s.outline = outline;
  s.outlineWidth = 3;
  s.shadow = kInk;
  s.shadowOffset = 4;
  s.shine = shine;
  return s;
}

LetteringStyle goldStyle() {
  return bannerStyle(rgb(255, 246, 150), rgb(250, 140, 30), rgb(74, 26, 12), rgb(255, 255, 230));
}

// Centres a line of big lettering horizontally with its top at y.
void bannerLine(Image& img, const std::string& text, int scale, int y, const LetteringStyle& style) {
  const Mask m = textMask(text, scale, scale * 6, scale * 4);
  paintLettering(img, m, (kWidth - m.width()) / 2, y, style);
}

// The game's name built from little bevelled blocks, one block's colour per letter, chosen to
// step round the colour wheel from gold through red and violet to teal.
void blockLetters(Image& img, const std::string& text, int x, int y, int cell) {
  const int values[] = {1, 11, 16, 13, 10, 20};
  Mask all(int(text.size()) * 6 * cell, 7 * cell);
  for (std::size_t i = 0; i < text.size(); ++i) all.stamp(glyph(text[i]).scaled(cell), int(i) * 6 * cell, 0);
  paint(img, all.padded(2).grown(true).grown(false), x - 2 + 5, y - 2 + 6, kInk);  // drop shadow
  paint(img, all.padded(2).grown(true).grown(false), x - 2, y - 2, rgb(20, 14, 40));
  for (std::size_t i = 0; i < text.size(); ++i) {
    const Mask g = glyph(text[i]);
    const Colour base = blockColour(values[i % 6]);
    for (int gy = 0; gy < g.height(); ++gy)
      for (int gx = 0; gx < g.width(); ++gx) {
        if (!g.at(gx, gy)) continue;
        const int bx = x + (int(i) * 6 + gx) * cell, by = y + gy * cell;
        img.fill(bx, by, cell, cell, base);
        img.fill(bx + 2, by + 2, cell - 4, cell - 4, shade(base, 1.12));
        img.hline(bx, by, cell, shade(base, 1.6));
        img.vline(bx, by, cell, shade(base, 1.6));
        img.hline(bx + 1, by + 1, cell - 2, shade(base, 1.3));
        img.vline(bx + 1, by + 1, cell - 2, shade(base, 1.3));
        img.hline(bx + 1, by + cell - 1, cell - 1, shade(base, 0.5));
        img.vline(bx + cell - 1, by + 1, cell - 1, shade(base, 0.5));
        img.hline(bx + 2, by + cell - 2, cell - 3, shade(base, 0.72));
        img.vline(bx + cell - 2, by + 2, cell - 3, shade(base, 0.72));
      }
  }
}

void drawTitleBand(Image& img) {
  const std::string name = "QUOREL";
  const int cell = 12;
  const int width = (int(name.size()) * 6 - 1) * cell;
  blockLetters(img, name, (kWidth - width) / 2, 26, cell);
  const std::string tagline = "THE REMAINDER PUZZLE";
  drawGameText(img, (kWidth - int(tagline.size()) * 16) / 2, 134, tagline);
  // A row of small blocks underlines the tagline: the numbers the game is made of.
  for (int i = 0; i < 9; ++i) {
    const Image block = drawBlock(i * 3 + 1 > 25 ? 25 : i * 3 + 1);
    const int x = kWidth / 2 - 9 * 18 / 2 + i * 18;
    for (int py = 0; py < 16; ++py)
      for (int px = 0; px < 16; ++px) img.set(x + px, 160 + py, block.at(px * 2, py * 2));
  }
  sparkle(img, 96, 40, 4, palette::kGold);
  sparkle(img, 548, 100, 3, palette::kGold);
  sparkle(img, 528, 30, 2, 0xFFFFFF);
}

void drawClearBanner(Image& img) {
  bannerLine(img, "STAGE CLEAR!", 8, 216, goldStyle());
  sparkle(img, 30, 212, 5, palette::kGold);
  sparkle(img, 612, 282, 5, palette::kGold);
  sparkle(img, 596, 206, 3, 0xFFFFFF);
  sparkle(img, 46, 286, 3, 0xFFFFFF);
}

void drawRetryBanner(Image& img) {
  bannerLine(img, "TRY AGAIN?", 6, 330,
             bannerStyle(rgb(236, 246, 255), rgb(110, 160, 250), rgb(12, 22, 70), 0xFFFFFF));
}

void drawRecordBanner(Image& img) {
  bannerLine(img, "NEW RECORD!", 6, 418,
             bannerStyle(rgb(255, 220, 246), rgb(244, 60, 150), rgb(70, 10, 44), 0xFFFFFF));
  sparkle(img, 96, 420, 4, palette::kGold);
  sparkle(img, 548, 462, 4, palette::kGold);
}

// A little lamp with a tuft of moss on its cap: the studio's mark.
void drawLamp(Image& img, int x, int y) {
  const Colour frame = rgb(96, 62, 40), frameLight = rgb(168, 118, 72);
  const Colour glow = rgb(255, 226, 120), glowHot = rgb(255, 250, 210), moss = rgb(96, 176, 72);
  img.ellipse(x + 22, y + 6, 5, 5, frame);  // hanging ring
  img.ellipse(x + 22, y + 6, 2.5, 2.5, kClear);
  img.fill(x + 8, y + 11, 29, 6, frame);  // cap
  img.hline(x + 9, y + 11, 27, frameLight);
  img.ellipse(x + 14, y + 11, 6, 3.5, moss);
  img.ellipse(x + 26, y + 10, 7, 4, shade(moss, 1.2));
  img.ellipse(x + 33, y + 12, 4, 2.5, shade(moss, 0.8));
  img.fill(x + 10, y + 17, 25, 30, frame);  // glass in its frame
  img.fill(x + 13, y + 19, 19, 26, glow);
  img.ellipse(x + 22.5, y + 32, 5, 8, glowHot);
  img.vline(x + 22, y + 19, 26, frameLight);
  img.fill(x + 7, y + 47, 31, 6, frame);  // base
  img.hline(x + 8, y + 47, 29, frameLight);
}

}  // namespace

Image drawTitle() {
  Image img(kWidth, 480);
  drawTitleBand(img);
  drawClearBanner(img);
  drawRetryBanner(img);
  drawRecordBanner(img);
  return img;
}

Image drawLogo() {
  // The logo scene shows the top-left 532 x 60 on black; the rest is never drawn.
  Image img(540, 61);
  drawLamp(img, 2, 3);
  LetteringStyle moss;
  moss.top = rgb(214, 250, 170);
  moss.bottom = rgb(72, 166, 84);
  moss.outline = rgb(16, 48, 28);
  moss.outlineWidth = 2;
  moss.shine = rgb(240, 255, 220);
  paintLettering(img, textMask("MOSSLAMP", 6, 35, 24), 64, 9, moss);
  LetteringStyle lamp = moss;
  lamp.top = rgb(255, 240, 170);
  lamp.bottom = rgb(246, 150, 40);
  lamp.outline = rgb(70, 34, 10);
  lamp.shine = rgb(255, 255, 230);
  paintLettering(img, textMask("SOFT", 4, 24, 16), 64 + 275 + 22, 23, lamp);
  return img;
}

Image drawEndingBand() {
  Image img(kWidth, 60);
  LetteringStyle s = goldStyle();
  s.shadowOffset = 3;
  bannerLine(img, "CONGRATULATIONS", 6, 7, s);
  sparkle(img, 22, 14, 4, 0xFFFFFF);
  sparkle(img, 618, 44, 4, 0xFFFFFF);
  return img;
}

}  // namespace assetgen
