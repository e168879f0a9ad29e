// Clears found without proof: a ceiling for the exact search, and the best known answer when it
// cannot finish. Three searches take turns, each wider on every round, because each finds clears
// the others miss:
// - the merge beam goes one merge at a time: from each kept position, pairs of blocks whose
//   values may meet are brought together by a small search in which only those two move, and the
//   positions after the merge with the lowest moves-plus-bound go on, a few at most for each
//   multiset of values left, so that one plan does not crowd out the others; it runs twice a
//   round, wide over the nearest pairs and narrow over every pair;
// - the move beam goes one block move at a time, keeping the positions with the lowest bounds;
//   it finds clears where blocks must first be moved out of each other's way;
// - a greedy best-first search over block moves (moves plus a multiple of the bound) backs out of
//   dead ends that end a beam, and finds a first clear fast on most stages.
// Once a clear is known, every later search drops what cannot beat it. Each clear is played
// through the game's rules before it is kept.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <queue>
#include <random>
#include <string>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "solver/block_moves.h"
#include "solver/codec.h"
#include "solver/estimator.h"
#include "solver/lurd.h"
#include "solver/merge_groups.h"
#include "solver/pair_merge.h"
#include "solver/search_clock.h"
#include "solver/solver.h"

namespace quorel::solver {

namespace {

using Clock = std::chrono::steady_clock;
using Moves = std::vector<BlockMove>;

// Positions of the merge search spent on one multiset of values: enough for a group of a dozen,
// and a larger one left undecided costs no more than that once.
constexpr std::uint64_t kArithmeticEffort = 2000;
// The positions a search for one pair's merge may hold; a pair that needs more is left out.
constexpr std::size_t kPairPositions = 500;
// How many positions of the merge beam may share one multiset of values.
constexpr int kPerValues = 5;
// How many pairs of blocks, the nearest, the merge beam tries to bring together from a position.
// Few is fast and finds most clears; where the merges that clear a stage lie far apart, a
// narrower beam that tries every pair finds them.
constexpr std::size_t kNearestPairs = 16;
constexpr std::size_t kAllPairs = kCells * kCells;
// The beams give the dear full bound to this many positions for each one they keep.
constexpr int kShortlist = 4;
// The first round's widths and the greedy search's positions; each round multiplies them.
constexpr int kFirstMergeWidth = 16;
constexpr int kFirstMoveWidth = 250;
constexpr std::chrono::milliseconds kFirstSlice{1000};
constexpr std::size_t kFirstGreedyPositions = 100'000;
constexpr std::size_t kMostGreedyPositions = 1'600'000;  // some 200 MiB
// What one kept position costs a search here, besides its key twice over (in the search's own
// list and in its table of positions seen): the strings' headers and heap blocks, the table's
// node and bucket, and the parent links. Measured on the built-in stages, within a tenth.
constexpr std::size_t kBytesPerPosition = 160;
constexpr int kGreedyWeight = 10;
constexpr int kLaterGreedyWeight = 3;

class ClearFinder {
 public:
  ClearFinder(const Stage& stage, const Control& control)
      : stage_(stage),
        control_(control),
        clock_(control),
        layout_(stage),
        codec_(layout_),
        estimator_(layout_),
        blockMoves_(layout_),
        arithmetic_(layout_.ngNumber(), kArithmeticEffort),
        words_(codec_.words()) {}

