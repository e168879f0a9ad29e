#pragma once
// Lower bounds of the block moves still needed from a position (see estimator.cpp for why they
// hold), and the dead ends no clear can follow.
#include <array>
#include <cstdint>
#include <vector>

#include "solver/layout.h"
#include "solver/merge_arithmetic.h"
#include "solver/merge_groups.h"
#include "solver/position.h"

namespace quorel::solver {

class Estimator {
 public:
  static constexpr int kDead = 0x7fff;

  explicit Estimator(const Layout& layout);

  // A quick bound, or kDead.
  int quickBound(const Position& p) { return bound(p, false, -1); }
  // A bound at least as high, dearer to work out: the groups of few blocks are charged whole.
  // `changedCell`, where the move into `p` left a block, only steers which work is kept for the
  // positions after it: a block moved once is often moved again.
  int fullBound(const Position& p, int changedCell = -1) { return bound(p, true, changedCell); }

  std::size_t memoryBytes() const {
    return arithmetic_.memoryBytes() + cache_.size() * sizeof(CacheEntry) + quadOrders_.size() * sizeof(std::uint16_t) +
           pairThenThird_.size() + splits_.size() * (std::size_t{2} << kPartitionBlocks);
  }

 private:
  static constexpr int kPartitionBlocks = 10;
  static constexpr int kMatchingNodes = 32;

  struct Edge {
    int a, b, saving;
  };

  // The cheapest split of every subset of some blocks, kept so that a group that has one block
  // more than they (most often the block just moved) needs only the sets holding that block.
  struct SplitTable {
    int count = 0;
    std::array<std::int16_t, kPartitionBlocks> cell{};
    std::array<std::int8_t, kPartitionBlocks> value{};
    std::vector<std::uint16_t> best, firstMerge;  // by subset
  };
  static constexpr std::size_t kSplitTables = 16;

  struct CacheEntry {
    std::uint64_t first = 0, second = 0;
    int bound = -1;
  };
  static constexpr std::size_t kCacheEntries = std::size_t{1} << 16;

  int bound(const Position& p, bool wholeGroups, int changedCell);
  int boundOf(const Position& p, bool wholeGroups, int changedCell);
  int shareQuarters(const Position& p, const std::vector<int>& members);
  int partitionBound(const Position& p, const std::vector<int>& members, int changedCell);
  int extraBlockOver(const Position& p, const std::vector<int>& members, const SplitTable& table) const;
  int setBoundOf(std::uint32_t set, int round, const std::array<int, kPartitionBlocks>& value,
                 const std::array<int, kPartitionBlocks>& slot,
                 const std::array<std::array<std::uint16_t, kPartitionBlocks>, kPartitionBlocks>& opens);
  int greatestSaving();
  int bestMatching(std::uint32_t open, const std::array<std::uint32_t, kMatchingNodes>& adjacent);
  int tripleCost(const std::array<int, 3>& value, const std::array<int, 3>& slot);
  int firstPairThenThird(int slotA, int slotB, int slotThird);
  int quadCost(const std::array<int, 4>& value, const std::array<int, 4>& slot);
  std::uint16_t quadOrders(const std::array<int, 4>& value);

  const Layout& layout_;
  MergeArithmetic arithmetic_;
  // firstPairThenThird by its three slots, worked out when first asked: 0 until then, else the
  // cost plus one (kFar + 1 wraps to 0, so kFar is kept as kFar).
  std::vector<std::uint8_t> pairThenThird_;
  // quadOrders by the four values, 0 until worked out.
  static constexpr std::uint16_t kWorkedOut = 0x8000;
  std::vector<std::uint16_t> quadOrders_;
  std::array<int, kCells> slot_{};
  std::array<int, kCells> share_{};
  MergeGroups groups_;
  std::vector<Edge> edges_;
  std::vector<int> nodes_;
  std::array<std::array<int, kMatchingNodes>, kMatchingNodes> savingOf_{};
  int steps_ = 0;
  // The partition bound's tables, by subset of a group's blocks.
  std::vector<std::int16_t> path_;
  std::vector<std::uint16_t> setBound_, best_, firstMerge_;
  std::vector<std::uint8_t> setSize_;
  std::vector<CacheEntry> cache_;
  std::vector<SplitTable> splits_;
  std::size_t nextSplit_ = 0;
  std::array<int, kPartitionBlocks> order_{};
};

}  // namespace quorel::solver
