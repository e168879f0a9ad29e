#include "tools/assetgen/image.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace assetgen {

Colour mix(Colour a, Colour b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto channel = [t](int ca, int cb) { return int(std::lround(ca + (cb - ca) * t)); };
  return rgb(channel(redOf(a), redOf(b)), channel(greenOf(a), greenOf(b)), channel(blueOf(a), blueOf(b)));
}

Colour shade(Colour c, double factor) {
  if (factor >= 1.0) return mix(c, 0xFFFFFF, factor - 1.0);
  return mix(0x000000, c, factor);
}

namespace {

struct LinearRgb {
  double r, g, b;
  bool fits() const {
    constexpr double kSlack = 1e-9;
    return r >= -kSlack && g >= -kSlack && b >= -kSlack && r <= 1 + kSlack && g <= 1 + kSlack && b <= 1 + kSlack;
  }
};

// The OKLab space's published matrices, from its coordinates to linear sRGB.
LinearRgb fromOklab(double lightness, double a, double b) {
  const double l = std::pow(lightness + 0.3963377774 * a + 0.2158037573 * b, 3.0);
  const double m = std::pow(lightness - 0.1055613458 * a - 0.0638541728 * b, 3.0);
  const double s = std::pow(lightness - 0.0894841775 * a - 1.2914855480 * b, 3.0);
  return {4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s,
          -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s,
          -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s};
}

int toSrgb8(double linear) {
  linear = std::clamp(linear, 0.0, 1.0);
  const double encoded = linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
  return int(std::lround(encoded * 255.0));
}

}  // namespace

Colour oklch(double lightness, double chroma, double hue) {
  const double radians = hue * std::numbers::pi / 180.0;
  const double ca = std::cos(radians), cb = std::sin(radians);
  auto at = [&](double c) { return fromOklab(lightness, c * ca, c * cb); };
  if (!at(chroma).fits()) {
    double inside = 0.0, outside = chroma;
    for (int i = 0; i < 30; ++i) {
      const double middle = 0.5 * (inside + outside);
      (at(middle).fits() ? inside : outside) = middle;
    }
    chroma = inside;
  }
  const LinearRgb c = at(chroma);
  return rgb(toSrgb8(c.r), toSrgb8(c.g), toSrgb8(c.b));
}

Image::Image(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(std::size_t(width) * std::size_t(height), fill) {}

void Image::fill(int x, int y, int w, int h, Colour c) {
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + w, width_), y1 = std::min(y + h, height_);
  for (int py = y0; py < y1; ++py)
    for (int px = x0; px < x1; ++px) pixels_[index(px, py)] = c;
}

void Image::frame(int x, int y, int w, int h, Colour c) {
  hline(x, y, w, c);
  hline(x, y + h - 1, w, c);
  vline(x, y, h, c);
  vline(x + w - 1, y, h, c);
}

void Image::line(int x0, int y0, int x1, int y1, Colour c) {
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    set(x0, y0, c);
    if (x0 == x1 && y0 == y1) return;
    const int e2 = 2 * err;
    if (e2 >= dy) { err += dy; x0 += sx; }
    if (e2 <= dx) { err += dx; y0 += sy; }
  }
}

void Image::ellipse(double cx, double cy, double rx, double ry, Colour c) {
  const int y0 = int(std::floor(cy - ry)), y1 = int(std::ceil(cy + ry));
  const int x0 = int(std::floor(cx - rx)), x1 = int(std::ceil(cx + rx));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
      if (nx * nx + ny * ny <= 1.0) set(x, y, c);
    }
}

void Image::paste(const Image& src, int x, int y, bool keyed) {
  for (int py = 0; py < src.height(); ++py)
    for (int px = 0; px < src.width(); ++px) {
      const Colour c = src.at(px, py);
      if (!keyed || c != kClear) set(x + px, y + py, c);
    }
}

Image Image::crop(int x, int y, int w, int h) const {
  Image out(w, h);
  for (int py = 0; py < h; ++py)
    for (int px = 0; px < w; ++px)
      if (contains(x + px, y + py)) out.set(px, py, at(x + px, y + py));
  return out;
}

