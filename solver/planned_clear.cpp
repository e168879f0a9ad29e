// Clears that follow a merge plan. The plan says which blocks merge with which; a beam tries the
// plan's merges in every order, keeping the positions reached in the fewest moves. Each merge is
// a small best-first search in which first only its two blocks move, and, when that finds
// nothing, every block may slide out of their way but none may merge. A position where a block
// could no longer meet the block it is planned to merge with is dropped.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "solver/block_moves.h"
#include "solver/codec.h"
#include "solver/lurd.h"
#include "solver/merge_plan.h"
#include "solver/pair_merge.h"
#include "solver/search_clock.h"
#include "solver/solver.h"

namespace quorel::solver {

namespace {

using Clock = std::chrono::steady_clock;
using Moves = std::vector<BlockMove>;
using ItemAt = std::array<std::int16_t, kCells>;  // which item of the plan stands on each cell

constexpr std::size_t kMostPlans = 20;
constexpr std::size_t kBeamWidth = 100;
// Positions one merge may take: when only its two blocks move, and when the others may too.
constexpr std::size_t kPairPositions = 5'000;
constexpr std::size_t kClearingPositions = 50'000;
// How much the steps still to go weigh against the moves made in one merge's search.
constexpr int kGuideWeight = 2;
constexpr int kNoItem = -1;

class PlanFollower {
 public:
  PlanFollower(const Control& control, const Layout& layout)
      : clock_(control), layout_(layout), codec_(layout), blockMoves_(layout) {
    blocks_ = static_cast<int>(layout.initialBlocks().size());
    for (int cell = 0; cell < kCells; ++cell) {
      const int slot = layout.blockSlot(cell);
      if (slot < 0) continue;
      bool moves = false;
      for (int other = 0; other < layout.blockCellCount() && !moves; ++other) {
        moves = other != slot && layout.pushes(slot, other) < Layout::kFar;
      }
      cannotMove_[cell] = !moves;
    }
  }

  bool stopped() {
    if (stop_ == StopReason::None) stop_ = clock_.check(expanded_, 0);
    return stop_ != StopReason::None;
  }
  StopReason stop() const { return stop_; }
  std::uint64_t expanded() const { return expanded_; }

  // The clear the beam finds for the plan, or nothing.
  Moves follow(const MergePlan& plan) {
    setPlan(plan);
    State start;
    start.position = startPosition(layout_);
    start.itemAt.fill(kNoItem);
    for (int i = 0; i < start.position.count; ++i) start.itemAt[start.position.cell[i]] = static_cast<std::int16_t>(i);
    std::vector<State> level{start};
    for (std::size_t depth = 0; depth < plan_.size() && !level.empty(); ++depth) {
      std::vector<State> next;
      std::unordered_set<std::string> seen;
      for (const State& state : level) {
        for (std::size_t k = 0; k < plan_.size(); ++k) {
          if (stopped()) return {};
          if ((state.done >> k) & 1U) continue;
          State after;
          bool cleared = false;
          if (!mergeInState(state, static_cast<int>(k), after, cleared)) continue;
          if (cleared) return after.moves;
          if (!partnersMayMeet(after.itemAt, after.done, -1)) continue;
          std::string key = codec_.key(after.position) + std::to_string(after.done);
          if (seen.insert(std::move(key)).second) next.push_back(std::move(after));
        }
      }
      std::stable_sort(next.begin(), next.end(), [](const State& a, const State& b) { return a.moves.size() < b.moves.size(); });
      if (next.size() > kBeamWidth) next.resize(kBeamWidth);
      level = std::move(next);
    }
    return {};
  }

 private:
  struct Operands {
    int a, b;
  };
  struct State {
    Position position;
    ItemAt itemAt{};
    std::uint64_t done = 0;  // one bit per merge of the plan
    Moves moves;
  };

  // Items are the blocks of the start, then the remainder of each merge of the plan.
  void setPlan(const MergePlan& plan) {
    plan_.clear();
    const int items = blocks_ + static_cast<int>(plan.size());
    consumer_.assign(static_cast<std::size_t>(items), -1);
    auto item = [&](int side) { return side >= PlannedMerge::kEarlierMerge ? blocks_ + side - PlannedMerge::kEarlierMerge : side; };
    for (std::size_t k = 0; k < plan.size(); ++k) {
      plan_.push_back({item(plan[k].a), item(plan[k].b)});
      consumer_[plan_.back().a] = consumer_[plan_.back().b] = static_cast<int>(k);
    }
  }
  int partnerOf(int item, std::uint64_t done, int ongoing) const {
    const int k = consumer_[item];
    if (k < 0 || k == ongoing || ((done >> k) & 1U)) return kNoItem;
    return plan_[k].a == item ? plan_[k].b : plan_[k].a;
  }

