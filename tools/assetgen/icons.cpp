// The desktop icons: the game, the stage editor and the stage set file type, each drawn in the
// style of the board's tiles on a large canvas and reduced to every size the icon theme holds.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/lettering.h"
#include "tools/assetgen/pictures.h"

namespace assetgen {
namespace {

// The sizes of the icon theme's fixed-size folders.
constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};
// Each icon is drawn at least this large and then averaged down, so that edges are smooth.
constexpr int kSmallestCanvas = 512;

struct Point {
  double x, y;
};

// A canvas addressed in icon units: 256 across, whatever its pixel size.
class Canvas {
 public:
  explicit Canvas(int pixels) : image_(pixels, pixels), unit_(pixels / 256.0) {}
  const Image& image() const { return image_; }

  void rect(double x, double y, double w, double h, Colour c) {
    image_.fill(px(x), px(y), px(x + w) - px(x), px(y + h) - px(y), c);
  }
  void roundedRect(double x, double y, double w, double h, double radius, Colour c) {
    forEachPixel([&](double ux, double uy) {
      const double dx = std::max({x + radius - ux, ux - (x + w - radius), 0.0});
      const double dy = std::max({y + radius - uy, uy - (y + h - radius), 0.0});
      return ux >= x && ux < x + w && uy >= y && uy < y + h && dx * dx + dy * dy <= radius * radius;
    }, c);
  }
  // A convex polygon, corners in either turning order.
  void polygon(const std::vector<Point>& corners, Colour c) {
    forEachPixel([&](double ux, double uy) {
      int sign = 0;
      for (std::size_t i = 0; i < corners.size(); ++i) {
        const Point a = corners[i], b = corners[(i + 1) % corners.size()];
        const double cross = (b.x - a.x) * (uy - a.y) - (b.y - a.y) * (ux - a.x);
        const int side = cross > 0 ? 1 : cross < 0 ? -1 : 0;
        if (side != 0 && sign != 0 && side != sign) return false;
        if (side != 0) sign = side;
      }
      return true;
    }, c);
  }
  // A block of the board: dark rim, lit top-left bevel, shaded bottom-right, a glint, and its
  // value in the blocks' own digits.
  void block(double x, double y, double size, int value) {
    const Colour base = blockColour(value);
    const double rim = size / 32, depth = size * 2 / 32;
    rect(x, y, size, size, shade(base, 0.3));
    bevel(x + rim, y + rim, size - 2 * rim, depth, shade(base, 1.5), shade(base, 0.6));
    const double inner = rim + depth;
    const int rows = std::max(1, px(y + size - inner) - px(y + inner));
    for (int row = 0; row < rows; ++row) {
      image_.hline(px(x + inner), px(y + inner) + row, px(x + size - inner) - px(x + inner),
                   mix(shade(base, 1.16), shade(base, 0.9), row / double(rows)));
    }
    rect(x + size * 4 / 32, y + size * 4 / 32, size * 5 / 32, size / 32, shade(base, 1.7));
    rect(x + size * 4 / 32, y + size * 5 / 32, size / 32, size * 3 / 32, shade(base, 1.7));
    digit(x, y, size, value, base);
  }
  // Floor: the quiet dark slab with lit and shaded edges and the inset square.
  void floor(double x, double y, double size) {
    const Colour base = rgb(48, 58, 74);
    rect(x, y, size, size, base);
    bevel(x, y, size, size / 32, shade(base, 1.14), shade(base, 0.72));
    const double inset = size * 6 / 32, line = size / 32;
    rect(x + inset, y + inset, size - 2 * inset, line, shade(base, 0.9));
    rect(x + inset, y + inset, line, size - 2 * inset, shade(base, 0.9));
    rect(x + inset, y + size - inset - line, size - 2 * inset, line, shade(base, 1.08));
    rect(x + size - inset - line, y + inset, line, size - 2 * inset, shade(base, 1.08));
  }
  // Wall: two courses of raised stone bricks in their mortar.
  void wall(double x, double y, double size) {
    const Colour mortar = rgb(58, 46, 66), stone = rgb(122, 104, 132);
    rect(x, y, size, size, mortar);
    const double s = size / 32;
    const double bricks[][4] = {{1, 1, 30, 14}, {0, 17, 14, 14}, {17, 17, 15, 14}};
    for (const auto& b : bricks) {
      rect(x + b[0] * s, y + b[1] * s, b[2] * s, b[3] * s, stone);
      bevelBox(x + b[0] * s, y + b[1] * s, b[2] * s, b[3] * s, s, shade(stone, 1.35), shade(stone, 0.66));
    }
  }

 private:
  int px(double units) const { return int(std::lround(units * unit_)); }

  template <typename Inside>
  void forEachPixel(Inside inside, Colour c) {
    for (int y = 0; y < image_.height(); ++y)
      for (int x = 0; x < image_.width(); ++x)
        if (inside((x + 0.5) / unit_, (y + 0.5) / unit_)) image_.set(x, y, c);
  }
  // A square's bevel `depth` deep: lit on top and left, shaded on bottom and right.
  void bevel(double x, double y, double size, double depth, Colour light, Colour dark) {
    bevelBox(x, y, size, size, depth, light, dark);
  }
  void bevelBox(double x, double y, double w, double h, double depth, Colour light, Colour dark) {
    rect(x, y, w, depth, light);
    rect(x, y, depth, h, light);
    rect(x + depth, y + h - depth, w - depth, depth, dark);
    rect(x + w - depth, y + depth, depth, h - depth, dark);
  }
  void digit(double x, double y, double size, int value, Colour base) {
    // The tile's digit is 12 x 18 of 32 pixels, white with a dark outline and a drop shadow.
    const int scale = std::max(1, px(size * 2 / 32));
    const Mask number = blockDigit(value % 10, false).scaled(scale);
    LetteringStyle style;
    style.top = rgb(255, 255, 255);
    style.bottom = rgb(236, 236, 246);
    style.outline = shade(base, 0.28);
    style.outlineWidth = std::max(1, scale / 2);
    style.shadow = shade(base, 0.55);
    style.shadowOffset = std::max(1, scale / 2);
    paintLettering(image_, number, px(x + size / 2) - number.width() / 2, px(y + size * 7 / 32), style);
  }

