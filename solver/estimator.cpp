// Why the bounds hold.
//
// Groups. Call two blocks linked when Layout::mayMerge holds for their cells: only linked blocks
// can ever merge, whatever else happens, because a block only moves by pushes (so it stays in
// its push reach) and a remainder stays on the struck block's cell. The blocks that end up
// merging with one another, directly or through remainders, therefore lie in one connected group
// of linked blocks, and each such group must be cleared by merges among its own blocks: the
// merges of any clear include, for every group, a way to clear its multiset on its own (it can
// never leave a lone block, which could then never go, nor make a block of the NG number). So a
// group whose values no order of merges clears (MergeArithmetic) is a dead end, and the fewest
// merges of the groups add up to a bound.
//
// Distances. Split the blocks of a clear into sets that vanish together: the blocks whose lines
// of remainders meet. The cells a set's blocks pass over, with the step between the two blocks
// of each of its merges, join all their start cells; each of those steps is one of the set's
// pushes or merges, and each is a step between block cells on a line where the player can stand
// behind one of them (Layout::distance counts only such steps). So a set costs at least the
// shortest tree joining its start cells, which is at least half of the shortest round trip
// through them; and a set of k blocks makes k - 1 merges. A set of two is a pair whose values
// divide one another, and costs at least Layout::pairCost. The cheapest way to split the blocks
// into such sets, each charged its bound, is a bound of the whole (the partition bound).
//
// Working that out is dear, so there is a cheaper bound below it: on a round trip every block has
// two different neighbours, at least as far as its two nearest blocks, so a set of three or more
// costs at least a quarter of the sum, over its blocks, of the distances to their two nearest
// blocks. Each block then pays either that quarter or half its pair's cost, and the cheapest
// choice of pairs is a matching of greatest saving among the close dividing pairs.
#include "solver/estimator.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "game/rules/step_outcome.h"

namespace quorel::solver {

namespace {

// Positions of the merge search spent on one multiset before its bound alone is taken.
constexpr std::uint64_t kArithmeticEffort = 1000;
// Larger multisets take the quick bound alone: settling them costs more than the search saves,
// and a dead end among many blocks is rare.
constexpr int kSettledBlocks = 14;
// The share of a block with no second block in its group: it can only go in a pair.
constexpr int kLoneShare = 4 * Layout::kFar;
constexpr int kMatchingSteps = 4096;
constexpr std::uint16_t kNoBound = 0xffff;

// Path lengths to sixteen blocks at once (kPartitionBlocks fit); kFar per step keeps every
// length of ten steps far below kNoPath.
using PathLanes = std::int16_t __attribute__((vector_size(32)));
constexpr std::int16_t kNoPath = std::numeric_limits<std::int16_t>::max();

// The remainder of every two values, looked up rather than divided in the inner loops.
struct RemainderTable {
  std::array<std::array<std::uint8_t, kMaxValue + 1>, kMaxValue + 1> of{};
  constexpr RemainderTable() {
    for (int a = 1; a <= kMaxValue; ++a) {
      for (int b = 1; b <= kMaxValue; ++b) of[a][b] = static_cast<std::uint8_t>(mergeRemainder(a, b));
    }
  }
};
constexpr RemainderTable kRemainders;

int remainderOf(int a, int b) { return kRemainders.of[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)]; }

}  // namespace

Estimator::Estimator(const Layout& layout) : layout_(layout), arithmetic_(layout.ngNumber(), kArithmeticEffort) {
  quadOrders_.assign(static_cast<std::size_t>(kMaxValue + 1) * (kMaxValue + 1) * (kMaxValue + 1) * (kMaxValue + 1), 0);
  path_.resize((std::size_t{1} << kPartitionBlocks) * kPartitionBlocks);
  setBound_.resize(std::size_t{1} << kPartitionBlocks);
  setSize_.resize(std::size_t{1} << kPartitionBlocks);
  cache_.resize(kCacheEntries);
  best_.resize(std::size_t{1} << kPartitionBlocks);
  firstMerge_.resize(std::size_t{1} << kPartitionBlocks);
  const auto cells = static_cast<std::size_t>(layout.blockCellCount());
  pairThenThird_.assign(cells * cells * cells, 0);
}