  // The rounds, until the widest merge beam has had its turn or a limit stops them. Under a time
  // limit each search has a slice of time that doubles every round, so that one that goes
  // nowhere on a stage does not keep the others from their turn. The cheap rounds come first:
  // on most stages one of their searches finds a clear within a second.
  void run(int widestMergeBeam, bool untilNoBetter) {
    int mergeWidth = kFirstMergeWidth;
    int moveWidth = kFirstMoveWidth;
    std::size_t greedyPositions = kFirstGreedyPositions;
    auto slice = kFirstSlice;
    // No clear has fewer moves than the start's bound: one that has as few needs no rounds more.
    const int startBound = estimator_.fullBound(startPosition(layout_));
    if (startBound == Estimator::kDead) return;
    auto settled = [&] { return !best_.empty() && static_cast<int>(best_.size()) <= startBound; };
    for (int round = 0; mergeWidth <= widestMergeBeam && !settled() && !limitReached(); ++round) {
      const std::size_t before = best_.size();
      sliceEnd_ = Clock::now() + slice;
      offer(mergeBeam(mergeWidth, kNearestPairs));
      sliceEnd_ = Clock::now() + slice;
      if (!settled() && !limitReached()) offer(mergeBeam(std::max(mergeWidth / 4, 4), kAllPairs));
      sliceEnd_ = Clock::now() + slice;
      if (!settled() && !limitReached()) offer(greedy(round % 2 == 0 ? kGreedyWeight : kLaterGreedyWeight, greedyPositions, round));
      sliceEnd_ = Clock::now() + slice;
      if (!settled() && !limitReached()) offer(moveBeam(moveWidth));
      if (untilNoBetter && !best_.empty() && best_.size() == before) break;
      mergeWidth *= 4;
      moveWidth *= 4;
      greedyPositions = std::min(greedyPositions * 3, kMostGreedyPositions);
      slice *= 2;
    }
  }

  Result result() {
    Result result;
    result.stop = stop_;
    result.moves = best_;
    result.lurd = bestLurd_;
    result.counts.statesExpanded = expanded_;
    result.clearFoundAfter = foundAfter_;
    result.counts.elapsed = clock_.elapsed();
    result.peakMemoryBytes = peakBytes_;
    result.counts.memoryBytes = peakBytes_;
    return result;
  }

 private:
  // The finder stops on the caller's limits and cancel; it reports progress on the way.
  bool limitReached() {
    if (stop_ == StopReason::None) stop_ = clock_.check(expanded_, control_.limits.states);
    return stop_ != StopReason::None;
  }
  // One search stops there too, and at the end of its slice when the caller set a time limit;
  // without one, every search runs to its end and the rounds find the same clears on every run.
  bool stopped() {
    return limitReached() || (control_.limits.time.count() > 0 && Clock::now() >= sliceEnd_);
  }

  // Keeps a clear that beats the best so far once the game's own rules have played it through.
  void offer(Moves moves) {
    if (moves.empty() || (!best_.empty() && moves.size() >= best_.size())) return;
    std::optional<std::string> lurd = lurdOf(stage_, moves);
    if (!lurd) return;
    const Replay replay = replayLurd(stage_, *lurd);
    if (!replay.valid || replay.result != StageResult::Cleared || replay.blockMoves != static_cast<int>(moves.size())) {
      return;
    }
    best_ = std::move(moves);
    bestLurd_ = std::move(*lurd);
    foundAfter_ = clock_.elapsed();
  }

  // Whether a search that keeps `positions` positions has reached the caller's memory limit; such
  // a search ends as at the end of its slice, and the next one has its turn.
  bool tablesFull(std::size_t positions) {
    const std::size_t bytes = positions * (kBytesPerPosition + 2 * sizeof(std::uint64_t) * static_cast<std::size_t>(words_)) +
                              estimator_.memoryBytes() + arithmetic_.memoryBytes();
    peakBytes_ = std::max(peakBytes_, bytes);
    return control_.limits.memoryBytes > 0 && bytes >= control_.limits.memoryBytes;
  }

  // A clear of `moves` block moves or more cannot beat the best.
  int ceiling() const { return best_.empty() ? 0x7fffffff : static_cast<int>(best_.size()); }

  // Whether the values of some group of blocks that may ever meet can no longer be cleared. The
  // estimator settles only small groups; after a merge the larger ones are worth a look here.
  bool valuesDead(const Position& p) {
    groups_.split(layout_, p);
    for (std::size_t k = 0; k < groups_.count(); ++k) {
      ValueCounts values;
      for (const int i : groups_.members(k)) values.add(p.value[i]);
      const MergeArithmetic::Answer fewest = arithmetic_.fewestMerges(values);
      if (fewest.decided && fewest.fewest == MergeArithmetic::kUnclearable) return true;
    }
    return false;
  }

