#include "game/presentation/screen.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "common/regular_file.h"
#include "game/presentation/bitmap.h"
#include "game/resources/resources.h"

namespace quorel {

namespace {

const char* const kFullScreenQuestion = "この色好みじゃないから、フルスクリーンにしよっか？";
const char* const kFullScreenCaption = "答えて！？";

std::string lowerCase(std::string_view text) {
  std::string lower(text);
  std::ranges::transform(lower, lower.begin(), [](char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  });
  return lower;
}

constexpr std::size_t kMaxPictureFileBytes = std::size_t{64} << 20;

bool insideSurface(const Rect& r, const Surface& s) {
  return r.left >= 0 && r.top >= 0 && r.right <= s.width() && r.bottom <= s.height();
}

}  // namespace

Screen::Screen(platform::Platform& platform, std::function<void()> framePacing)
    : platform_(platform), framePacing_(std::move(framePacing)) {}

bool Screen::startUp(bool& fullScreen, int wantedDepth) {
  platform::Display& display = platform_.display();
  desktopDepth = display.desktopBitsPerPixel();
  // No display at all: nothing to ask about, and the failure is what the player must hear.
  if (desktopDepth == 0) return false;
  if (!fullScreen && desktopDepth != wantedDepth &&
      platform_.dialogs().askYesNo(kFullScreenQuestion, kFullScreenCaption)) {
    fullScreen = true;
  }
  if (!display.open(fullScreen)) return false;
  if (fullScreen) desktopDepth = wantedDepth;
  return true;
}

SurfacePtr Screen::createSurface(int width, int height) const {
  if (width <= 0 || height <= 0) return nullptr;
  return std::make_unique<Surface>(width, height);
}

SurfacePtr Screen::loadPicture(std::string_view name) const {
  const std::string lower = lowerCase(name);
  if (lower.find(".bmp") != std::string::npos) {
    return decodeBitmap(readRegularFile(pictureFolder + lower, kMaxPictureFileBytes).bytes());
  }
  return decodeBitmap(resources::find("BITMAP", lower));
}

void Screen::clear() { std::ranges::fill(backBuffer_.pixels(), 0u); }

void Screen::colourFill(const Rect& rect, Surface& target, std::uint32_t colorref) {
  const int left = std::max(rect.left, 0);
  const int top = std::max(rect.top, 0);
  const int right = std::min(rect.right, target.width());
  const int bottom = std::min(rect.bottom, target.height());
  const std::uint32_t pixel = pixelOfColour(colorref);
  for (int y = top; y < bottom; ++y) {
    std::fill(target.row(y) + left, target.row(y) + std::max(left, right), pixel);
  }
}

void keyedBlit(Surface& target, int x, int y, Rect r, const Surface* picture) {
  if (picture == nullptr) return;
  // The screen's clipping rule: the source rectangle is cut, never the position moved right.
  if (x < 0) {
    r.left -= x;
    x = 0;
  }
  if (y < 0) {
    r.top -= y;
    y = 0;
  }
  if (x > target.width() - r.width()) r.right = r.left + target.width() - x;
  if (y > target.height() - r.height()) r.bottom = r.top + target.height() - y;
  // A rectangle that is empty, inverted or reaches outside its picture is refused whole,
  // as the display refuses it.
  if (r.width() <= 0 || r.height() <= 0 || !insideSurface(r, *picture)) return;
  for (int row = 0; row < r.height(); ++row) {
    const std::uint32_t* from = picture->row(r.top + row) + r.left;
    std::uint32_t* to = target.row(y + row) + x;
    // Written as a select rather than a branch so that the compiler can vectorise it.
    for (int column = 0; column < r.width(); ++column) to[column] = from[column] != 0 ? from[column] : to[column];
  }
}

void Screen::blit(int x, int y, Rect r, const Surface* picture) { keyedBlit(backBuffer_, x, y, r, picture); }

void opaqueCopy(Surface& target, int x, int y, const Rect& r, const Surface* picture) {
  if (picture == nullptr || r.width() <= 0 || r.height() <= 0 || !insideSurface(r, *picture)) return;
  if (x < 0 || y < 0 || x + r.width() > target.width() || y + r.height() > target.height()) return;
  for (int row = 0; row < r.height(); ++row) {
    const std::uint32_t* from = picture->row(r.top + row) + r.left;
    std::copy(from, from + r.width(), target.row(y + row) + x);
  }
}

void Screen::copy(int x, int y, const Rect& r, const Surface* picture) { opaqueCopy(backBuffer_, x, y, r, picture); }

void Screen::present() {
  if (framePacing_) framePacing_();
  platform_.display().present(backBuffer_.pixels());
}

}  // namespace quorel
