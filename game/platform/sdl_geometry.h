#pragma once
// The arithmetic of the SDL back end, kept apart from SDL so that it can be checked without a
// display: where the picture goes in a window or on a screen, where the window goes on the
// desktop, and how SDL's numbers become the ones the game expects.
#include <cstdint>

namespace quorel::platform {

inline constexpr int kScreenWidth = 640;
inline constexpr int kScreenHeight = 480;

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  bool operator==(const Rect&) const = default;
};

struct Point {
  int x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

// The largest 4:3 rectangle that fits an output of that size, centred; bars fill the rest.
Rect letterbox(int outputWidth, int outputHeight);

// The smallest whole magnification of the picture at least as wide as `fitWidth` (1 for a fit
// smaller than the picture). Scaled up by it with every pixel the same size and then smoothed
// down to the fit, the picture stays sharp without the uneven columns of a fractional
// nearest-neighbour scale.
int magnificationFor(int fitWidth);

// The window's outer top-left after it is pushed inside the work area's top-left corner. The
// window only ever moves right or down: a work area that starts left of or above the window
// leaves it where it is.
Point placeInsideWorkArea(Point windowTopLeft, Rect workArea);

// SDL's signed axis (-32768..32767) on the game's 0..65535 scale.
std::uint32_t joystickAxisValue(std::int16_t sdlAxis);

// The colour depth as Windows counts it: a pixel that takes four bytes is 32 bits even when
// only 24 of them carry colour.
int desktopDepth(int bitsPerPixel, int bytesPerPixel);

}  // namespace quorel::platform
