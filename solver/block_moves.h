#pragma once
// Every block move from a position: the player walks anywhere in its area and pushes a block one
// cell, into floor or into another block, by the rules' own pushAgainst and judgeStage.
#include <array>
#include <cstdint>

#include "game/rules/step_outcome.h"
#include "solver/layout.h"
#include "solver/position.h"
#include "solver/solver.h"

namespace quorel::solver {

inline CellSet without(const CellSet& a, const CellSet& b) {
  CellSet out;
  for (int i = 0; i < kCellSetWords; ++i) out.words[i] = a.words[i] & ~b.words[i];
  return out;
}

inline int cellOfBit(int bit) { return cellIndex(bit % kRowStride, bit / kRowStride); }

// A move as the search keeps it: the block's cell times four plus the direction.
constexpr std::uint16_t moveCode(int cell, int direction) { return static_cast<std::uint16_t>(cell * 4 + direction); }
inline BlockMove blockMoveOf(std::uint16_t move) { return {columnOf(move / 4), rowOf(move / 4), move % 4}; }

// Where the player can walk from the start. The start itself may be a wall, a block or off the
// grid: the player can still step off it, but never walks back onto it.
CellSet startArea(const Layout& layout, const CellSet& open);

// The blocks as the stage starts, and the player's area.
Position startPosition(const Layout& layout);

class BlockMoves {
 public:
  explicit BlockMoves(const Layout& layout) : layout_(layout) { blockAt_.fill(-1); }

  // Calls visit(child, move, cleared) for each block move from `p` that does not lose the
  // stage; the child's player is the lowest cell of its area. A visit returning false stops.
  template <class Visit>
  void forEach(const Position& p, Visit&& visit);

 private:
  const Layout& layout_;
  std::array<int, kCells> blockAt_{};
  Position child_;
};

template <class Visit>
void BlockMoves::forEach(const Position& p, Visit&& visit) {
  const CellSet open = without(layout_.walkable(), p.blockBits());
  const bool atStart = p.player == kAtStart;
  CellSet area;
  if (atStart) {
    area = startArea(layout_, open);
  } else {
    CellSet seed;
    seed.add(bitOf(p.player));
    area = floodFill(seed, open);
  }
  for (int i = 0; i < p.count; ++i) blockAt_[p.cell[i]] = i;
  const int ng = layout_.ngNumber();
  bool going = true;
  for (int i = 0; i < p.count && going; ++i) {
    const int cell = p.cell[i];
    const int x = columnOf(cell);
    const int y = rowOf(cell);
    for (int d = 0; d < 4 && going; ++d) {
      const int fromX = x - kDirections[d].dx;
      const int fromY = y - kDirections[d].dy;
      const bool reachable = onGrid(fromX, fromY) && area.has(cellBit(fromX, fromY));
      if (!reachable && !(atStart && fromX == layout_.startX() && fromY == layout_.startY())) continue;
      const int target = layout_.neighbour(cell, d);
      const int beyondCode = target < 0               ? layout_.groundCodeToward(cell, d)
                             : blockAt_[target] >= 0 ? blockCode(p.value[blockAt_[target]])
                                                     : layout_.groundCode(columnOf(target), rowOf(target));
      const Push push = pushAgainst(blockCode(p.value[i]), beyondCode);
      if (push.kind == PushKind::Blocked) continue;

      Position& c = child_;
      c = p;
      bool cleared = false;
      if (push.kind == PushKind::Slide) {
        c.moveTo(i, target);
      } else {
        const int struck = blockAt_[target];
        if (push.remainder != 0) {
          c.value[struck] = static_cast<std::int8_t>(push.remainder);
          c.removeAt(i);
        } else {
          c.removeAt(std::max(i, struck));
          c.removeAt(std::min(i, struck));
        }
        bool ngLeft = false;
        for (int k = 0; k < c.count; ++k) ngLeft = ngLeft || c.value[k] == ng;
        const StageResult result = judgeStage(c.count, ngLeft);
        if (isLost(result)) continue;
        cleared = result == StageResult::Cleared;
      }
      if (!cleared) {
        // A push into a cell the player could not reach leaves the player's area whole, and the
        // player now stands beside it: the child's area grows from all of it, which takes far
        // fewer rounds of the fill than growing from the one cell.
        CellSet seed;
        if (reachable && (target < 0 || !area.has(bitOf(target)))) seed = area;
        seed.add(bitOf(cell));
        c.player = cellOfBit(floodFill(seed, without(layout_.walkable(), c.blockBits())).first());
      }
      going = visit(static_cast<const Position&>(c), moveCode(cell, d), cleared);
    }
  }
  for (int i = 0; i < p.count; ++i) blockAt_[p.cell[i]] = -1;
}

}  // namespace quorel::solver
