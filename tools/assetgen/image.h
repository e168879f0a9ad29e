#pragma once
// The generator's drawing surface: 0x00RRGGBB pixels, where 0 is the colour key. Pictures that
// are drawn keyed use 0 only where they must be see-through; dark outlines use kInk instead.
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

using Colour = std::uint32_t;

inline constexpr Colour kClear = 0x000000;
inline constexpr Colour kInk = 0x0C0A1C;  // the darkest "black" that still shows when keyed

constexpr Colour rgb(int r, int g, int b) {
  return (Colour(r & 0xFF) << 16) | (Colour(g & 0xFF) << 8) | Colour(b & 0xFF);
}
constexpr int redOf(Colour c) { return int((c >> 16) & 0xFF); }
constexpr int greenOf(Colour c) { return int((c >> 8) & 0xFF); }
constexpr int blueOf(Colour c) { return int(c & 0xFF); }

// t = 0 gives a, t = 1 gives b.
Colour mix(Colour a, Colour b, double t);
Colour shade(Colour c, double factor);  // < 1 darker, > 1 towards white
// A colour by perceived lightness (0..1), chroma and hue in degrees (the OKLCH space): colours of
// one lightness look equally bright whatever their hue. Chroma beyond what the screen can show at
// that lightness and hue is reduced until the colour fits.
Colour oklch(double lightness, double chroma, double hue);

class Image {
 public:
  Image() = default;
  Image(int width, int height, Colour fill = kClear);

  int width() const { return width_; }
  int height() const { return height_; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Colour at(int x, int y) const { return pixels_[index(x, y)]; }
  void set(int x, int y, Colour c) {
    if (contains(x, y)) pixels_[index(x, y)] = c;
  }

  void fill(int x, int y, int w, int h, Colour c);
  void frame(int x, int y, int w, int h, Colour c);  // one-pixel rectangle outline
  void hline(int x, int y, int w, Colour c) { fill(x, y, w, 1, c); }
  void vline(int x, int y, int h, Colour c) { fill(x, y, 1, h, c); }
  void line(int x0, int y0, int x1, int y1, Colour c);
  void ellipse(double cx, double cy, double rx, double ry, Colour c);  // filled

  // Copies src at (x, y); with keyed set, src pixels of kClear are skipped.
  void paste(const Image& src, int x, int y, bool keyed = true);
  Image crop(int x, int y, int w, int h) const;
  Image mirrored() const;  // left-right

  // Every kClear pixel becomes c: for pictures that are drawn keyed but must be solid.
  void makeOpaque(Colour c = kInk);

 private:
  std::size_t index(int x, int y) const { return std::size_t(y) * std::size_t(width_) + std::size_t(x); }
  int width_ = 0;
  int height_ = 0;
  std::vector<Colour> pixels_;
};

// A two-level picture used to build lettering and sprites before they are coloured.
class Mask {
 public:
  Mask() = default;
  Mask(int width, int height) : width_(width), height_(height), bits_(std::size_t(width) * std::size_t(height), 0) {}
  // Rows of '#' (set) and anything else (clear), all of one length.
  static Mask fromRows(const std::vector<std::string>& rows);

  int width() const { return width_; }
  int height() const { return height_; }
  bool at(int x, int y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_ && bits_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
  }
  void set(int x, int y, bool on = true) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) bits_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = on;
  }
  bool empty() const;

  // Pixel-art enlargements that round corners and smooth diagonals instead of showing stairs.
  Mask scale2x() const;
  Mask scale3x() const;
  Mask scaled(int factor) const;  // plain nearest-neighbour
  // Grows the set area by one pixel; diagonal adds the corner neighbours too.
  Mask grown(bool diagonal = true) const;
  // The same mask on a canvas enlarged by `margin` on every side.
  Mask padded(int margin) const;
  void stamp(const Mask& src, int x, int y);  // set where src is set
  Mask united(const Mask& other) const;       // set where either is set; same size

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> bits_;
};

// Paints every set pixel of m at (x, y) with the colour that colourAt(px, py) gives for the
// mask's own coordinates.
template <typename ColourAt>
void paint(Image& img, const Mask& m, int x, int y, ColourAt colourAt) {
  for (int py = 0; py < m.height(); ++py)
    for (int px = 0; px < m.width(); ++px)
      if (m.at(px, py)) img.set(x + px, y + py, colourAt(px, py));
}
inline void paint(Image& img, const Mask& m, int x, int y, Colour c) {
  paint(img, m, x, y, [c](int, int) { return c; });
}

// Small deterministic noise, so every run draws the same pixels.
std::uint32_t hash(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0);
double noise(int x, int y, std::uint32_t seed);  // 0..1

bool writeBmp(const std::string& path, const Image& img);  // 24 bits, bottom-up
bool writePng(const std::string& path, const Image& img);  // truecolour, stored deflate
// Pixels 0xAARRGGBB with straight alpha, row after row.
bool writePngWithAlpha(const std::string& path, int width, int height, const std::vector<std::uint32_t>& argb);

}  // namespace assetgen
