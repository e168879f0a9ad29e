// BMP for the game's resources; PNG for the contact sheet and the desktop icons. The PNG is written with stored
// (uncompressed) deflate blocks, so it needs nothing beyond a CRC and an Adler-32.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tools/assetgen/image.h"

namespace assetgen {
namespace {

using Bytes = std::vector<std::uint8_t>;

void putLe(Bytes& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}
void putBe(Bytes& out, std::uint32_t v) {
  for (int i = 3; i >= 0; --i) out.push_back(std::uint8_t(v >> (8 * i)));
}

bool writeFile(const std::string& path, const Bytes& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  f.close();
  if (!f) {
    std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::uint32_t adler32(const Bytes& data) {
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : data) {
    a = (a + byte) % 65521u;
    b = (b + a) % 65521u;
  }
  return (b << 16) | a;
}

void putChunk(Bytes& png, const char* type, const Bytes& body) {
  putBe(png, std::uint32_t(body.size()));
  const std::size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), body.begin(), body.end());
  putBe(png, crc32(png.data() + start, png.size() - start));
}

Bytes storedZlib(const Bytes& raw) {
  Bytes out = {0x78, 0x01};
  std::size_t pos = 0;
  do {
    const std::size_t n = std::min<std::size_t>(raw.size() - pos, 65535);
    const bool last = pos + n == raw.size();
    out.push_back(last ? 1 : 0);
    putLe(out, std::uint32_t(n), 2);
    putLe(out, std::uint32_t(~n & 0xFFFF), 2);
    out.insert(out.end(), raw.begin() + std::ptrdiff_t(pos), raw.begin() + std::ptrdiff_t(pos + n));
    pos += n;
  } while (pos < raw.size());
  putBe(out, adler32(raw));
  return out;
}

}  // namespace

bool writeBmp(const std::string& path, const Image& img) {
  const std::uint32_t stride = std::uint32_t(img.width() * 3 + 3) & ~3u;
  const std::uint32_t dataSize = stride * std::uint32_t(img.height());
  Bytes out = {'B', 'M'};
  putLe(out, 54 + dataSize, 4);
  putLe(out, 0, 4);
  putLe(out, 54, 4);
  putLe(out, 40, 4);  // BITMAPINFOHEADER
  putLe(out, std::uint32_t(img.width()), 4);
  putLe(out, std::uint32_t(img.height()), 4);  // positive: bottom-up
  putLe(out, 1, 2);
  putLe(out, 24, 2);
  putLe(out, 0, 4);  // no compression
  putLe(out, dataSize, 4);
  putLe(out, 2835, 4);
  putLe(out, 2835, 4);
  putLe(out, 0, 4);
  putLe(out, 0, 4);
  for (int y = img.height() - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    for (int x = 0; x < img.width(); ++x) {
      const Colour c = img.at(x, y);
      out.push_back(std::uint8_t(blueOf(c)));
      out.push_back(std::uint8_t(greenOf(c)));
      out.push_back(std::uint8_t(redOf(c)));
    }
    out.resize(rowStart + stride, 0);
  }
  return writeFile(path, out);
}

namespace {

// A PNG of 8-bit channels; `pixel` appends one pixel's channels to the row.
template <typename AppendPixel>
bool writePngRows(const std::string& path, int width, int height, std::uint8_t colourType, int channels,
                  AppendPixel pixel) {
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  putBe(header, std::uint32_t(width));
  putBe(header, std::uint32_t(height));
  header.insert(header.end(), {8, colourType, 0, 0, 0});  // no interlace
  putChunk(png, "IHDR", header);

  Bytes raw;
  raw.reserve(std::size_t(height) * (std::size_t(width) * std::size_t(channels) + 1));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // filter: none
    for (int x = 0; x < width; ++x) pixel(raw, x, y);
  }
  putChunk(png, "IDAT", storedZlib(raw));
  putChunk(png, "IEND", {});
  return writeFile(path, png);
}

}  // namespace

bool writePng(const std::string& path, const Image& img) {
  return writePngRows(path, img.width(), img.height(), 2, 3, [&img](Bytes& raw, int x, int y) {
    const Colour c = img.at(x, y);
    raw.insert(raw.end(), {std::uint8_t(redOf(c)), std::uint8_t(greenOf(c)), std::uint8_t(blueOf(c))});
  });
}

bool writePngWithAlpha(const std::string& path, int width, int height, const std::vector<std::uint32_t>& argb) {
  return writePngRows(path, width, height, 6, 4, [&](Bytes& raw, int x, int y) {
    const std::uint32_t c = argb[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    raw.insert(raw.end(), {std::uint8_t(redOf(c)), std::uint8_t(greenOf(c)), std::uint8_t(blueOf(c)), std::uint8_t(c >> 24)});
  });
}

}  // namespace assetgen