// Blocks on two cells merge first, and what is left then merges with the block on the third:
// the pushes of all three and the two merges, no other block on the Board. The first merge
// leaves its remainder on the cell of some merge line, and from there it is a block like any
// other, so the cheapest meeting on each line plus the pair cost from its cell bounds it.
int Estimator::firstPairThenThird(int slotA, int slotB, int slotThird) {
  if (slotA > slotB) std::swap(slotA, slotB);
  const auto cells = static_cast<std::size_t>(layout_.blockCellCount());
  std::uint8_t& known = pairThenThird_[(static_cast<std::size_t>(slotA) * cells + slotB) * cells + slotThird];
  if (known == 0) {
    int best = 2 * Layout::kFar;
    for (const Layout::MergeLine& line : layout_.mergeLines()) {
      best = std::min(best, layout_.meetCost(slotA, slotB, line) + layout_.pairCost(line.into, slotThird));
    }
    known = static_cast<std::uint8_t>(std::min(best, Layout::kFar - 1) + 1);
  }
  return known - 1;
}

// Three blocks that vanish together: two of them merge first, leaving a remainder that is
// neither 0 nor the NG number and that the third then divides or is divided by. Only the orders
// the values allow are charged; kNoBound when none does.
int Estimator::tripleCost(const std::array<int, 3>& value, const std::array<int, 3>& slot) {
  int best = kNoBound;
  for (int third = 0; third < 3; ++third) {
    const int a = third == 0 ? 1 : 0;
    const int b = third == 2 ? 1 : 2;
    const int r = remainderOf(value[a], value[b]);
    // A block of the NG number left standing after a merge loses, so it cannot wait for the second.
    if (r == 0 || r == layout_.ngNumber() || value[third] == layout_.ngNumber() || remainderOf(r, value[third]) != 0) {
      continue;
    }
    best = std::min(best, firstPairThenThird(slot[a], slot[b], slot[third]));
  }
  return best;
}

// Four blocks that vanish together merge either as two pairs whose remainders then vanish with
// each other, or as a chain: a pair, its remainder with a third, that remainder with the fourth.
// Each merge but the last leaves a remainder that is neither 0 nor the NG number. Two pairs cost
// at least both pair costs and the last merge; a chain at least its first three blocks as a
// triple would and the last merge. kNoBound when the values allow neither.
int Estimator::quadCost(const std::array<int, 4>& value, const std::array<int, 4>& slot) {
  const std::uint16_t orders = quadOrders(value);
  int best = kNoBound;
  for (int partner = 1; partner < 4; ++partner) {
    if ((orders >> (partner - 1) & 1U) == 0) continue;
    // {0, partner} and the other two
    const int c = partner == 1 ? 2 : 1;
    const int d = 6 - partner - c;
    best = std::min(best, layout_.pairCost(slot[0], slot[partner]) + layout_.pairCost(slot[c], slot[d]) + 1);
  }
  int bit = 3;
  for (int a = 0; a < 4; ++a) {
    for (int b = a + 1; b < 4; ++b) {
      for (int c = 0; c < 4; ++c) {
        if (c == a || c == b) continue;
        if ((orders >> bit++ & 1U) != 0) best = std::min(best, firstPairThenThird(slot[a], slot[b], slot[c]) + 1);
      }
    }
  }
  return best;
}