  Image image_;
  double unit_;
};

// The game: two blocks side by side on the floor, about to be pushed into each other.
void drawGameIcon(Canvas& c) {
  const Colour floorColour = rgb(48, 58, 74);
  c.roundedRect(8, 8, 240, 240, 40, shade(floorColour, 0.5));
  c.roundedRect(14, 14, 228, 228, 34, floorColour);
  c.block(20, 72, 112, 8);
  c.block(128, 80, 104, 3);
}

// The editor: a corner of a board, and a pencil laid across it.
void drawEditorIcon(Canvas& c) {
  c.block(16, 16, 112, 5);
  c.wall(128, 16, 112);
  c.wall(16, 128, 112);
  c.floor(128, 128, 112);
  const Colour wood = rgb(255, 214, 64), woodDark = rgb(232, 128, 24), ink = kInk;
  // The pencil runs from its tip at the bottom left up to the top right.
  auto along = [](double t, double side) {
    const double dx = 0.7071, dy = -0.7071;  // the pencil's direction
    return Point{40 + t * dx - side * dy, 216 + t * dy + side * dx};
  };
  c.polygon({along(34, -30), along(210, -30), along(210, 30), along(34, 30)}, ink);
  c.polygon({along(38, -22), along(170, -22), along(170, 22), along(38, 22)}, wood);
  c.polygon({along(38, 4), along(170, 4), along(170, 22), along(38, 22)}, woodDark);
  c.polygon({along(170, -22), along(204, -22), along(204, 22), along(170, 22)}, rgb(236, 110, 150));
  c.polygon({along(170, -22), along(178, -22), along(178, 22), along(170, 22)}, rgb(200, 200, 214));
  c.polygon({along(-6, 0), along(40, -30), along(40, 30)}, ink);
  c.polygon({along(4, 0), along(38, -22), along(38, 22)}, rgb(240, 210, 160));
  c.polygon({along(0, 0), along(16, -9), along(16, 9)}, rgb(52, 52, 64));
}

// A stage set file: a page with a turned-down corner, a small board printed on it.
void drawStageFileIcon(Canvas& c) {
  const Colour paper = rgb(244, 246, 252), fold = rgb(206, 212, 230), ink = kInk;
  c.polygon({{36, 12}, {176, 12}, {222, 58}, {222, 244}, {36, 244}}, ink);
  c.polygon({{42, 18}, {172, 18}, {216, 62}, {216, 238}, {42, 238}}, paper);
  c.polygon({{170, 14}, {220, 64}, {170, 64}}, ink);
  c.polygon({{174, 22}, {212, 60}, {174, 60}}, fold);
  const double cell = 48, left = 57, top = 84;
  c.wall(left, top, cell);
  c.wall(left + cell, top, cell);
  c.wall(left + 2 * cell, top, cell);
  c.block(left, top + cell, cell, 2);
  c.floor(left + cell, top + cell, cell);
  c.block(left + 2 * cell, top + cell, cell, 6);
  c.floor(left, top + 2 * cell, cell);
  c.block(left + cell, top + 2 * cell, cell, 9);
  c.floor(left + 2 * cell, top + 2 * cell, cell);
}

// Averages each `factor` x `factor` square of the canvas into one pixel with its coverage as
// alpha; see-through canvas pixels (kClear) count as empty.
std::vector<std::uint32_t> reduced(const Image& canvas, int size) {
  const int factor = canvas.width() / size;
  std::vector<std::uint32_t> argb(std::size_t(size) * std::size_t(size));
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double r = 0, g = 0, b = 0, covered = 0;
      for (int sy = 0; sy < factor; ++sy)
        for (int sx = 0; sx < factor; ++sx) {
          const Colour c = canvas.at(x * factor + sx, y * factor + sy);
          if (c == kClear) continue;
          r += redOf(c);
          g += greenOf(c);
          b += blueOf(c);
          ++covered;
        }
      if (covered == 0) continue;
      const auto alpha = std::uint32_t(std::lround(255.0 * covered / (factor * factor)));
      argb[std::size_t(y) * std::size_t(size) + std::size_t(x)] =
          alpha << 24 | rgb(int(std::lround(r / covered)), int(std::lround(g / covered)), int(std::lround(b / covered)));
    }
  return argb;
}

struct Icon {
  const char* context;  // the theme's folder for it
  const char* name;
  void (*draw)(Canvas&);
};

constexpr Icon kIcons[] = {
    {"apps", "quorel", drawGameIcon},
    {"apps", "quorel-editor", drawEditorIcon},
    {"mimetypes", "application-x-quorel-stage-set", drawStageFileIcon},
};

}  // namespace

bool writeIcons(const std::string& folder) {
  for (const int size : kIconSizes) {
    const int factor = (kSmallestCanvas + size - 1) / size;
    for (const Icon& icon : kIcons) {
      Canvas canvas(size * factor);
      icon.draw(canvas);
      const std::string dir = folder + "/" + std::to_string(size) + "x" + std::to_string(size) + "/" + icon.context;
      std::error_code error;
      std::filesystem::create_directories(dir, error);
      if (!writePngWithAlpha(dir + "/" + icon.name + ".png", size, size, reduced(canvas.image(), size))) return false;
    }
  }
  return true;
}

}  // namespace assetgen
