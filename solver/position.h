#pragma once
// A position of the search: the blocks in the order of their cells, and where the player stands.
#include <array>
#include <cstdint>

#include "solver/cell_set.h"
#include "solver/layout.h"

namespace quorel::solver {

inline constexpr int kAtStart = 511;  // the player still stands on a start that is no open cell

struct Position {
  int count = 0;
  std::array<std::int16_t, kCells> cell{};
  std::array<std::int8_t, kCells> value{};
  int player = 0;  // the lowest cell of the player's area, or kAtStart

  void removeAt(int i) {
    for (int k = i; k + 1 < count; ++k) {
      cell[k] = cell[k + 1];
      value[k] = value[k + 1];
    }
    --count;
  }
  // Moves block i to `to`, keeping the cells in order.
  void moveTo(int i, int to) {
    const std::int8_t v = value[i];
    removeAt(i);
    int k = count;
    while (k > 0 && cell[k - 1] > to) {
      cell[k] = cell[k - 1];
      value[k] = value[k - 1];
      --k;
    }
    cell[k] = static_cast<std::int16_t>(to);
    value[k] = v;
    ++count;
  }
  CellSet blockBits() const {
    CellSet bits;
    for (int i = 0; i < count; ++i) bits.add(bitOf(cell[i]));
    return bits;
  }
};

}  // namespace quorel::solver
