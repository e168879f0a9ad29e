#pragma once
// What never changes while a stage is played: walls, the codes 2 to 9, the cells a block can
// ever stand on, and what follows from them alone: distances between those cells, where a lone
// block can be pushed to, and which pairs of cells could ever hold two blocks that merge.
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "solver/cell_set.h"
#include "solver/stage.h"

namespace quorel::solver {

inline constexpr int kCells = kBoardCells;

// The four directions in the order of the move letters l, u, r, d.
struct Direction {
  int dx, dy;
  char step;  // the letter of a step; the letter of a block move is its capital
};
inline constexpr std::array<Direction, 4> kDirections = {{{-1, 0, 'l'}, {0, -1, 'u'}, {1, 0, 'r'}, {0, 1, 'd'}}};

constexpr int cellIndex(int x, int y) { return y * kBoardColumns + x; }
constexpr int columnOf(int cell) { return cell % kBoardColumns; }
constexpr int rowOf(int cell) { return cell / kBoardColumns; }
constexpr int bitOf(int cell) { return cellBit(columnOf(cell), rowOf(cell)); }
constexpr bool onGrid(int x, int y) { return x >= 0 && x < kBoardColumns && y >= 0 && y < kBoardRows; }

struct PlacedBlock {
  int cell;
  int value;
};

class Layout {
 public:
  static constexpr std::uint8_t kFar = 255;  // no path

  explicit Layout(const Stage& stage);

  int ngNumber() const { return ngNumber_; }
  int startX() const { return startX_; }
  int startY() const { return startY_; }
  const std::vector<PlacedBlock>& initialBlocks() const { return initialBlocks_; }

  // The code of a cell with every block taken away; off the grid a wall.
  int groundCode(int x, int y) const;
  // The neighbouring cell in a direction, or -1 off the grid.
  int neighbour(int cell, int direction) const { return neighbours_[cell][direction]; }
  // The code beyond the grid's edge in a direction from a cell on the edge.
  int groundCodeToward(int cell, int direction) const;

  // Cells the player can stand on when no block is there: everything but walls.
  const CellSet& walkable() const { return walkable_; }

  // Cells a block can ever stand on (where blocks start, and floor they can be pushed to),
  // numbered densely.
  int blockCellCount() const { return static_cast<int>(blockCells_.size()); }
  int blockSlot(int cell) const { return blockSlot_[cell]; }
  int blockCell(int slot) const { return blockCells_[slot]; }

  // Steps between two block cells over block cells, each step one a block can be pushed over or
  // merged across (kFar when none).
  std::uint8_t distance(int slotA, int slotB) const { return distance_[slotA * blockCellCount() + slotB]; }
  // The fewest block moves that merge two blocks standing on the two cells, pushes of either and
  // the merge, with no other block on the Board and the player free to stand on any cell but a
  // wall (kFar when they never can, or it takes longer).
  std::uint8_t pairCost(int slotA, int slotB) const { return pairCost_[slotA * blockCellCount() + slotB]; }
  // Pushes that bring a lone block from one cell to another, the player free to stand on any
  // cell it can ever reach (kFar when none do).
  std::uint8_t pushes(int slotFrom, int slotTo) const { return pushes_[slotFrom * blockCellCount() + slotTo]; }

  // Where two blocks can merge: a block on `from` pushed into a block on `into`, the player able
  // to stand behind `from`. The remainder stays on `into`.
  struct MergeLine {
    int into, from;  // slots
  };
  const std::vector<MergeLine>& mergeLines() const { return mergeLines_; }
  // The fewest block moves that bring blocks from two cells together and merge them so that the
  // remainder stands on `line.into`: the pushes of both and the merge, every other block gone.
  int meetCost(int slotA, int slotB, const MergeLine& line) const {
    const int aStruck = pushes(slotA, line.into) + pushes(slotB, line.from);
    const int bStruck = pushes(slotB, line.into) + pushes(slotA, line.from);
    return std::min(aStruck, bStruck) + 1;
  }
  // Whether blocks standing on the two cells could ever be pushed one into the other, each
  // moving only by pushes and the player standing wherever there is no wall.
  bool mayMerge(int slotA, int slotB) const;

  // A guide to the moves that merge blocks on two cells: the pair cost, which is kept only up to
  // kFar, beyond that the steps between the cells; kNoMeeting when they never meet.
  static constexpr int kNoMeeting = 0x7fff;
  int meetingCost(int cellA, int cellB) const {
    const int slotA = blockSlot(cellA);
    const int slotB = blockSlot(cellB);
    if (!mayMerge(slotA, slotB)) return kNoMeeting;
    const int cost = pairCost(slotA, slotB);
    return cost < kFar ? cost : std::max<int>(distance(slotA, slotB), kFar);
  }

 private:
  bool playerMayStand(int x, int y) const;
  void findStandable();
  CellSet blockReach() const;
  bool pushableStep(int cell, int direction) const;
  template <class Allowed>
  std::vector<std::uint8_t> stepsBetween(Allowed allowed) const;
  void findDistances();
  CellSet pushReach(int slot) const;
  void findMergeablePairs();
  void findPairCosts();

  int startX_, startY_, ngNumber_;
  std::array<int, kCells> groundCode_{};
  std::array<std::array<int, 4>, kCells> neighbours_{};
  CellSet walkable_;
  CellSet standable_;
  std::vector<PlacedBlock> initialBlocks_;
  std::array<int, kCells> blockSlot_{};
  std::vector<int> blockCells_;
  std::vector<std::uint8_t> distance_;
  std::vector<std::uint8_t> pairCost_;
  std::vector<std::uint8_t> pushes_;
  std::vector<MergeLine> mergeLines_;
  std::vector<std::uint64_t> mayMerge_;  // one bit per pair of slots
};

}  // namespace quorel::solver
