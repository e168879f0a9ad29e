#pragma once
// A picture in memory: 32-bit pixels 0x00RRGGBB. Pixel value 0 (black) is the colour key:
// it is skipped by colour-keyed blits and copied by opaque copies.
#include <cstdint>
#include <memory>
#include <vector>

namespace quorel {

// left, top, right, bottom; right and bottom exclusive.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

class Surface {
 public:
  Surface(int width, int height)
      : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, 0u) {}
  int width() const { return width_; }
  int height() const { return height_; }
  std::uint32_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const std::uint32_t* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  std::uint32_t at(int x, int y) const { return row(y)[x]; }
  void set(int x, int y, std::uint32_t pixel) { row(y)[x] = pixel; }
  std::vector<std::uint32_t>& pixels() { return pixels_; }
  const std::vector<std::uint32_t>& pixels() const { return pixels_; }

 private:
  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
};

using SurfacePtr = std::unique_ptr<Surface>;

// Windows colour values (0x00BBGGRR) as the scenes give them, and our pixel values.
inline constexpr std::uint32_t kColourBlack = 0x000000;
inline constexpr std::uint32_t kColourWhite = 0xFFFFFF;
inline constexpr std::uint32_t kColourYellow = 0x00FFFF;
constexpr std::uint32_t colourOf(int red, int green, int blue) {
  return static_cast<std::uint32_t>((red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16);
}
constexpr std::uint32_t pixelOfColour(std::uint32_t colorref) {
  return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}

}  // namespace quorel
