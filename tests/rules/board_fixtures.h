#pragma once
// Boards for the tests of the rules: drawn as stage-file characters, or the built-in stages.
#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string_view>

#include "common/stage_set.h"

namespace quorel {

// A Board drawn as rows of stage-file characters from the top-left; the rest is wall.
inline Board boardOf(std::initializer_list<std::string_view> rows) {
  Board board{};
  for (auto& column : board) column.fill(kWall);
  int y = 0;
  for (std::string_view row : rows) {
    for (int x = 0; x < static_cast<int>(row.size()); ++x) board[x][y] = tileCodeOf(row[x]).value();
    ++y;
  }
  return board;
}

inline int code(char c) { return tileCodeOf(c).value(); }

struct Cell {
  int x, y;
  char c;
};

inline Board put(Board board, std::initializer_list<Cell> cells) {
  for (const Cell& cell : cells) board[cell.x][cell.y] = code(cell.c);
  return board;
}

inline GameStageSlots builtInStages() {
  std::ifstream in(QUOREL_SOURCE_DIR "/game/resources/stages.txt", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  GameStageSlots set;
  EXPECT_TRUE(parseStageSet(splitLines(text.str()), "stages.txt", set));
  return set;
}

}  // namespace quorel