  // The cells where the item, or the blocks it is still to be made of, stand. A remainder stays on
  // the struck block's cell, so where one of them can never move, it alone counts.
  void cellsOf(int item, const ItemAt& itemAt, std::vector<int>& cells) const {
    for (int cell = 0; cell < kCells; ++cell) {
      if (itemAt[cell] == item) {
        cells.push_back(cell);
        return;
      }
    }
    if (item < blocks_) return;
    const std::size_t from = cells.size();
    cellsOf(plan_[item - blocks_].a, itemAt, cells);
    cellsOf(plan_[item - blocks_].b, itemAt, cells);
    const auto fixedEnd = std::stable_partition(cells.begin() + static_cast<std::ptrdiff_t>(from), cells.end(),
                                                [&](int cell) { return cannotMove_[cell]; });
    if (fixedEnd != cells.begin() + static_cast<std::ptrdiff_t>(from)) cells.erase(fixedEnd, cells.end());
  }
  bool mayStillMeet(int item, int cell, const ItemAt& itemAt, std::uint64_t done, int ongoing) const {
    const int partner = partnerOf(item, done, ongoing);
    if (partner == kNoItem) return true;
    std::vector<int> cells;
    cellsOf(partner, itemAt, cells);
    return std::any_of(cells.begin(), cells.end(), [&](int other) { return layout_.meetingCost(cell, other) < Layout::kNoMeeting; });
  }
  bool partnersMayMeet(const ItemAt& itemAt, std::uint64_t done, int ongoing) const {
    for (int cell = 0; cell < kCells; ++cell) {
      if (itemAt[cell] != kNoItem && !mayStillMeet(itemAt[cell], cell, itemAt, done, ongoing)) return false;
    }
    return true;
  }

  bool mergeInState(const State& state, int k, State& after, bool& cleared) {
    int cellA = -1, cellB = -1;
    for (int cell = 0; cell < kCells; ++cell) {
      if (state.itemAt[cell] == plan_[k].a) cellA = cell;
      if (state.itemAt[cell] == plan_[k].b) cellB = cell;
    }
    if (cellA < 0 || cellB < 0) return false;
    after = state;
    if (!mergePair(state, k, cellA, cellB, false, kPairPositions, after, cleared) &&
        !mergePair(state, k, cellA, cellB, true, kClearingPositions, after, cleared)) {
      return false;
    }
    after.done |= std::uint64_t{1} << k;
    return true;
  }

  // The fewest moves, within `positions` positions, that merge the items on cells a and b. With
  // `othersMove`, other blocks may slide out of the way, but not where they could no longer meet
  // their own partners.
  bool mergePair(const State& from, int k, int a, int b, bool othersMove, std::size_t positions, State& after, bool& cleared) {
    const int product = blocks_ + k;
    const std::uint64_t doneAfter = from.done | (std::uint64_t{1} << k);
    auto slid = [&](ItemAt& itemAt, int cell, int target, bool pairMoved) {
      const int item = itemAt[cell];
      itemAt[cell] = kNoItem;
      itemAt[target] = static_cast<std::int16_t>(item);
      return pairMoved || item == kNoItem || mayStillMeet(item, target, itemAt, from.done, k);
    };
    auto merged = [&](ItemAt& itemAt, int cell, int target, bool remainderLeft) {
      itemAt[cell] = kNoItem;
      itemAt[target] = remainderLeft ? static_cast<std::int16_t>(product) : kNoItem;
      return !remainderLeft || mayStillMeet(product, target, itemAt, doneAfter, -1);
    };
    const auto found = searchPairMerge(layout_, codec_, blockMoves_, from.position, from.itemAt, a, b,
                                       {positions, kGuideWeight, othersMove}, [this] { return stopped(); }, expanded_, slid,
                                       merged);
    if (!found) return false;
    after.moves.insert(after.moves.end(), found->moves.begin(), found->moves.end());
    after.position = found->after;
    after.itemAt = found->tracker;
    cleared = found->cleared;
    return true;
  }

  SearchClock clock_;
  const Layout& layout_;
  Codec codec_;
  BlockMoves blockMoves_;
  int blocks_ = 0;
  std::array<bool, kCells> cannotMove_{};
  std::vector<Operands> plan_;
  std::vector<int> consumer_;
  std::uint64_t expanded_ = 0;
  StopReason stop_ = StopReason::None;
};

}  // namespace

Result findPlannedClear(const Stage& stage, const Control& control) {
  Result result;
  if (!supportedBoard(stage)) {
    result.stop = StopReason::UnsupportedBoard;
    return result;
  }
  const auto started = Clock::now();
  const Layout layout(stage);
  PlanFollower follower(control, layout);
  for (const MergePlan& plan : planMerges(layout, kMostPlans)) {
    if (follower.stopped()) break;
    if (plan.size() > 64) continue;  // the beam marks the merges done in one word
    Moves moves = follower.follow(plan);
    if (moves.empty()) continue;
    std::optional<std::string> lurd = lurdOf(stage, moves);
    if (!lurd) continue;
    const Replay replay = replayLurd(stage, *lurd);
    if (!replay.valid || replay.result != StageResult::Cleared || replay.blockMoves != static_cast<int>(moves.size())) continue;
    result.moves = std::move(moves);
    result.lurd = std::move(*lurd);
    result.clearFoundAfter = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started);
    break;
  }
  result.stop = follower.stop();
  result.counts.statesExpanded = follower.expanded();
  result.counts.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started);
  return result;
}

}  // namespace quorel::solver
