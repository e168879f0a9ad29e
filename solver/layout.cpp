#include "solver/layout.h"

#include <deque>

#include "game/rules/step_outcome.h"

namespace quorel::solver {

Layout::Layout(const Stage& stage) : startX_(stage.startX), startY_(stage.startY), ngNumber_(stage.ngNumber) {
  for (int y = 0; y < kBoardRows; ++y) {
    for (int x = 0; x < kBoardColumns; ++x) {
      const int cell = cellIndex(x, y);
      int code = cellCode(stage.board, x, y);
      if (isBlock(code)) {
        initialBlocks_.push_back({cell, blockValue(code)});
        code = kFloor;  // where a block leaves, floor is left
      }
      groundCode_[cell] = code;
      if (code != kWall) walkable_.add(cellBit(x, y));
      for (int d = 0; d < 4; ++d) {
        const int nx = x + kDirections[d].dx;
        const int ny = y + kDirections[d].dy;
        neighbours_[cell][d] = onGrid(nx, ny) ? cellIndex(nx, ny) : -1;
      }
    }
  }
  findStandable();
  const CellSet reach = blockReach();
  blockSlot_.fill(-1);
  for (int cell = 0; cell < kCells; ++cell) {
    if (!reach.has(bitOf(cell))) continue;
    blockSlot_[cell] = static_cast<int>(blockCells_.size());
    blockCells_.push_back(cell);
  }
  findDistances();
  findMergeablePairs();
  findPairCosts();
}

int Layout::groundCode(int x, int y) const {
  if (!onGrid(x, y)) return cellCode(Board{}, x, y);
  return groundCode_[cellIndex(x, y)];
}

int Layout::groundCodeToward(int cell, int direction) const {
  return groundCode(columnOf(cell) + kDirections[direction].dx, rowOf(cell) + kDirections[direction].dy);
}

bool Layout::playerMayStand(int x, int y) const {
  return (x == startX_ && y == startY_) || (onGrid(x, y) && standable_.has(cellBit(x, y)));
}

// The player walks on everything but walls, and blocks only ever go away: no cell the player
// cannot reach from the start with every block gone is ever stood on. The start itself may be a
// wall, a block or off the grid; the player steps off it.
void Layout::findStandable() {
  CellSet seeds;
  if (onGrid(startX_, startY_)) seeds.add(cellBit(startX_, startY_));
  for (const Direction& d : kDirections) {
    if (onGrid(startX_ + d.dx, startY_ + d.dy)) seeds.add(cellBit(startX_ + d.dx, startY_ + d.dy));
  }
  standable_ = floodFill(seeds, walkable_);
}

// Every cell some block could be pushed to, each block alone on the Board: the only cells a
// block ever stands on.
CellSet Layout::blockReach() const {
  CellSet reach;
  std::deque<int> queue;
  for (const PlacedBlock& block : initialBlocks_) {
    if (reach.has(bitOf(block.cell))) continue;
    reach.add(bitOf(block.cell));
    queue.push_back(block.cell);
  }
  while (!queue.empty()) {
    const int cell = queue.front();
    queue.pop_front();
    for (int d = 0; d < 4; ++d) {
      const int next = neighbour(cell, d);
      if (next < 0 || groundCode_[next] != kFloor || reach.has(bitOf(next))) continue;
      if (!playerMayStand(columnOf(cell) - kDirections[d].dx, rowOf(cell) - kDirections[d].dy)) continue;
      reach.add(bitOf(next));
      queue.push_back(next);
    }
  }
  return reach;
}

bool Layout::mayMerge(int slotA, int slotB) const {
  const auto bit = static_cast<std::size_t>(slotA) * blockCells_.size() + static_cast<std::size_t>(slotB);
  return (mayMerge_[bit >> 6] >> (bit & 63)) & 1U;
}

// Whether a block can ever cross between `cell` and its neighbour in `direction`, one way or
// the other, or a block on one of them be pushed into a block on the other: the player must be
// able to stand beyond one of the two cells, on their line.
bool Layout::pushableStep(int cell, int direction) const {
  const int x = columnOf(cell);
  const int y = rowOf(cell);
  const int dx = kDirections[direction].dx;
  const int dy = kDirections[direction].dy;
  return playerMayStand(x - dx, y - dy) || playerMayStand(x + 2 * dx, y + 2 * dy);
}

// Steps from every block cell to every block cell, each step one `allowed(cell, direction)`
// admits (kFar when there is no way).
template <class Allowed>
std::vector<std::uint8_t> Layout::stepsBetween(Allowed allowed) const {
  const int count = blockCellCount();
  std::vector<std::uint8_t> steps(static_cast<std::size_t>(count) * count, kFar);
  std::deque<int> queue;
  for (int from = 0; from < count; ++from) {
    std::uint8_t* row = &steps[static_cast<std::size_t>(from) * count];
    row[from] = 0;
    queue.assign(1, from);
    while (!queue.empty()) {
      const int slot = queue.front();
      queue.pop_front();
      const int cell = blockCells_[slot];
      for (int d = 0; d < 4; ++d) {
        const int next = neighbour(cell, d);
        if (next < 0 || blockSlot_[next] < 0 || row[blockSlot_[next]] != kFar || !allowed(cell, d)) continue;
        row[blockSlot_[next]] = static_cast<std::uint8_t>(std::min<int>(row[slot] + 1, kFar - 1));
        queue.push_back(blockSlot_[next]);
      }
    }
  }
  return steps;
}

void Layout::findDistances() {
  distance_ = stepsBetween([this](int cell, int d) { return pushableStep(cell, d); });
}

// Every cell a block could reach from `slot` by pushes alone, with no other block on the Board
// and the player free to stand on any cell but a wall: more than it can ever reach in play.
CellSet Layout::pushReach(int slot) const {
  CellSet reach;
  std::deque<int> queue{blockCells_[slot]};
  reach.add(bitOf(blockCells_[slot]));
  while (!queue.empty()) {
    const int cell = queue.front();
    queue.pop_front();
    for (int d = 0; d < 4; ++d) {
      const int next = neighbour(cell, d);
      if (next < 0 || blockSlot_[next] < 0 || reach.has(bitOf(next))) continue;
      if (!playerMayStand(columnOf(cell) - kDirections[d].dx, rowOf(cell) - kDirections[d].dy)) continue;
      reach.add(bitOf(next));
      queue.push_back(next);
    }
  }
  return reach;
}

// Two blocks can only merge when one stands beside the other and the player behind one of them
// pushes it in. A block's later places are all within its push reach, and a remainder stays on
// the struck block's cell, so a pair whose reaches never meet that way can never merge, whatever
// else happens on the Board.
void Layout::findMergeablePairs() {
  const int count = blockCellCount();
  std::vector<CellSet> reach(static_cast<std::size_t>(count));
  std::vector<CellSet> strikable(static_cast<std::size_t>(count));
  for (int slot = 0; slot < count; ++slot) {
    reach[slot] = pushReach(slot);
    for (int cell = 0; cell < kCells; ++cell) {
      if (blockSlot_[cell] < 0 || !reach[slot].has(bitOf(cell))) continue;
      const int x = columnOf(cell);
      const int y = rowOf(cell);
      for (int d = 0; d < 4; ++d) {
        const int beside = neighbour(cell, d);
        if (beside < 0 || blockSlot_[beside] < 0) continue;
        const int dx = kDirections[d].dx;
        const int dy = kDirections[d].dy;
        // Pushed into the neighbour from behind, or struck by the neighbour pushed from its far side.
        if (playerMayStand(x - dx, y - dy) || playerMayStand(x + 2 * dx, y + 2 * dy)) {
          strikable[slot].add(bitOf(beside));
        }
      }
    }
  }
  mayMerge_.assign((static_cast<std::size_t>(count) * count + 63) / 64, 0);
  for (int a = 0; a < count; ++a) {
    for (int b = 0; b < count; ++b) {
      if (a == b || !strikable[a].intersects(reach[b])) continue;
      const auto bit = static_cast<std::size_t>(a) * count + static_cast<std::size_t>(b);
      mayMerge_[bit >> 6] |= std::uint64_t{1} << (bit & 63);
    }
  }
}

// Pushes of a lone block from each cell to each cell, every line on which one block can be pushed
// into another, and for every pair of cells the cheapest way to merge two blocks standing there.
void Layout::findPairCosts() {
  const int count = blockCellCount();
  const auto size = static_cast<std::size_t>(count) * count;
  pushes_ = stepsBetween([this](int cell, int d) {
    return playerMayStand(columnOf(cell) - kDirections[d].dx, rowOf(cell) - kDirections[d].dy);
  });
  mergeLines_.clear();
  for (int from = 0; from < count; ++from) {
    const int cell = blockCells_[from];
    for (int d = 0; d < 4; ++d) {
      const int into = neighbour(cell, d);
      if (into < 0 || blockSlot_[into] < 0) continue;
      if (!playerMayStand(columnOf(cell) - kDirections[d].dx, rowOf(cell) - kDirections[d].dy)) continue;
      mergeLines_.push_back({blockSlot_[into], from});
    }
  }
  pairCost_.assign(size, kFar);
  for (int a = 0; a < count; ++a) {
    for (int b = a; b < count; ++b) {
      int best = kFar;
      for (const MergeLine& line : mergeLines_) best = std::min(best, meetCost(a, b, line));
      pairCost_[static_cast<std::size_t>(a) * count + b] = pairCost_[static_cast<std::size_t>(b) * count + a] =
          static_cast<std::uint8_t>(std::min<int>(best, kFar));
    }
  }
}

}  // namespace quorel::solver
