#pragma once
#include <cstdint>
#include <span>

#include "game/presentation/surface.h"

namespace quorel {

// Decodes a BMP file image (8-bit palette or 24-bit, bottom-up or top-down) into a surface.
// Null when the image is malformed or of another kind.
SurfacePtr decodeBitmap(std::span<const std::uint8_t> bytes);

}  // namespace quorel