// The orders of merges four values allow, a bit each in the order quadCost tries them, kept by
// the values since few of them occur in one stage.
std::uint16_t Estimator::quadOrders(const std::array<int, 4>& value) {
  std::size_t index = 0;
  for (const int v : value) index = index * (kMaxValue + 1) + static_cast<std::size_t>(v);
  std::uint16_t& known = quadOrders_[index];
  if (known != 0) return known;
  const int ng = layout_.ngNumber();
  auto leaves = [ng](int a, int b) {
    const int r = remainderOf(a, b);
    return r != 0 && r != ng ? r : 0;
  };
  std::uint16_t orders = kWorkedOut;
  for (int partner = 1; partner < 4; ++partner) {
    const int c = partner == 1 ? 2 : 1;
    const int d = 6 - partner - c;
    const int r1 = leaves(value[0], value[partner]);
    const int r2 = leaves(value[c], value[d]);
    if (r1 != 0 && r2 != 0 && remainderOf(r1, r2) == 0) orders |= static_cast<std::uint16_t>(1U << (partner - 1));
  }
  int bit = 3;
  for (int a = 0; a < 4; ++a) {
    for (int b = a + 1; b < 4; ++b) {
      const int r1 = leaves(value[a], value[b]);
      for (int c = 0; c < 4; ++c) {
        if (c == a || c == b) continue;
        const int d = 6 - a - b - c;
        const int r2 = r1 == 0 ? 0 : leaves(r1, value[c]);
        if (r2 != 0 && remainderOf(r2, value[d]) == 0) orders |= static_cast<std::uint16_t>(1U << bit);
        ++bit;
      }
    }
  }
  known = orders;
  return orders;
}

// Positions that differ only in where the player stands share their bound, so the last bounds
// worked out are kept by a fingerprint of the blocks: two independent 64-bit hashes, so that a
// wrong bound from two layouts sharing one is beyond any practical chance.
int Estimator::bound(const Position& p, bool wholeGroups, int changedCell) {
  std::uint64_t first = wholeGroups ? 0x9e3779b97f4a7c15ULL : 0x2545f4914f6cdd1dULL;
  std::uint64_t second = wholeGroups ? 0xd6e8feb86659fd93ULL : 0xa0761d6478bd642fULL;
  for (int i = 0; i < p.count; ++i) {
    const std::uint64_t block = static_cast<std::uint64_t>(p.cell[i]) << 8 | static_cast<std::uint64_t>(p.value[i]);
    first = (first ^ block) * 0xbf58476d1ce4e5b9ULL;
    first ^= first >> 29;
    second = (second + block) * 0x94d049bb133111ebULL;
    second ^= second >> 31;
  }
  CacheEntry& entry = cache_[first & (kCacheEntries - 1)];
  if (entry.first == first && entry.second == second) return entry.bound;
  const int worked = boundOf(p, wholeGroups, changedCell);
  entry = {first, second, worked};
  return worked;
}

int Estimator::boundOf(const Position& p, bool wholeGroups, int changedCell) {
  for (int i = 0; i < p.count; ++i) slot_[i] = layout_.blockSlot(p.cell[i]);
  groups_.split(layout_, p);
  int merges = 0;
  int quarters = 0;
  for (std::size_t k = 0; k < groups_.count(); ++k) {
    const std::vector<int>& members = groups_.members(k);
    ValueCounts values;
    for (const int i : members) values.add(p.value[i]);
    const MergeArithmetic::Answer fewest =
        values.total() <= kSettledBlocks ? arithmetic_.fewestMerges(values)
                                         : MergeArithmetic::Answer{false, MergeArithmetic::fewestMergesBound(values)};
    if (fewest.decided && fewest.fewest == MergeArithmetic::kUnclearable) return kDead;
    merges += fewest.fewest;
    const bool whole = wholeGroups && static_cast<int>(members.size()) <= kPartitionBlocks;
    if (!whole) {
      quarters += shareQuarters(p, members);
      continue;
    }
    const int partition = partitionBound(p, members, changedCell);
    if (partition >= kNoBound) return kDead;  // no split into sets that can each vanish
    quarters += 4 * partition;
  }
  return std::max(merges, (quarters + 3) / 4);
}

