#pragma once
// Plans for stages where many blocks can never move: which blocks merge with which, as a list of
// merges, before any block is pushed. A block that can never move must be struck until nothing is
// left of it, so each gets a recipe of a few movable blocks that do so; the recipes may not share
// a block, and the blocks no recipe takes must clear among themselves. The plans come cheapest
// first, by how far their blocks stand from each other; they say nothing of the order of merges.
#include <cstddef>
#include <vector>

#include "solver/layout.h"

namespace quorel::solver {

// One merge of a plan: each side is a block of the start (its index in Layout::initialBlocks) or
// the remainder of an earlier merge of the plan (its index plus kEarlierMerge).
struct PlannedMerge {
  static constexpr int kEarlierMerge = 1000;
  int a, b;
};
using MergePlan = std::vector<PlannedMerge>;

// Up to `most` plans, the cheapest first; none when no block is fixed in place or no cover of
// the fixed blocks works out.
std::vector<MergePlan> planMerges(const Layout& layout, std::size_t most);

}  // namespace quorel::solver
