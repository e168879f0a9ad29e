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

bool writeWav(const std::string& path, double frequency) {
  const int rate = 22050, n = rate / 10;
  std::ofstream f(path, std::ios::binary);
  f.write("RIFF", 4); put32(f, 36u + unsigned(n * 2)); f.write("WAVEfmt ", 8); put32(f, 16);
  put16(f, 1); put16(f, 1); put32(f, rate); put32(f, rate * 2); put16(f, 2); put16(f, 16);
  f.write("data", 4); put32(f, unsigned(n * 2));
  for (int i = 0; i < n; ++i) {
    const double envelope = 1.0 - double(i) / n;
    put16(f, unsigned(std::int16_t(8000 * envelope * std::sin(6.283185307 * frequency * i / rate))) & 0xFFFF);
  }
  return bool(f);
}

}  // namespace

bool writeSounds(const std::string& folder) {
  const char* names[] = {"ATTEND", "CLEAR", "DEL", "HIT", "LOGO", "MOVE", "NEXT", "SDW", "SUP", "SWITCH", "TCMOVE", "TCMOVE2"};
  double f = 440;
  for (const char* n : names) {
    if (!writeWav(folder + "/" + n + ".wav", f)) return false;
    f *= 1.1;
  }
  return true;
}

}  // namespace assetgen