  // The fewest moves, within kPairPositions positions, that merge the blocks on cells a and b
  // while every other block stands still; appended to `moves`, with the position after it.
  bool mergePair(const Position& from, int a, int b, Moves& moves, Position& after, bool& cleared) {
    struct Nothing {};
    auto any = [](Nothing&, int, int, bool) { return true; };
    const auto found = searchPairMerge(layout_, codec_, blockMoves_, from, Nothing{}, a, b, {kPairPositions, 1, false},
                                       [this] { return stopped(); }, expanded_, any, any);
    if (!found) return false;
    moves.insert(moves.end(), found->moves.begin(), found->moves.end());
    after = found->after;
    cleared = found->cleared;
    return true;
  }

  struct Kept {
    std::string key;
    Moves moves;  // from the start
    int bound = 0;
    std::uint64_t tie = 0;
  };

  // The pairs of blocks that may merge without making the NG number, the nearest first, and
  // only the first `most`.
  void nearestPairs(const Position& p, std::size_t most, std::vector<std::pair<int, int>>& pairs) {
    std::vector<std::tuple<int, int, int>> byCost;
    for (int i = 0; i < p.count; ++i) {
      for (int j = i + 1; j < p.count; ++j) {
        if (mergeRemainder(p.value[i], p.value[j]) == layout_.ngNumber()) continue;
        const int cost = layout_.meetingCost(p.cell[i], p.cell[j]);
        if (cost < Layout::kNoMeeting) byCost.emplace_back(cost, i, j);
      }
    }
    const std::size_t tried = std::min(byCost.size(), most);
    std::partial_sort(byCost.begin(), byCost.begin() + static_cast<std::ptrdiff_t>(tried), byCost.end());
    pairs.clear();
    for (std::size_t k = 0; k < tried; ++k) pairs.emplace_back(std::get<1>(byCost[k]), std::get<2>(byCost[k]));
  }

  // The next level of the merge beam: the most promising by the quick bound get the full one,
  // which orders them, and the first `width` go on, at most kPerValues for each multiset of values.
  void keepBest(std::vector<Kept>& next, int width, std::vector<Kept>& level) {
    auto byBound = [](const Kept& x, const Kept& y) {
      const std::size_t fx = x.moves.size() + static_cast<std::size_t>(x.bound);
      const std::size_t fy = y.moves.size() + static_cast<std::size_t>(y.bound);
      return fx != fy ? fx < fy : x.tie < y.tie;
    };
    const std::size_t shortlist = std::min(next.size(), static_cast<std::size_t>(width) * kShortlist);
    std::partial_sort(next.begin(), next.begin() + static_cast<std::ptrdiff_t>(shortlist), next.end(), byBound);
    next.resize(shortlist);
    Position p;
    for (Kept& kept : next) {
      codec_.decode(kept.key, p);
      kept.bound = estimator_.fullBound(p);
    }
    std::erase_if(next, [](const Kept& kept) { return kept.bound == Estimator::kDead; });
    std::sort(next.begin(), next.end(), byBound);
    std::unordered_map<std::string, int> perValues;
    level.clear();
    for (Kept& kept : next) {
      if (static_cast<int>(level.size()) >= width) break;
      codec_.decode(kept.key, p);
      std::string values(kMaxValue + 1, '\0');
      for (int i = 0; i < p.count; ++i) ++values[static_cast<std::size_t>(p.value[i])];
      if (++perValues[values] > kPerValues) continue;
      level.push_back(std::move(kept));
    }
  }