// Four times the cheaper distance bound of one group.
int Estimator::shareQuarters(const Position& p, const std::vector<int>& members) {
  int quarters = 0;
  for (const int i : members) {
    int nearest = kLoneShare, second = kLoneShare;
    for (const int j : members) {
      if (j == i) continue;
      const int d = layout_.distance(slot_[i], slot_[j]);
      if (d < nearest) {
        second = nearest;
        nearest = d;
      } else if (d < second) {
        second = d;
      }
    }
    share_[i] = nearest + second;
    quarters += share_[i];
  }
  edges_.clear();
  for (std::size_t x = 0; x < members.size(); ++x) {
    for (std::size_t y = x + 1; y < members.size(); ++y) {
      const int i = members[x];
      const int j = members[y];
      if (remainderOf(p.value[i], p.value[j]) != 0) continue;
      const int saving = share_[i] + share_[j] - 4 * layout_.pairCost(slot_[i], slot_[j]);
      if (saving > 0) edges_.push_back({i, j, saving});
    }
  }
  return quarters - greatestSaving();
}

// The partition bound of one group of at most kPartitionBlocks blocks: the shortest round trip
// through every subset (a path from the subset's lowest block, extended one block at a time),
// then the cheapest split of the whole group into sets, the set holding the lowest block chosen
// first. A set of two must be a dividing pair; larger sets are charged by the orders of merges
// their values allow (tripleCost, quadCost, and for more the cheapest pair that can open).
int Estimator::partitionBound(const Position& p, const std::vector<int>& members, int changedCell) {
  const int k = static_cast<int>(members.size());
  const std::uint32_t full = (std::uint32_t{1} << k) - 1;
  // The block put first: one whose removal leaves the blocks of a kept table, else the block
  // just moved, else the lowest. The others follow in the order of their cells, as in a table.
  const SplitTable* kept = nullptr;
  int firstBlock = 0;
  for (const SplitTable& table : splits_) {
    if (table.count != k - 1) continue;
    if (const int extra = extraBlockOver(p, members, table); extra >= 0) {
      kept = &table;
      firstBlock = extra;
      break;
    }
  }
  if (kept == nullptr) {
    for (int a = 0; a < k; ++a) {
      if (p.cell[members[a]] == changedCell) firstBlock = a;
    }
  }
  order_[0] = members[firstBlock];
  for (int a = 0, next = 1; a < k; ++a) {
    if (a != firstBlock) order_[next++] = members[a];
  }
  // Distances a row per block, padded to a whole vector so that a path is extended to every
  // block at once; no sum of them comes near the type's limit (kFar per step, ten steps).
  std::array<PathLanes, kPartitionBlocks> d{};
  std::array<int, kPartitionBlocks> value{}, slot{};
  for (int a = 0; a < k; ++a) {
    value[a] = p.value[order_[a]];
    slot[a] = slot_[order_[a]];
  }
  // opens[a][b]: the cost of a and b as the pair that opens a larger set, kNoBound when their
  // merge would leave nothing or the NG number.
  std::array<std::array<std::uint16_t, kPartitionBlocks>, kPartitionBlocks> opens{};
  for (int a = 0; a < k; ++a) {
    for (int b = 0; b < k; ++b) {
      d[a][b] = static_cast<std::int16_t>(layout_.distance(slot[a], slot[b]));
      const int r = remainderOf(value[a], value[b]);
      opens[a][b] = r != 0 && r != layout_.ngNumber() ? layout_.pairCost(slot[a], slot[b]) : kNoBound;
    }
  }
  // The subsets without the first block are the kept table's, shifted by one.
  if (kept != nullptr) {
    for (std::uint32_t set = 0; set < full; set += 2) {
      best_[set] = kept->best[set >> 1];
      firstMerge_[set] = kept->firstMerge[set >> 1];
      setSize_[set] = static_cast<std::uint8_t>(std::popcount(set));
    }
  }
  // path[set][end]: the shortest path from the set's lowest block through all of it to `end`,
  // written when the set without `end` is reached (the sets come in increasing order, so every
  // subset comes first); unused for the lowest block itself once the set has two. With a kept
  // table only the sets holding the first block are needed, and their paths start from it.
  std::int16_t* const path = path_.data();
  auto at = [](std::uint32_t set, int end) { return static_cast<std::size_t>(set) * kPartitionBlocks + end; };
  // setBound_[set]: what the set costs at least as one group, kNoBound when it cannot be one.
  const std::uint32_t step = kept != nullptr ? 2 : 1;
  for (std::uint32_t set = 1; set <= full; set += step) {
    const int first = std::countr_zero(set);
    const std::uint32_t others = set & (set - 1);
    if (others == 0) {
      path[at(set, first)] = 0;
      setBound_[set] = kNoBound;
      firstMerge_[set] = kNoBound;
      setSize_[set] = 1;
    } else {
      int round = kNoBound;
      for (std::uint32_t ends = others; ends != 0; ends &= ends - 1) {
        const int end = std::countr_zero(ends);
        round = std::min(round, path[at(set, end)] + d[end][first]);
      }
      setBound_[set] = static_cast<std::uint16_t>(setBoundOf(set, round, value, slot, opens));
    }
    // Every path through the set, extended to each block above its lowest that it lacks.
    const std::uint32_t beyond = full & ~set & ~((std::uint32_t{2} << first) - 1);
    if (beyond == 0) continue;
    PathLanes extended = kNoPath - PathLanes{};
    for (std::uint32_t ends = others == 0 ? set : others; ends != 0; ends &= ends - 1) {
      const int end = std::countr_zero(ends);
      const PathLanes through = path[at(set, end)] + d[end];
      extended = extended < through ? extended : through;
    }
    for (std::uint32_t next = beyond; next != 0; next &= next - 1) {
      const int end = std::countr_zero(next);
      path[at(set | (std::uint32_t{1} << end), end)] = extended[end];
    }
  }
  // The cheapest split: the set holding the lowest block first, then the rest the same way. Only
  // the whole group and the subsets without its lowest block are ever asked for.
  best_[0] = 0;
  auto cheapestSplit = [this](std::uint32_t mask) {
    const std::uint32_t lowest = mask & (~mask + 1);
    const std::uint32_t rest = mask & ~lowest;
    int best = kNoBound;
    for (std::uint32_t others = rest; others != 0; others = (others - 1) & rest) {
      const std::uint32_t set = others | lowest;
      best = std::min(best, setBound_[set] + best_[mask & ~set]);
    }
    best_[mask] = static_cast<std::uint16_t>(std::min(best, static_cast<int>(kNoBound)));
  };
  if (kept == nullptr) {
    for (std::uint32_t mask = 2; mask < full; mask += 2) cheapestSplit(mask);
    if (k >= 3) {
      if (splits_.size() < kSplitTables) splits_.emplace_back();
      SplitTable& table = splits_[nextSplit_];
      nextSplit_ = (nextSplit_ + 1) % kSplitTables;
      table.count = k - 1;
      for (int a = 1; a < k; ++a) {
        table.cell[a - 1] = p.cell[order_[a]];
        table.value[a - 1] = p.value[order_[a]];
      }
      table.best.resize(std::size_t{1} << (k - 1));
      table.firstMerge.resize(std::size_t{1} << (k - 1));
      for (std::uint32_t set = 0; set < full; set += 2) {
        table.best[set >> 1] = best_[set];
        table.firstMerge[set >> 1] = firstMerge_[set];
      }
    }
  }
  cheapestSplit(full);
  return best_[full];
}

