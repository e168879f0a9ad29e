#include "game/platform/sdl_geometry.h"

#include <algorithm>

namespace quorel::platform {

Rect letterbox(int outputWidth, int outputHeight) {
  if (outputWidth <= 0 || outputHeight <= 0) return {};
  // Compare the two aspects in integers, so 4:3 outputs fill exactly with no rounding bar.
  Rect fit;
  if (static_cast<long long>(outputWidth) * kScreenHeight <= static_cast<long long>(outputHeight) * kScreenWidth) {
    fit.w = outputWidth;
    fit.h = static_cast<int>(static_cast<long long>(outputWidth) * kScreenHeight / kScreenWidth);
  } else {
    fit.h = outputHeight;
    fit.w = static_cast<int>(static_cast<long long>(outputHeight) * kScreenWidth / kScreenHeight);
  }
  fit.x = (outputWidth - fit.w) / 2;
  fit.y = (outputHeight - fit.h) / 2;
  return fit;
}

int magnificationFor(int fitWidth) {
  if (fitWidth <= kScreenWidth) return 1;
  return (fitWidth + kScreenWidth - 1) / kScreenWidth;
}

Point placeInsideWorkArea(Point windowTopLeft, Rect workArea) {
  Point placed = windowTopLeft;
  if (workArea.x > placed.x) placed.x = workArea.x;
  if (workArea.y > placed.y) placed.y = workArea.y;
  return placed;
}

std::uint32_t joystickAxisValue(std::int16_t sdlAxis) {
  return static_cast<std::uint32_t>(static_cast<int>(sdlAxis) + 32768);
}

int desktopDepth(int bitsPerPixel, int bytesPerPixel) {
  // Formats narrower than a byte report 0 bytes; their bit count is the depth.
  return bytesPerPixel > 0 ? bytesPerPixel * 8 : bitsPerPixel;
}

}  // namespace quorel::platform
