// assetgen OUTDIR: draws every picture and synthesises every sound effect of the game and
// the editor into OUTDIR. The output depends on nothing but this program.
#include <cstdio>
#include <filesystem>

#include "tools/assetgen/assetgen.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: assetgen OUTDIR\n");
    return 2;
  }
  std::error_code ec;
  std::filesystem::create_directories(argv[1], ec);
  if (!assetgen::writePictures(argv[1]) || !assetgen::writeSounds(argv[1])) return 1;
  return 0;
}
