#include <cstddef>

#include "game/platform/sdl_backend.h"
#include "game/platform/sdl_geometry.h"

namespace quorel::platform {

namespace {

constexpr int kFramePitch = kScreenWidth * 4;

SDL_Rect toSdl(const Rect& r) { return SDL_Rect{r.x, r.y, r.w, r.h}; }

}  // namespace

SdlDisplay::~SdlDisplay() { destroy(); }

int SdlDisplay::desktopBitsPerPixel() {
  if (!videoReady_) return 0;
  // A display whose mode cannot be read, or reads as no depth, still opens; the common depth
  // stands in.
  constexpr int kCommonDepth = 32;
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return kCommonDepth;
  const int depth = desktopDepth(static_cast<int>(SDL_BITSPERPIXEL(mode.format)),
                                 static_cast<int>(SDL_BYTESPERPIXEL(mode.format)));
  return depth > 0 ? depth : kCommonDepth;
}

bool SdlDisplay::open(bool fullScreen) {
  if (!videoReady_ || window_ != nullptr) return false;
  // Full screen takes the desktop as it is, with no mode switch: the picture is scaled up to it,
  // which keeps the other screens and windows of the desktop undisturbed. In a window the player
  // may resize or move it as any desktop window; the picture follows the window's size.
  const Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI |
                       (fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_RESIZABLE);
  // A full-screen window is made the desktop's size from the start, so that it covers the screen
  // even where no window manager carries out the full-screen request (a bare X server).
  SDL_Rect area{0, 0, kScreenWidth, kScreenHeight};
  if (fullScreen && SDL_GetDisplayBounds(0, &area) != 0) area = {0, 0, kScreenWidth, kScreenHeight};
  window_ = SDL_CreateWindow("quorel", area.x, area.y, area.w, area.h, flags);
  if (window_ == nullptr) return false;
  // No vertical sync: the game holds its own 16 ms cadence, which a 60 Hz refresh (16.7 ms)
  // would stretch into late frames and so slow the game down.
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (renderer_ == nullptr || !createTextures()) {
    destroy();
    return false;
  }
  SDL_RendererInfo info{};
  smoothFit_ = SDL_GetRendererInfo(renderer_, &info) == 0 && (info.flags & SDL_RENDERER_ACCELERATED) != 0;
  // Shown only now: a renderer may replace the window it was made for, and whatever the player
  // (or the window manager) sent to a window already shown, a close above all, went with it.
  SDL_ShowWindow(window_);
  if (!fullScreen) placeWindow();
  // Keys go to the game straight, never into an input method.
  SDL_StopTextInput();
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderPresent(renderer_);
  return true;
}

void SdlDisplay::placeWindow() {
  // The window stands at the desktop's top-left and moves inside the work area when a panel
  // covers that corner. SDL positions the client area; the frame around it is the window's edge.
  int top = 0, left = 0;
  if (SDL_GetWindowBordersSize(window_, &top, &left, nullptr, nullptr) != 0) top = left = 0;
  SDL_Rect usable;
  const int displayIndex = SDL_GetWindowDisplayIndex(window_);
  if (SDL_GetDisplayUsableBounds(displayIndex < 0 ? 0 : displayIndex, &usable) != 0) return;
  SDL_Rect bounds;
  if (SDL_GetDisplayBounds(displayIndex < 0 ? 0 : displayIndex, &bounds) != 0) return;
  const Point outer = placeInsideWorkArea({bounds.x, bounds.y}, {usable.x, usable.y, usable.w, usable.h});
  SDL_SetWindowPosition(window_, outer.x + left, outer.y + top);
}

bool SdlDisplay::createTextures() {
  if (frame_ != nullptr) SDL_DestroyTexture(frame_);
  if (magnified_ != nullptr) SDL_DestroyTexture(magnified_);
  magnified_ = nullptr;
  magnifiedScale_ = 0;
  frame_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                             kScreenWidth, kScreenHeight);
  if (frame_ == nullptr) return false;
  // The top byte of our pixels is 0, which as alpha would make them invisible: copy, never blend.
  SDL_SetTextureBlendMode(frame_, SDL_BLENDMODE_NONE);
  return true;
}

SDL_Texture* SdlDisplay::magnified(int scale) {
  if (scale == magnifiedScale_) return magnified_;
  if (magnified_ != nullptr) SDL_DestroyTexture(magnified_);
  magnified_ = nullptr;
  magnifiedScale_ = scale;
  if (!SDL_RenderTargetSupported(renderer_)) return nullptr;
  magnified_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                 kScreenWidth * scale, kScreenHeight * scale);
  if (magnified_ != nullptr) {
    SDL_SetTextureBlendMode(magnified_, SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(magnified_, SDL_ScaleModeLinear);
  }
  return magnified_;
}

void SdlDisplay::present(std::span<const std::uint32_t> pixels) {
  if (renderer_ == nullptr) return;
  if (pixels.size() < static_cast<std::size_t>(kScreenWidth) * kScreenHeight) return;
  if (pump_.takeRenderReset() && !createTextures()) return;
  SDL_UpdateTexture(frame_, nullptr, pixels.data(), kFramePitch);

  int width = 0, height = 0;
  SDL_GetRendererOutputSize(renderer_, &width, &height);
  const SDL_Rect fit = toSdl(letterbox(width, height));
  SDL_Texture* source = scaledSource(fit.w);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, source, nullptr, &fit);
  SDL_RenderPresent(renderer_);
}

SDL_Texture* SdlDisplay::frameScaled(SDL_ScaleMode mode) {
  SDL_SetTextureScaleMode(frame_, mode);
  return frame_;
}

SDL_Texture* SdlDisplay::scaledSource(int fitWidth) {
  // A whole magnification (the window at 640 x 480, 1280 x 960, ...) is drawn pixel for pixel.
  if (fitWidth % kScreenWidth == 0) return frameScaled(SDL_ScaleModeNearest);
  const int scale = magnificationFor(fitWidth);
  if (scale == 1) return frameScaled(SDL_ScaleModeLinear);  // a window smaller than the picture
  // Otherwise the picture is blown up past the fit with nearest-neighbour and smoothed down to
  // it, so every pixel keeps one size and only its edges are blended. Drawn by the processor,
  // that extra pass would cost more than a frame's budget on a large screen, so a software
  // renderer scales with plain nearest-neighbour and keeps the game at its speed.
  SDL_Texture* big = smoothFit_ ? magnified(scale) : nullptr;
  if (big == nullptr) return frameScaled(SDL_ScaleModeNearest);
  SDL_SetTextureScaleMode(frame_, SDL_ScaleModeNearest);
  SDL_SetRenderTarget(renderer_, big);
  SDL_RenderCopy(renderer_, frame_, nullptr, nullptr);
  SDL_SetRenderTarget(renderer_, nullptr);
  return big;
}

void SdlDisplay::hideCursor() { SDL_ShowCursor(SDL_DISABLE); }

void SdlDisplay::pollEvents(std::vector<Event>& events) {
  pump_.pump();
  pump_.takeMessages(events);
}

void SdlDisplay::destroy() {
  if (magnified_ != nullptr) SDL_DestroyTexture(magnified_);
  if (frame_ != nullptr) SDL_DestroyTexture(frame_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  magnified_ = frame_ = nullptr;
  renderer_ = nullptr;
  window_ = nullptr;
  magnifiedScale_ = 0;
}

}  // namespace quorel::platform
