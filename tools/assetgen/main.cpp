// assetgen OUTDIR: draws every picture and synthesises every sound effect of the game and
// the editor into OUTDIR. The output depends on nothing but this program.
// assetgen --contact-sheet OUT.png: every picture on one sheet, to look at.
// assetgen --icons OUTDIR: the desktop icons, in the icon theme's folders.
#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/assetgen/assetgen.h"

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--contact-sheet") return assetgen::writeContactSheet(argv[2]) ? 0 : 1;
  if (argc == 3 && std::string(argv[1]) == "--icons") return assetgen::writeIcons(argv[2]) ? 0 : 1;
  if (argc != 2) {
    std::fprintf(stderr, "usage: assetgen OUTDIR | assetgen --contact-sheet OUT.png | assetgen --icons OUTDIR\n");
    return 2;
  }
  std::error_code ec;
  std::filesystem::create_directories(argv[1], ec);
  if (!assetgen::writePictures(argv[1]) || !assetgen::writeSounds(argv[1])) return 1;
  return 0;
}