  Moves mergeBeam(int width, std::size_t pairsPerPosition) {
    std::mt19937_64 tieBreak(static_cast<std::uint64_t>(width));
    std::vector<Kept> level{{codec_.key(startPosition(layout_)), {}, 0, 0}};
    std::unordered_map<std::string, std::size_t> fewestTo;  // the fewest moves found to a position
    Moves best;
    Position p, after;
    std::vector<std::pair<int, int>> pairs;
    while (!level.empty() && !stopped() && !tablesFull(fewestTo.size())) {
      std::vector<Kept> next;
      for (const Kept& kept : level) {
        if (stopped() || tablesFull(fewestTo.size())) break;
        codec_.decode(kept.key, p);
        nearestPairs(p, pairsPerPosition, pairs);
        for (const auto& [i, j] : pairs) {
          Moves moves = kept.moves;
          bool cleared = false;
          if (!mergePair(p, p.cell[i], p.cell[j], moves, after, cleared)) continue;
          const int count = static_cast<int>(moves.size());
          const int cap = std::min(ceiling(), best.empty() ? 0x7fffffff : static_cast<int>(best.size()));
          if (count >= cap) continue;
          if (cleared) {
            best = std::move(moves);
            continue;
          }
          if (valuesDead(after)) continue;
          const int bound = estimator_.quickBound(after);
          if (bound == Estimator::kDead || count + bound >= cap) continue;
          std::string key = codec_.key(after);
          auto [known, fresh] = fewestTo.try_emplace(key, moves.size());
          if (!fresh && known->second <= moves.size()) continue;
          known->second = moves.size();
          next.push_back({std::move(key), std::move(moves), bound, tieBreak()});
        }
      }
      keepBest(next, width, level);
    }
    return best;
  }

  // Moves to a node from the start: the nodes name their parents, the start its own.
  struct Step {
    std::uint32_t parent;
    std::uint16_t move;
  };
  static Moves movesTo(const std::vector<Step>& steps, std::uint32_t last, std::uint16_t move) {
    Moves moves{blockMoveOf(move)};
    for (std::uint32_t at = last; steps[at].parent != at; at = steps[at].parent) moves.push_back(blockMoveOf(steps[at].move));
    std::reverse(moves.begin(), moves.end());
    return moves;
  }

  Moves moveBeam(int width) {
    struct Candidate {
      std::string key;
      std::uint32_t parent;
      std::uint16_t move;
      int quick;
      int full;
      std::uint64_t hash;
    };
    std::vector<Step> steps{{0, 0}};
    std::vector<std::uint32_t> level{0};
    std::vector<std::string> levelKeys{codec_.key(startPosition(layout_))};
    std::unordered_set<std::string> seen{levelKeys[0]};
    std::vector<Candidate> candidates;
    Position position;
    for (int depth = 1; !level.empty() && depth < ceiling() && !stopped() && !tablesFull(seen.size()); ++depth) {
      candidates.clear();
      for (std::size_t k = 0; k < level.size(); ++k) {
        if (tablesFull(seen.size())) return {};
        codec_.decode(levelKeys[k], position);
        ++expanded_;
        Moves cleared;
        blockMoves_.forEach(position, [&](const Position& child, std::uint16_t move, bool clears) {
          if (clears) {
            cleared = movesTo(steps, level[k], move);
            return false;
          }
          std::string key = codec_.key(child);
          if (!seen.insert(key).second) return true;
          const int quick = estimator_.quickBound(child);
          if (quick == Estimator::kDead || depth + quick >= ceiling()) return true;
          const std::uint64_t hash = codec_.hash(reinterpret_cast<const std::uint64_t*>(key.data()));
          candidates.push_back({std::move(key), level[k], move, quick, 0, hash});
          return true;
        });
        if (!cleared.empty()) return cleared;
      }
      // The most promising by the quick bound get the full one; the best of those go on. The
      // hash breaks ties, so that equal positions do not crowd out the rest in the order they came.
      auto byQuick = [](const Candidate& a, const Candidate& b) {
        return a.quick != b.quick ? a.quick < b.quick : a.hash < b.hash;
      };
      const std::size_t shortlist = std::min(candidates.size(), static_cast<std::size_t>(width) * kShortlist);
      std::partial_sort(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(shortlist),
                        candidates.end(), byQuick);
      candidates.resize(shortlist);
      for (Candidate& c : candidates) {
        codec_.decode(c.key, position);
        c.full = estimator_.fullBound(position);
      }
      std::erase_if(candidates, [&](const Candidate& c) { return c.full == Estimator::kDead || depth + c.full >= ceiling(); });
      std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return a.full != b.full ? a.full < b.full : a.quick != b.quick ? a.quick < b.quick : a.hash < b.hash;
      });
      if (candidates.size() > static_cast<std::size_t>(width)) candidates.resize(static_cast<std::size_t>(width));
      level.clear();
      levelKeys.clear();
      for (Candidate& c : candidates) {
        level.push_back(static_cast<std::uint32_t>(steps.size()));
        steps.push_back({c.parent, c.move});
        levelKeys.push_back(std::move(c.key));
      }
    }
    return {};
  }

