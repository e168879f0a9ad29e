#pragma once
// Our letter designs and the ways we turn them into coloured lettering.
#include <string>

#include "tools/assetgen/image.h"

namespace assetgen {

// The 5 x 7 design of a character: capitals, digits and punctuation of the game's character
// table; lower-case letters give the 5 x 5 small capitals, standing on the same baseline.
// Characters without a design give an empty mask of the same size.
Mask glyph(char c);

// The digits written on the blocks, at their full size: 12 x 18 for a value alone, condensed to
// 10 x 18 for the two digits of values from 10 up.
Mask blockDigit(int digit, bool condensed);

// The pixel-art enlargement the lettering uses: diagonals smoothed, square corners kept.
Mask enlarge(const Mask& m, int scale);

// A line of text as one mask: each glyph enlarged by `scale` (1, 2, 3, 4, 6 or 8; the smooth
// pixel-art enlargement), glyphs `advance` pixels apart; a space advances by `spaceAdvance`.
Mask textMask(const std::string& text, int scale, int advance, int spaceAdvance);

struct LetteringStyle {
  Colour top = 0xFFFFFF;      // body colour at the top of the letters...
  Colour bottom = 0xFFFFFF;   // ...and at their foot
  Colour outline = kInk;
  int outlineWidth = 1;       // grown this many times around the body
  Colour shadow = kClear;     // kClear: no drop shadow
  int shadowOffset = 0;       // down and right
  Colour shine = kClear;      // kClear: no highlight line along the top edges of the body
};

// Paints the text mask at (x, y) (the body's top-left corner); outline and shadow spill around it.
void paintLettering(Image& img, const Mask& text, int x, int y, const LetteringStyle& style);

}  // namespace assetgen
