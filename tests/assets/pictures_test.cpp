// The generated pictures, read the way the game reads them: sizes, the cells the scenes draw
// from, and black (the colour key) only where a keyed blit should see through.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/tile_codes.h"
#include "game/presentation/text.h"
#include "game/scenes/board_drawing.h"
#include "tests/assets/generated_pictures.h"

namespace quorel {
namespace {

using quorel::testing::picture;
using quorel::testing::pictureBytes;

int keyPixels(const Surface& s, Rect r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += s.at(x, y) == kColourBlack;
  return n;
}
int area(Rect r) { return r.width() * r.height(); }
int drawnPixels(const Surface& s, Rect r) { return area(r) - keyPixels(s, r); }

bool sameRegion(const Surface& a, Rect ra, const Surface& b, Rect rb) {
  for (int y = 0; y < ra.height(); ++y)
    for (int x = 0; x < ra.width(); ++x)
      if (a.at(ra.left + x, ra.top + y) != b.at(rb.left + x, rb.top + y)) return false;
  return true;
}

Rect cell32(int column, int row) { return {32 * column, 32 * row, 32 * column + 32, 32 * row + 32}; }

std::uint32_t readLe(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + std::size_t(i)];
  return v;
}

TEST(Pictures, EachIsABottomUpBitmapOfItsSize) {
  struct Expected { const char* name; int width, height; };
  const Expected pictures[] = {
      {"map", 480, 64},         {"face", 160, 288},       {"font", 441, 51},      {"logo", 540, 61},
      {"title", 640, 480},      {"cur", 321, 36},         {"window1", 265, 90},   {"window2", 265, 46},
      {"window3", 265, 23},     {"titleback", 640, 480},  {"endingback", 640, 480},
      {"endingback2", 640, 480}, {"endingfont", 640, 60}, {"edtiles", 800, 96},   {"edface", 160, 256}};
  for (const Expected& p : pictures) {
    SCOPED_TRACE(p.name);
    const std::vector<std::uint8_t> bytes = pictureBytes(p.name);
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(readLe(bytes, 14, 4), 40u);  // BITMAPINFOHEADER
    EXPECT_EQ(std::int32_t(readLe(bytes, 22, 4)), p.height);  // positive: bottom-up
    const std::uint32_t bits = readLe(bytes, 28, 2);
    EXPECT_TRUE(bits == 8 || bits == 24) << bits;
    const Surface& s = picture(p.name);
    EXPECT_EQ(s.width(), p.width);
    EXPECT_EQ(s.height(), p.height);
  }
}

// Board cells are redrawn over the player's last position each frame, and the NG icon is drawn
// keyed onto a yellow square: a see-through pixel in a tile would leave debris or show yellow.
TEST(MapPicture, BoardTilesAreSolidAndEachBlockLooksDifferent) {
  const Surface& map = picture("map");
  std::vector<Rect> blocks;
  for (int value = 1; value <= 25; ++value) blocks.push_back(mapCellOf(blockCode(value)));
  std::vector<Rect> tiles = blocks;
  tiles.push_back(mapCellOf(kFloor));
  tiles.push_back(mapCellOf(kWall));
  for (const Rect& r : tiles) EXPECT_EQ(keyPixels(map, r), 0) << "cell at " << r.left << "," << r.top;

  for (std::size_t i = 0; i < tiles.size(); ++i)
    for (std::size_t j = i + 1; j < tiles.size(); ++j)
      EXPECT_FALSE(sameRegion(map, tiles[i], map, tiles[j])) << "cells " << i << " and " << j;
}

TEST(MapPicture, TransitionTilesAreWhiteAndBlack) {
  const Surface& map = picture("map");
  const Rect white{64, 32, 96, 64}, black{96, 32, 128, 64};
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const std::uint32_t w = map.at(white.left + x, white.top + y);
      EXPECT_TRUE((w & 0xF0F0F0) == 0xF0F0F0) << std::hex << w;  // near white, never the key
      EXPECT_EQ(map.at(black.left + x, black.top + y), kColourBlack);
    }
}

