#pragma once
// The menus' background of 20 x 15 squares of 32 x 32 pixels, each filled with a colour of its
// own drawn from the game's pseudo-random numbers.
#include <cstdint>
#include <functional>

#include "game/presentation/surface.h"

namespace quorel {

class TForm1;

inline constexpr int kMosaicSquare = 32;
inline constexpr int kMosaicColumns = 20;
inline constexpr int kMosaicRows = 15;

// Fills every square of `target`, columns outer and rows inner, with the Windows colour value
// (0x00BBGGRR) that `squareColour` makes, called once per square in that order.
void drawMosaic(TForm1& form, Surface& target, const std::function<std::uint32_t()>& squareColour);

}  // namespace quorel
