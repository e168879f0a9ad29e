// musicgen OUTDIR: composes the game's music into OUTDIR as bgm01.mid, bgm02.mid and bgm03.mid.
// The output depends on nothing but this program.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/musicgen/pieces.h"

namespace {

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) std::fprintf(stderr, "musicgen: cannot write %s\n", path.c_str());
  return static_cast<bool>(f);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: musicgen OUTDIR\n");
    return 2;
  }
  const std::string folder = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  const bool ok = writeFile(folder + "/bgm01.mid", musicgen::playMusic().toMidiFile()) &&
                  writeFile(folder + "/bgm02.mid", musicgen::titleMusic().toMidiFile()) &&
                  writeFile(folder + "/bgm03.mid", musicgen::endingMusic().toMidiFile());
  return ok ? 0 : 1;
}
