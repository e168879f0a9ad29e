// Pictures are embedded at build time, but the decoder is the one place that turns sizes and
// offsets read from a file into memory sizes, so it is held to what a file can back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "fuzz/property.h"
#include "game/presentation/bitmap.h"

namespace {

std::int32_t readLe32(const std::uint8_t* bytes) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                                   static_cast<std::uint32_t>(bytes[2]) << 16 |
                                   static_cast<std::uint32_t>(bytes[3]) << 24);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using quorel::fuzz::requireThat;
  const quorel::SurfacePtr surface = quorel::decodeBitmap(std::span(data, size));
  if (!surface) return 0;

  // The header's width and height (a negative height is a top-down picture) sit at 18 and 22.
  requireThat(size >= 26, "a decoded picture has a whole header");
  requireThat(surface->width() == readLe32(data + 18), "the picture is as wide as its header says");
  requireThat(surface->height() == std::abs(static_cast<std::int64_t>(readLe32(data + 22))),
              "the picture is as high as its header says");
  requireThat(surface->width() > 0 && surface->height() > 0, "a decoded picture is not empty");
  const auto pixels = static_cast<std::size_t>(surface->width()) * static_cast<std::size_t>(surface->height());
  requireThat(surface->pixels().size() == pixels, "the pixel store matches the picture's size");
  // Every pixel takes at least one byte of the file, so a small file never asks for a big surface.
  requireThat(pixels <= size, "the picture's pixels are backed by the file's bytes");
  for (const std::uint32_t pixel : surface->pixels()) {
    requireThat(pixel <= 0xFFFFFF, "pixels are 0x00RRGGBB");
  }
  return 0;
}
