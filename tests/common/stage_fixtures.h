#pragma once
// Small stage sets and a scratch folder for the tests of the stage set format and qrltool.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/stage_set.h"

namespace quorel::test {

inline const std::string kBuiltInStagesPath = QUOREL_SOURCE_DIR "/game/resources/stages.txt";

// A walled grid with floor inside; stage s has block "A" + s - 1 at (s, 2) so that stages differ.
inline std::string gridLine(int stage) {
  std::string grid(kBoardCells, '1');
  for (int row = 1; row < kBoardRows - 1; ++row) {
    for (int column = 1; column < kBoardColumns - 1; ++column) grid[row * kBoardColumns + column] = '0';
  }
  grid[2 * kBoardColumns + stage % 18 + 1] = static_cast<char>('A' + (stage - 1) % 26);
  return grid;
}

// The lines of a valid set of `stages` stages: stage s starts at (s % 18 + 1, 1) with NG number s % 25 + 1.
inline std::vector<std::string> setLines(int stages, const std::string& designer = "tester") {
  std::vector<std::string> lines = {std::to_string(stages + 1), designer};
  for (int s = 1; s <= stages; ++s) {
    lines.push_back(std::to_string(s % 18 + 1));
    lines.push_back("1");
    lines.push_back(std::to_string(s % 25 + 1));
    lines.push_back(gridLine(s));
  }
  return lines;
}

inline std::string joined(const std::vector<std::string>& lines, const std::string& lineEnd) {
  std::string text;
  for (const auto& line : lines) text += line + lineEnd;
  return text;
}

inline std::string fileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh folder removed with everything in it at the end of the test.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorel-common-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot create a scratch folder";
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string file(const std::string& name) const { return (path_ / name).string(); }
  std::string write(const std::string& name, const std::string& contents) const {
    std::ofstream(path_ / name, std::ios::binary) << contents;
    return file(name);
  }

 private:
  std::filesystem::path path_;
};

}  // namespace quorel::test
