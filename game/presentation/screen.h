#pragma once
// The game's 640 x 480 picture: the back buffer every scene draws into, the picture surfaces,
// the few drawing operations the scenes use, and present.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "game/platform/platform.h"
#include "game/presentation/surface.h"

namespace quorel {

inline constexpr int kScreenWidth = 640;
inline constexpr int kScreenHeight = 480;
inline constexpr Rect kScreenRect{0, 0, kScreenWidth, kScreenHeight};

// Copies `source` of `picture` onto `target` at (x, y), skipping black pixels, clipped to the
// target by the screen's rule. The back buffer and the work surface are both screen-sized.
void keyedBlit(Surface& target, int x, int y, Rect source, const Surface* picture);
// Copies `source` of `picture` onto `target` at (x, y), black included. A copy that does not
// lie wholly on both surfaces is refused whole.
void opaqueCopy(Surface& target, int x, int y, const Rect& source, const Surface* picture);

class Screen {
 public:
  // `framePacing` runs inside every present, just before the frame is handed over.
  Screen(platform::Platform& platform, std::function<void()> framePacing);

  // Opens the display full screen or in a window. A windowed wish on a desktop whose depth is
  // not `wantedDepth` (the BIT setting) is offered full screen first; `fullScreen` comes back
  // as opened.
  bool startUp(bool& fullScreen, int wantedDepth);

  SurfacePtr createSurface(int width, int height) const;
  // A picture by name: from the built-in resources, or from a file when the name has ".bmp".
  SurfacePtr loadPicture(std::string_view name) const;

  void clear();
  // Fills the part of `rect` that lies on `target` with a Windows colour value (0x00BBGGRR).
  void colourFill(const Rect& rect, Surface& target, std::uint32_t colorref);
  // Copies `source` of `picture` onto the back buffer at (x, y), skipping black pixels.
  void blit(int x, int y, Rect source, const Surface* picture);
  // Copies `source` of `picture` onto the back buffer at (x, y), black included.
  void copy(int x, int y, const Rect& source, const Surface* picture);
  void present();

  Surface& backBuffer() { return backBuffer_; }
  const Surface& backBuffer() const { return backBuffer_; }

  std::string pictureFolder;  // put in front of a picture file name
  int desktopDepth = 0;       // measured at start-up; the wanted depth after a full-screen start

 private:
  platform::Platform& platform_;
  std::function<void()> framePacing_;
  Surface backBuffer_{kScreenWidth, kScreenHeight};
};

}  // namespace quorel