  // Best first by moves plus `weight` times the bound, up to `positions` positions kept; the
  // seed orders equal positions differently on each round. A position is ordered by its quick
  // bound until it comes to the front, and only then gets the full one, as most never do.
  Moves greedy(int weight, std::size_t positions, int seed) {
    struct Open {
      int f;
      std::uint64_t tie;
      std::uint32_t node;
      bool full;
      bool operator<(const Open& o) const { return f != o.f ? f > o.f : tie > o.tie; }
    };
    std::mt19937_64 tieBreak(static_cast<std::uint64_t>(seed));
    std::vector<Step> steps{{0, 0}};
    std::vector<int> movesOf{0};
    std::vector<std::string> keys{codec_.key(startPosition(layout_))};
    std::unordered_set<std::string> seen{keys[0]};
    std::priority_queue<Open> open;
    open.push({0, 0, 0, true});
    Position position;
    while (!open.empty() && keys.size() < positions && !stopped() && !tablesFull(keys.size())) {
      const Open top = open.top();
      open.pop();
      const std::uint32_t at = top.node;
      codec_.decode(keys[at], position);
      if (!top.full) {
        const int bound = estimator_.fullBound(position);
        if (bound == Estimator::kDead || movesOf[at] + bound >= ceiling()) continue;
        open.push({movesOf[at] + weight * bound, top.tie, at, true});
        continue;
      }
      ++expanded_;
      const int moves = movesOf[at] + 1;
      if (moves >= ceiling()) continue;
      Moves cleared;
      blockMoves_.forEach(position, [&](const Position& child, std::uint16_t move, bool clears) {
        if (clears) {
          cleared = movesTo(steps, at, move);
          return false;
        }
        std::string key = codec_.key(child);
        if (!seen.insert(key).second) return true;
        if (child.count < position.count && valuesDead(child)) return true;
        const int bound = estimator_.quickBound(child);
        if (bound == Estimator::kDead || moves + bound >= ceiling()) return true;
        steps.push_back({at, move});
        movesOf.push_back(moves);
        keys.push_back(std::move(key));
        open.push({moves + weight * bound, tieBreak(), static_cast<std::uint32_t>(keys.size() - 1), false});
        return true;
      });
      if (!cleared.empty()) return cleared;
    }
    return {};
  }

  const Stage& stage_;
  const Control& control_;
  SearchClock clock_;
  Layout layout_;
  Codec codec_;
  Estimator estimator_;
  BlockMoves blockMoves_;
  MergeArithmetic arithmetic_;
  int words_;
  MergeGroups groups_;
  std::uint64_t expanded_ = 0;
  std::size_t peakBytes_ = 0;  // the most any one search held, by kBytesPerPosition
  StopReason stop_ = StopReason::None;
  Moves best_;
  std::string bestLurd_;
  std::chrono::milliseconds foundAfter_{0};
  Clock::time_point sliceEnd_;
};

}  // namespace

Result findSomeClear(const Stage& stage, const Control& control, int width, bool untilNoBetter) {
  if (!supportedBoard(stage)) {
    Result result;
    result.stop = StopReason::UnsupportedBoard;
    return result;
  }
  ClearFinder finder(stage, control);
  finder.run(width, untilNoBetter);
  return finder.result();
}

}  // namespace quorel::solver