TEST(FacePicture, EveryFrameHoldsThePlayerOnAClearGround) {
  const Surface& face = picture("face");
  std::vector<Rect> frames;
  for (int row = 0; row < 8; ++row)
    for (int column = 0; column < 5; ++column) frames.push_back(faceFrame(column, row));
  for (int column = 0; column < 4; ++column) frames.push_back(faceFrame(column, 8));
  for (const Rect& f : frames) {
    SCOPED_TRACE(::testing::Message() << "frame at " << f.left << "," << f.top);
    EXPECT_GT(drawnPixels(face, f), 250);
    for (const Rect& corner : {Rect{f.left, f.top, f.left + 2, f.top + 2}, Rect{f.right - 2, f.top, f.right, f.top + 2},
                               Rect{f.left, f.bottom - 2, f.left + 2, f.bottom}, Rect{f.right - 2, f.bottom - 2, f.right, f.bottom}})
      EXPECT_EQ(keyPixels(face, corner), 4);
  }
}

TEST(FacePicture, FacingsAndPosesAreTellable) {
  const Surface& face = picture("face");
  struct Pair { Rect a, b; const char* what; };
  const Pair pairs[] = {
      {faceFrame(0, 0), faceFrame(0, 1), "right and left"},
      {faceFrame(0, 2), faceFrame(0, 3), "down and up"},
      {faceFrame(0, 0), faceFrame(0, 2), "right and down"},
      {faceFrame(0, 2), faceFrame(4, 2), "standing and pushing"},
      {faceFrame(0, 2), faceFrame(0, 6), "standing and running"},
      {faceFrame(0, 2), faceFrame(0, 8), "standing and defeated"},
      {faceFrame(0, 8), faceFrame(1, 8), "defeated right and left"},
      {faceFrame(2, 8), faceFrame(3, 8), "defeated down and up"},
  };
  for (const Pair& p : pairs) EXPECT_FALSE(sameRegion(face, p.a, face, p.b)) << p.what;
}

TEST(FontPicture, EveryCharacterOfTheTableHasItsOwnGlyph) {
  const Surface& font = picture("font");
  std::vector<std::pair<char, Rect>> glyphs;
  for (int c = 1; c < 128; ++c)
    if (auto cell = glyphOf(char(c))) glyphs.emplace_back(char(c), cell->rect());
  ASSERT_FALSE(glyphs.empty());
  for (const auto& [c, r] : glyphs) {
    if (c == ' ') EXPECT_EQ(drawnPixels(font, r), 0) << "the space is blank";
    else EXPECT_GT(drawnPixels(font, r), 10) << "'" << c << "'";
  }
  for (std::size_t i = 0; i < glyphs.size(); ++i)
    for (std::size_t j = i + 1; j < glyphs.size(); ++j)
      EXPECT_FALSE(sameRegion(font, glyphs[i].second, font, glyphs[j].second))
          << "'" << glyphs[i].first << "' and '" << glyphs[j].first << "'";
}

int firstDrawnRow(const Surface& s, Rect r) {
  for (int y = r.top; y < r.bottom; ++y)
    if (drawnPixels(s, {r.left, y, r.right, y + 1}) > 0) return y - r.top;
  return r.height();
}

TEST(FontPicture, SmallCapitalsStandLowerThanCapitals) {
  const Surface& font = picture("font");
  for (char c = 'a'; c <= 'z'; ++c) {
    const int capitalTop = firstDrawnRow(font, glyphOf(char(c - 'a' + 'A'))->rect());
    EXPECT_GT(firstDrawnRow(font, glyphOf(c)->rect()), capitalTop) << c;
  }
}

// The banners lie over the Board and the title over its background: only the lettering may
// cover them (a band with a backdrop would cover most of its area), and each band must stay
// inside its own rows.
TEST(TitlePicture, BandsHoldLetteringWithClearSurroundings) {
  const Surface& title = picture("title");
  const Rect bands[] = {{0, 0, 640, 188}, {0, 190, 640, 305}, {0, 305, 640, 400}, {0, 405, 640, 479}};
  for (const Rect& band : bands) {
    SCOPED_TRACE(::testing::Message() << "band from row " << band.top);
    const int drawn = drawnPixels(title, band);
    EXPECT_GT(drawn, 3000);
    EXPECT_LT(drawn, area(band) * 3 / 4);
    EXPECT_EQ(drawnPixels(title, {0, band.top, 16, band.bottom}), 0) << "left margin";
    EXPECT_EQ(drawnPixels(title, {624, band.top, 640, band.bottom}), 0) << "right margin";
    EXPECT_EQ(drawnPixels(title, {0, band.top, 640, band.top + 2}), 0) << "top edge";
    EXPECT_EQ(drawnPixels(title, {0, band.bottom - 2, 640, band.bottom}), 0) << "bottom edge";
  }
}

