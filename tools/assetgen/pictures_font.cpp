// The game's 16 x 16 font: white letters fading to ice blue, ringed by a dark outline so they
// read on the blue panels, on the board and on every background.
#include <optional>
#include <string_view>

#include "tools/assetgen/lettering.h"
#include "tools/assetgen/pictures.h"

namespace assetgen {
namespace {

constexpr int kPitch = 17;
constexpr std::string_view kSigns = " 0123456789+-*/:.,()[]!?>";

struct Cell { int column, row; };

std::optional<Cell> cellOf(char c) {
  if (c >= 'A' && c <= 'Z') return Cell{c - 'A', 0};
  if (c >= 'a' && c <= 'z') return Cell{c - 'a', 1};
  if (auto at = kSigns.find(c); at != std::string_view::npos) return Cell{int(at), 2};
  return std::nullopt;
}

void drawGlyph(Image& sheet, char c, int x, int y) {
  LetteringStyle style;
  style.top = palette::kTextTop;
  style.bottom = palette::kTextBottom;
  style.outline = palette::kTextOutline;
  paintLettering(sheet, enlarge(glyph(c), 2), x + 3, y + 1, style);
}

const Image& fontSheet() {
  static const Image sheet = drawFont();
  return sheet;
}

}  // namespace

Image drawFont() {
  Image sheet(26 * kPitch - 1, 3 * kPitch);  // 441 x 51; the separator lines stay black
  for (char c = 'A'; c <= 'Z'; ++c) drawGlyph(sheet, c, (c - 'A') * kPitch, 0);
  for (char c = 'a'; c <= 'z'; ++c) drawGlyph(sheet, c, (c - 'a') * kPitch, kPitch);
  for (std::size_t i = 1; i < kSigns.size(); ++i) drawGlyph(sheet, kSigns[i], int(i) * kPitch, 2 * kPitch);
  return sheet;
}

void drawGameText(Image& img, int x, int y, const std::string& text) {
  for (char c : text) {
    if (auto cell = cellOf(c)) img.paste(fontSheet().crop(cell->column * kPitch, cell->row * kPitch, 16, 16), x, y);
    x += 16;
  }
}

}  // namespace assetgen
