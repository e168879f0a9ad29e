#include "game/scenes/mosaic.h"

#include "game/shell/form.h"

namespace quorel {

void drawMosaic(TForm1& form, Surface& target, const std::function<std::uint32_t()>& squareColour) {
  for (int column = 0; column < kMosaicColumns; ++column) {
    for (int row = 0; row < kMosaicRows; ++row) {
      const int x = kMosaicSquare * column;
      const int y = kMosaicSquare * row;
      form.colourFill({x, y, x + kMosaicSquare, y + kMosaicSquare}, target, squareColour());
    }
  }
}

}  // namespace quorel
