// Stand-ins of the right sizes until the real artwork and sounds are drawn.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tools/assetgen/assetgen.h"

namespace assetgen {
namespace {

void put16(std::ofstream& f, unsigned v) { f.put(char(v & 0xFF)); f.put(char((v >> 8) & 0xFF)); }
void put32(std::ofstream& f, unsigned v) { put16(f, v & 0xFFFF); put16(f, v >> 16); }

bool writeBmp(const std::string& path, int w, int h, std::uint32_t colour) {
  std::ofstream f(path, std::ios::binary);
  const int stride = (w * 3 + 3) & ~3;
  f.write("BM", 2); put32(f, 54u + unsigned(stride * h)); put32(f, 0); put32(f, 54);
  put32(f, 40); put32(f, unsigned(w)); put32(f, unsigned(h)); put16(f, 1); put16(f, 24);
  put32(f, 0); put32(f, unsigned(stride * h)); put32(f, 2835); put32(f, 2835); put32(f, 0); put32(f, 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool grid = (x % 32 == 0) || (y % 32 == 0);
      const std::uint32_t c = grid ? 0x404040 : colour;
      f.put(char(c & 0xFF)); f.put(char((c >> 8) & 0xFF)); f.put(char((c >> 16) & 0xFF));
    }
    for (int p = w * 3; p < stride; ++p) f.put(0);
  }
  return bool(f);
}

}  // namespace

bool writePictures(const std::string& folder) {
  struct P { const char* name; int w, h; std::uint32_t colour; };
  const P pictures[] = {{"map", 480, 64, 0x806040}, {"face", 160, 288, 0x40A0F0}, {"font", 441, 51, 0xF0F0F0},
      {"logo", 540, 61, 0xC0C0FF}, {"title", 640, 480, 0x4060A0}, {"cur", 321, 36, 0xF0F000},
      {"window1", 265, 90, 0x2040A0}, {"window2", 265, 46, 0x2040A0}, {"window3", 265, 23, 0x2040A0},
      {"titleback", 640, 480, 0x102040}, {"endingback", 640, 480, 0x204010}, {"endingback2", 640, 480, 0x401020},
      {"endingfont", 640, 60, 0xA0A040}, {"edtiles", 800, 96, 0x806040}, {"edface", 160, 256, 0x40A0F0}};
  for (const P& p : pictures) {
    if (!writeBmp(folder + "/" + p.name + ".bmp", p.w, p.h, p.colour)) return false;
  }
  return true;
}

}  // namespace assetgen