// The index in `members` of the one block whose removal leaves exactly the table's blocks (both
// in the order of their cells), or -1.
int Estimator::extraBlockOver(const Position& p, const std::vector<int>& members, const SplitTable& table) const {
  int extra = -1;
  int t = 0;
  for (int a = 0; a < static_cast<int>(members.size()); ++a) {
    const int i = members[a];
    if (t < table.count && p.cell[i] == table.cell[t] && p.value[i] == table.value[t]) {
      ++t;
    } else if (extra < 0) {
      extra = a;
    } else {
      return -1;
    }
  }
  return t == table.count ? extra : -1;
}

// What a set of two or more of the group's blocks costs at least when it vanishes on its own:
// its round trip halved, its merges, and what the orders of merges its values allow cost.
int Estimator::setBoundOf(std::uint32_t set, int round, const std::array<int, kPartitionBlocks>& value,
                          const std::array<int, kPartitionBlocks>& slot,
                          const std::array<std::array<std::uint16_t, kPartitionBlocks>, kPartitionBlocks>& opens) {
  const int first = std::countr_zero(set);
  const std::uint32_t others = set & (set - 1);
  const int size = setSize_[set] = static_cast<std::uint8_t>(setSize_[others] + 1);
  const int second = std::countr_zero(others);
  // The cheapest pair of the set that could merge first, leaving a remainder to go on with.
  int opening = firstMerge_[others];
  for (std::uint32_t rest = others; rest != 0; rest &= rest - 1) opening = std::min<int>(opening, opens[first][std::countr_zero(rest)]);
  firstMerge_[set] = static_cast<std::uint16_t>(opening);
  int own = std::max(size - 1, (std::min<int>(round, kNoBound) + 1) / 2);
  if (size == 2) {
    own = remainderOf(value[first], value[second]) == 0 ? layout_.pairCost(slot[first], slot[second]) : kNoBound;
  } else if (size == 3) {
    const int third = std::countr_zero(others & (others - 1));
    own = std::max(own, tripleCost({value[first], value[second], value[third]}, {slot[first], slot[second], slot[third]}));
  } else if (size == 4) {
    std::array<int, 4> v{}, where{};
    int n = 0;
    for (std::uint32_t bits = set; bits != 0; bits &= bits - 1, ++n) {
      v[n] = value[std::countr_zero(bits)];
      where[n] = slot[std::countr_zero(bits)];
    }
    own = std::max(own, quadCost(v, where));
  } else {
    // A set of five or more opens with a merge of two of its blocks that leaves a remainder,
    // and each of the other merges costs at least one.
    own = opening >= kNoBound ? kNoBound : std::max(own, opening + size - 2);
  }
  return own;
}

