#pragma once
// The arithmetic of a stage apart from its geometry: how few merges can clear a multiset of block
// values, or that no order of merges can, because every order leaves one block or makes a block
// of the NG number. Each multiset is worked out once and remembered.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/tile_codes.h"

namespace quorel::solver {

inline constexpr int kMaxValue = blockValue(kHighestCode);

// How many blocks of each value 1 to kMaxValue; index 0 is unused. A Board holds up to 280.
struct ValueCounts {
  std::array<std::uint16_t, 32> count{};

  void add(int value) { ++count[static_cast<std::size_t>(value)]; }
  int total() const;
  bool operator==(const ValueCounts&) const = default;
};

class MergeArithmetic {
 public:
  static constexpr int kUnclearable = 0xffff;

  // `effort` bounds the work spent on one multiset (positions of the merge search); 0 for none.
  explicit MergeArithmetic(int ngNumber, std::uint64_t effort = 0) : ngNumber_(ngNumber), effort_(effort) {}

  struct Answer {
    bool decided = true;  // false when the effort ran out: then only `fewest` as a bound holds
    int fewest = 0;       // decided: the fewest merges, or kUnclearable; else a lower bound
  };
  // The fewest merges that remove every block. An empty multiset needs none; a lone block can
  // never go.
  Answer fewestMerges(const ValueCounts& values);

  // A quick lower bound: every merge that removes two blocks pairs two values one of which
  // divides the other, and every other group of blocks that vanishes together holds three or
  // more. So with at most p such pairs among n blocks, no more than p + (n - 2p) / 3 groups can
  // vanish, and each merge takes one block away, two when a group vanishes.
  static int fewestMergesBound(const ValueCounts& values);

  std::size_t memoryBytes() const { return memo_.capacity() * sizeof(Entry); }

 private:
  struct Entry {
    ValueCounts values;
    std::uint16_t fewest = 0;      // kUnknown until proved
    std::uint16_t failsWithin = 0;  // no way to clear it in this many merges or fewer
    bool used = false;
    bool givenUp = false;  // the effort ran out on it once: its bound is all there is
  };
  static constexpr std::uint16_t kUnknown = 0xfffe;

  Entry& entryFor(const ValueCounts& values);
  bool clearsWithin(ValueCounts& values, int total, int budget);
  void grow();

  int ngNumber_;
  std::uint64_t effort_;
  std::uint64_t spent_ = 0;
  bool outOfEffort_ = false;
  std::vector<Entry> memo_;
  std::size_t filled_ = 0;
};

}  // namespace quorel::solver
