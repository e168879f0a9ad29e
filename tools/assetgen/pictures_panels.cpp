// The blue menu panels and the yellow highlight bars drawn over menu text.
#include "tools/assetgen/pictures.h"

namespace assetgen {

Image drawPanel(int width, int height, int shownHeight) {
  // The scenes show only the top shownHeight rows, so the panel is finished there; the rows
  // below stay clear.
  using namespace palette;
  Image p(width, height);
  const int h = shownHeight;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < width; ++x) {
      const Colour base = mix(shade(kPanelFace, 1.12), shade(kPanelFace, 0.9), double(y) / h);
      const bool stripe = (x + y) / 3 % 4 == 0;  // fine diagonal weave
      p.set(x, y, stripe ? shade(base, 1.06) : base);
    }
  p.frame(0, 0, width, h, kInk);
  for (int i = 1; i <= 2; ++i) {
    p.hline(i, i, width - 2 * i, shade(kPanelLight, i == 1 ? 1.0 : 0.85));
    p.vline(i, i, h - 2 * i, shade(kPanelLight, i == 1 ? 1.0 : 0.85));
    p.hline(i + 1, h - 1 - i, width - 2 * i - 1, shade(kPanelDark, i == 1 ? 1.0 : 1.3));
    p.vline(width - 1 - i, i + 1, h - 2 * i - 1, shade(kPanelDark, i == 1 ? 1.0 : 1.3));
  }
  // A groove just inside the bevel frames the face.
  p.frame(4, 4, width - 8, h - 8, shade(kPanelFace, 0.78));
  p.hline(5, h - 4, width - 9, shade(kPanelFace, 1.25));
  p.vline(width - 4, 5, h - 9, shade(kPanelFace, 1.25));
  // Rounded corners: the colour key cuts them.
  for (int corner = 0; corner < 4; ++corner) {
    const int x = corner % 2 ? width - 1 : 0, y = corner / 2 ? h - 1 : 0;
    const int dx = corner % 2 ? -1 : 1, dy = corner / 2 ? -1 : 1;
    p.set(x, y, kClear);
    p.set(x + dx, y, kClear);
    p.set(x, y + dy, kClear);
    p.set(x + dx, y + dy, kInk);
  }
  return p;
}

Image drawCursorBars() {
  // Only the rim is drawn: the bar lies over the menu text, which must show through. The rim
  // keeps to the rows above and below the letters; the ends are thicker brackets.
  Image cur(321, 36);
  auto bar = [&cur](int top, int width) {
    const Colour bright = palette::kCursor, deep = rgb(214, 138, 0);
    cur.hline(2, top, width - 4, bright);
    cur.hline(2, top + 17, width - 4, bright);
    cur.hline(3, top + 1, width - 6, deep);
    for (int side = 0; side < 2; ++side) {
      const int outer = side ? width - 1 : 0, inward = side ? -1 : 1;
      cur.vline(outer, top + 2, 14, bright);
      cur.vline(outer + inward, top + 1, 16, bright);
      cur.vline(outer + 2 * inward, top + 2, 14, deep);
    }
  };
  bar(0, 239);
  bar(18, 321);
  return cur;
}

}  // namespace assetgen
