#include "solver/block_moves.h"

namespace quorel::solver {

CellSet startArea(const Layout& layout, const CellSet& open) {
  const int x = layout.startX();
  const int y = layout.startY();
  CellSet seeds;
  if (onGrid(x, y)) seeds.add(cellBit(x, y));
  for (const Direction& d : kDirections) {
    if (onGrid(x + d.dx, y + d.dy)) seeds.add(cellBit(x + d.dx, y + d.dy));
  }
  return floodFill(seeds, open);
}

Position startPosition(const Layout& layout) {
  Position p;
  for (const PlacedBlock& block : layout.initialBlocks()) {
    p.cell[p.count] = static_cast<std::int16_t>(block.cell);
    p.value[p.count] = static_cast<std::int8_t>(block.value);
    ++p.count;
  }
  const int x = layout.startX();
  const int y = layout.startY();
  const CellSet open = without(layout.walkable(), p.blockBits());
  const bool startOpen = onGrid(x, y) && open.has(cellBit(x, y));
  p.player = startOpen ? cellOfBit(startArea(layout, open).first()) : kAtStart;
  return p;
}

}  // namespace quorel::solver
