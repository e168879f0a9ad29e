#pragma once
// The blocks of a position split into the groups that may ever merge among themselves: two blocks
// are linked when Layout::mayMerge holds for their cells, and a group is a connected set of
// linked blocks. Blocks of different groups never meet, whatever else happens (see
// estimator.cpp), so each group's values must be cleared on their own.
#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "solver/layout.h"
#include "solver/position.h"

namespace quorel::solver {

class MergeGroups {
 public:
  void split(const Layout& layout, const Position& p) {
    const int n = p.count;
    for (int i = 0; i < n; ++i) root_[i] = i;
    for (int i = 0; i < n; ++i) {
      for (int j = i + 1; j < n; ++j) {
        if (layout.mayMerge(layout.blockSlot(p.cell[i]), layout.blockSlot(p.cell[j]))) join(i, j);
      }
    }
    count_ = 0;
    for (int i = 0; i < n; ++i) {
      if (find(i) != i) continue;
      if (members_.size() <= count_) members_.emplace_back();
      members_[count_].clear();
      for (int j = i; j < n; ++j) {
        if (find(j) == i) members_[count_].push_back(j);
      }
      ++count_;
    }
  }

  std::size_t count() const { return count_; }
  // The blocks of group k by their index in the position, in ascending order.
  const std::vector<int>& members(std::size_t k) const { return members_[k]; }

 private:
  int find(int i) {
    while (root_[i] != i) i = root_[i] = root_[root_[i]];
    return i;
  }
  void join(int a, int b) {
    a = find(a);
    b = find(b);
    if (a != b) root_[std::max(a, b)] = std::min(a, b);
  }

  std::array<int, kCells> root_{};
  std::vector<std::vector<int>> members_;
  std::size_t count_ = 0;
};

}  // namespace quorel::solver
