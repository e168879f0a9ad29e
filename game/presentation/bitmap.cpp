#include "game/presentation/bitmap.h"

#include <cstddef>
#include <cstdint>
#include <limits>

namespace quorel {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER; later versions only add fields
constexpr std::uint32_t kUncompressed = 0;

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool has(std::size_t offset, std::size_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }
  std::uint16_t u16(std::size_t offset) const {
    return static_cast<std::uint16_t>(bytes_[offset] | bytes_[offset + 1] << 8);
  }
  std::uint32_t u32(std::size_t offset) const {
    return static_cast<std::uint32_t>(u16(offset)) | static_cast<std::uint32_t>(u16(offset + 2)) << 16;
  }
  std::int32_t i32(std::size_t offset) const { return static_cast<std::int32_t>(u32(offset)); }
  std::uint8_t u8(std::size_t offset) const { return bytes_[offset]; }

 private:
  std::span<const std::uint8_t> bytes_;
};

struct BitmapLayout {
  std::int64_t width = 0;
  std::int64_t height = 0;  // always positive here
  bool topDown = false;
  int bitsPerPixel = 0;
  std::size_t paletteOffset = 0;
  std::size_t paletteEntries = 0;
  std::size_t pixelOffset = 0;
  std::size_t stride = 0;
};

std::uint32_t rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<std::uint32_t>(red) << 16 | static_cast<std::uint32_t>(green) << 8 | blue;
}

bool readLayout(const ByteReader& in, BitmapLayout& layout) {
  if (!in.has(0, kFileHeaderSize + kInfoHeaderSize)) return false;
  if (in.u8(0) != 'B' || in.u8(1) != 'M') return false;
  const std::uint32_t infoSize = in.u32(kFileHeaderSize);
  if (infoSize < kInfoHeaderSize || !in.has(kFileHeaderSize, infoSize)) return false;

  const std::int32_t width = in.i32(kFileHeaderSize + 4);
  const std::int32_t height = in.i32(kFileHeaderSize + 8);
  const std::uint16_t planes = in.u16(kFileHeaderSize + 12);
  const std::uint16_t bitsPerPixel = in.u16(kFileHeaderSize + 14);
  const std::uint32_t compression = in.u32(kFileHeaderSize + 16);
  const std::uint32_t coloursUsed = in.u32(kFileHeaderSize + 32);
  if (width <= 0 || height == 0 || height == std::numeric_limits<std::int32_t>::min()) return false;
  if (planes != 1 || compression != kUncompressed) return false;
  if (bitsPerPixel != 8 && bitsPerPixel != 24) return false;

  layout.width = width;
  layout.height = height < 0 ? -static_cast<std::int64_t>(height) : height;
  layout.topDown = height < 0;
  layout.bitsPerPixel = bitsPerPixel;
  layout.paletteOffset = kFileHeaderSize + infoSize;
  if (bitsPerPixel == 8) {
    layout.paletteEntries = coloursUsed == 0 ? 256 : coloursUsed;
    if (layout.paletteEntries > 256 || !in.has(layout.paletteOffset, layout.paletteEntries * 4)) return false;
  }
  layout.pixelOffset = in.u32(10);
  layout.stride = static_cast<std::size_t>((layout.width * bitsPerPixel + 31) / 32 * 4);
  // The pixel data must be there in full; this also bounds the surface by the file's size.
  const std::uint64_t pixelBytes = static_cast<std::uint64_t>(layout.stride) * static_cast<std::uint64_t>(layout.height);
  if (pixelBytes > std::numeric_limits<std::size_t>::max()) return false;
  return in.has(layout.pixelOffset, static_cast<std::size_t>(pixelBytes));
}

bool decodePixels(const ByteReader& in, const BitmapLayout& layout, Surface& surface) {
  const int width = static_cast<int>(layout.width);
  const int height = static_cast<int>(layout.height);
  for (int y = 0; y < height; ++y) {
    const int storedRow = layout.topDown ? y : height - 1 - y;
    const std::size_t rowStart = layout.pixelOffset + static_cast<std::size_t>(storedRow) * layout.stride;
    std::uint32_t* out = surface.row(y);
    for (int x = 0; x < width; ++x) {
      if (layout.bitsPerPixel == 24) {
        const std::size_t p = rowStart + static_cast<std::size_t>(x) * 3;
        out[x] = rgb(in.u8(p + 2), in.u8(p + 1), in.u8(p));
      } else {
        const std::size_t index = in.u8(rowStart + static_cast<std::size_t>(x));
        if (index >= layout.paletteEntries) return false;
        const std::size_t entry = layout.paletteOffset + index * 4;
        out[x] = rgb(in.u8(entry + 2), in.u8(entry + 1), in.u8(entry));
      }
    }
  }
  return true;
}

}  // namespace

SurfacePtr decodeBitmap(std::span<const std::uint8_t> bytes) {
  const ByteReader in(bytes);
  BitmapLayout layout;
  if (!readLayout(in, layout)) return nullptr;
  if (layout.width > std::numeric_limits<int>::max() || layout.height > std::numeric_limits<int>::max()) return nullptr;
  auto surface = std::make_unique<Surface>(static_cast<int>(layout.width), static_cast<int>(layout.height));
  if (!decodePixels(in, layout, *surface)) return nullptr;
  return surface;
}

}  // namespace quorel