// The greatest total saving of a matching of the edges: exact by branching on the lowest block
// when the edges are few, else a bound no matching exceeds (each block's best saving, halved,
// summed: an edge of a matching saves at most the mean of its ends' best).
int Estimator::greatestSaving() {
  if (edges_.empty()) return 0;
  nodes_.clear();
  for (const Edge& e : edges_) {
    for (const int end : {e.a, e.b}) {
      if (std::find(nodes_.begin(), nodes_.end(), end) == nodes_.end()) nodes_.push_back(end);
    }
  }
  if (nodes_.size() <= kMatchingNodes) {
    std::array<std::uint32_t, kMatchingNodes> adjacent{};
    std::vector<Edge> local = edges_;
    for (Edge& e : local) {
      e.a = static_cast<int>(std::find(nodes_.begin(), nodes_.end(), e.a) - nodes_.begin());
      e.b = static_cast<int>(std::find(nodes_.begin(), nodes_.end(), e.b) - nodes_.begin());
      adjacent[e.a] |= std::uint32_t{1} << e.b;
      adjacent[e.b] |= std::uint32_t{1} << e.a;
      savingOf_[e.a][e.b] = savingOf_[e.b][e.a] = e.saving;
    }
    steps_ = 0;
    const auto all = static_cast<std::uint32_t>((std::uint64_t{1} << nodes_.size()) - 1);
    const int exact = bestMatching(all, adjacent);
    if (steps_ <= kMatchingSteps) return exact;
  }
  std::array<int, kCells> best{};
  for (const Edge& e : edges_) {
    best[e.a] = std::max(best[e.a], e.saving);
    best[e.b] = std::max(best[e.b], e.saving);
  }
  int sum = 0;
  for (const int node : nodes_) sum += best[node];
  return sum / 2;
}

int Estimator::bestMatching(std::uint32_t open, const std::array<std::uint32_t, kMatchingNodes>& adjacent) {
  if (open == 0 || ++steps_ > kMatchingSteps) return 0;
  const int u = std::countr_zero(open);
  const std::uint32_t rest = open & (open - 1);
  int best = bestMatching(rest, adjacent);
  for (std::uint32_t partners = adjacent[u] & rest; partners != 0; partners &= partners - 1) {
    const int v = std::countr_zero(partners);
    best = std::max(best, savingOf_[u][v] + bestMatching(rest & ~(std::uint32_t{1} << v), adjacent));
  }
  return best;
}

}  // namespace quorel::solver