Image Image::mirrored() const {
  Image out(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.set(width_ - 1 - x, y, at(x, y));
  return out;
}

void Image::makeOpaque(Colour c) {
  std::replace(pixels_.begin(), pixels_.end(), kClear, c);
}

Mask Mask::fromRows(const std::vector<std::string>& rows) {
  Mask m(rows.empty() ? 0 : int(rows.front().size()), int(rows.size()));
  for (int y = 0; y < m.height(); ++y)
    for (int x = 0; x < m.width(); ++x) m.set(x, y, rows[std::size_t(y)][std::size_t(x)] == '#');
  return m;
}

bool Mask::empty() const {
  return std::none_of(bits_.begin(), bits_.end(), [](std::uint8_t b) { return b != 0; });
}

Mask Mask::scale2x() const {
  Mask out(width_ * 2, height_ * 2);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const bool e = at(x, y);
      const bool b = at(x, y - 1), d = at(x - 1, y), f = at(x + 1, y), h = at(x, y + 1);
      out.set(2 * x, 2 * y, (d == b && b != f && d != h) ? d : e);
      out.set(2 * x + 1, 2 * y, (b == f && b != d && f != h) ? f : e);
      out.set(2 * x, 2 * y + 1, (d == h && d != b && h != f) ? d : e);
      out.set(2 * x + 1, 2 * y + 1, (h == f && h != d && f != b) ? f : e);
    }
  return out;
}

Mask Mask::scale3x() const {
  Mask out(width_ * 3, height_ * 3);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const bool a = at(x - 1, y - 1), b = at(x, y - 1), c = at(x + 1, y - 1);
      const bool d = at(x - 1, y), e = at(x, y), f = at(x + 1, y);
      const bool g = at(x - 1, y + 1), h = at(x, y + 1), i = at(x + 1, y + 1);
      const bool db = d == b && b != f && d != h, bf = b == f && b != d && f != h;
      const bool dh = d == h && d != b && h != f, hf = h == f && d != h && b != f;
      const bool cell[9] = {
          db ? d : e,
          ((db && e != c) || (bf && e != a)) ? b : e,
          bf ? f : e,
          ((db && e != g) || (dh && e != a)) ? d : e,
          e,
          ((bf && e != i) || (hf && e != c)) ? f : e,
          dh ? d : e,
          ((dh && e != i) || (hf && e != g)) ? h : e,
          hf ? f : e};
      for (int k = 0; k < 9; ++k) out.set(3 * x + k % 3, 3 * y + k / 3, cell[k]);
    }
  return out;
}

Mask Mask::scaled(int factor) const {
  Mask out(width_ * factor, height_ * factor);
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) out.set(x, y, at(x / factor, y / factor));
  return out;
}

Mask Mask::grown(bool diagonal) const {
  Mask out(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      bool on = at(x, y) || at(x - 1, y) || at(x + 1, y) || at(x, y - 1) || at(x, y + 1);
      if (diagonal) on = on || at(x - 1, y - 1) || at(x + 1, y - 1) || at(x - 1, y + 1) || at(x + 1, y + 1);
      out.set(x, y, on);
    }
  return out;
}

Mask Mask::padded(int margin) const {
  Mask out(width_ + 2 * margin, height_ + 2 * margin);
  out.stamp(*this, margin, margin);
  return out;
}

void Mask::stamp(const Mask& src, int x, int y) {
  for (int py = 0; py < src.height(); ++py)
    for (int px = 0; px < src.width(); ++px)
      if (src.at(px, py)) set(x + px, y + py);
}

Mask Mask::united(const Mask& other) const {
  Mask out = *this;
  out.stamp(other, 0, 0);
  return out;
}

std::uint32_t hash(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
  std::uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

double noise(int x, int y, std::uint32_t seed) {
  return double(hash(std::uint32_t(x), std::uint32_t(y), seed) & 0xFFFFu) / 65535.0;
}

}  // namespace assetgen