TEST(EndingBand, HoldsLetteringWithClearSurroundings) {
  const Surface& band = picture("endingfont");
  EXPECT_GT(drawnPixels(band, {0, 0, 640, 60}), 3000);
  EXPECT_LT(drawnPixels(band, {0, 0, 640, 60}), 640 * 60 * 3 / 4);
  EXPECT_EQ(drawnPixels(band, {0, 0, 640, 2}), 0);
  EXPECT_EQ(drawnPixels(band, {0, 58, 640, 60}), 0);
}

TEST(LogoPicture, TheShownPartHoldsTheLogo) {
  const Surface& logo = picture("logo");
  EXPECT_GT(drawnPixels(logo, {0, 0, 532, 60}), 5000);
}

// The bars are drawn over the menu text, so only their rim may cover anything.
TEST(CursorPicture, BarsAreYellowRimsAroundAClearMiddle) {
  const Surface& cur = picture("cur");
  const Rect bars[] = {{0, 0, 239, 18}, {0, 18, 321, 36}};
  for (const Rect& bar : bars) {
    SCOPED_TRACE(::testing::Message() << "bar at row " << bar.top);
    EXPECT_EQ(drawnPixels(cur, {bar.left + 3, bar.top + 2, bar.right - 3, bar.bottom - 1}), 0);
    for (const std::uint32_t rim : {cur.at(bar.width() / 2, bar.top), cur.at(bar.width() / 2, bar.bottom - 1),
                                    cur.at(bar.left, bar.top + 9), cur.at(bar.right - 1, bar.top + 9)}) {
      const int r = int(rim >> 16 & 0xFF), g = int(rim >> 8 & 0xFF), b = int(rim & 0xFF);
      EXPECT_TRUE(r > 200 && g > 180 && b < 100) << std::hex << rim;
    }
  }
}

// Text is written on the panels; any see-through pixel inside would show what lies below.
TEST(PanelPictures, ShownPartsAreSolidInside) {
  struct Panel { const char* name; int shownHeight; };
  for (const Panel& p : {Panel{"window1", 89}, Panel{"window2", 44}, Panel{"window3", 23}}) {
    const Surface& s = picture(p.name);
    EXPECT_EQ(keyPixels(s, {2, 2, s.width() - 2, p.shownHeight - 2}), 0) << p.name;
  }
}

TEST(Backgrounds, HaveNoSeeThroughPixel) {
  for (const char* name : {"titleback", "endingback", "endingback2"}) {
    const Surface& s = picture(name);
    EXPECT_EQ(keyPixels(s, {0, 0, s.width(), s.height()}), 0) << name;
  }
}

// The editor copies its cells without a colour key and must look like the game.
TEST(EditorPictures, TilesMatchTheGameAndThePlayerMarkerIsSolid) {
  const Surface& tiles = picture("edtiles");
  const Surface& map = picture("map");
  for (int value = 1; value <= 25; ++value)
    EXPECT_TRUE(sameRegion(tiles, cell32(value - 1, 0), map, mapCellOf(blockCode(value)))) << "block " << value;
  EXPECT_TRUE(sameRegion(tiles, cell32(0, 1), map, mapCellOf(kFloor)));
  EXPECT_TRUE(sameRegion(tiles, cell32(1, 1), map, mapCellOf(kWall)));
  for (int code = 2; code <= 9; ++code) EXPECT_EQ(keyPixels(tiles, cell32(code, 1)), 0) << "code " << code;

  const Surface& face = picture("edface");
  const Rect marker{0, 64, 32, 96};
  EXPECT_EQ(keyPixels(face, marker), 0);
  EXPECT_FALSE(sameRegion(face, marker, map, mapCellOf(kFloor))) << "the marker shows more than floor";
}

}  // namespace
}  // namespace quorel
