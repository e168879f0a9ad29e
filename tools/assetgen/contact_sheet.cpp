// One PNG with every picture at 1:1 under its name and size, on a neutral grey so the clear
// (black) parts of each picture show where they are.
#include <algorithm>
#include <string>
#include <vector>

#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/pictures.h"

namespace assetgen {
namespace {

constexpr int kSheetWidth = 1320;
constexpr int kGap = 12;
constexpr int kLabel = 20;
constexpr Colour kBackdrop = rgb(96, 96, 104);

struct Placed {
  std::string label;
  Image image;
  int x = 0, y = 0;
  int width() const { return std::max(image.width(), 16 * int(label.size())); }
};

// Left to right in rows, a new row when the next picture would not fit.
std::vector<Placed> shelve(int& height) {
  std::vector<Placed> placed;
  int x = kGap, y = kGap, rowHeight = 0;
  for (const Picture& p : allPictures()) {
    Placed item{p.name, p.draw()};
    // Appended piece by piece: GCC 12 at -O3 warns falsely on the chained string sum.
    item.label.append(" ").append(std::to_string(item.image.width()));
    item.label.append("x").append(std::to_string(item.image.height()));
    if (x + item.width() + kGap > kSheetWidth && x > kGap) {
      x = kGap;
      y += rowHeight + kGap;
      rowHeight = 0;
    }
    rowHeight = std::max(rowHeight, kLabel + item.image.height());
    item.x = x;
    item.y = y;
    x += item.width() + kGap;
    placed.push_back(std::move(item));
  }
  height = y + rowHeight + kGap;
  return placed;
}

}  // namespace

bool writeContactSheet(const std::string& pngPath) {
  int height = 0;
  const std::vector<Placed> placed = shelve(height);
  Image sheet(kSheetWidth, height, kBackdrop);
  for (const Placed& p : placed) {
    drawGameText(sheet, p.x, p.y, p.label);
    sheet.paste(p.image, p.x, p.y + kLabel, false);
  }
  return writePng(pngPath, sheet);
}

}  // namespace assetgen
