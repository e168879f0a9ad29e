#include "solver/merge_arithmetic.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "game/rules/step_outcome.h"

namespace quorel::solver {

namespace {

std::uint64_t hashOf(const ValueCounts& values) {
  std::uint64_t words[sizeof values.count / sizeof(std::uint64_t)];
  std::memcpy(words, values.count.data(), sizeof words);
  std::uint64_t h = 0x9e3779b97f4a7c15ULL;
  for (const std::uint64_t w : words) {
    h = (h ^ w) * 0xbf58476d1ce4e5b9ULL;
    h ^= h >> 31;
  }
  h *= 0x94d049bb133111ebULL;
  return h ^ (h >> 32);
}

bool dividesEither(int a, int b) { return mergeRemainder(a, b) == 0; }

// partnerMask[v] has bit w set when a block of value v and one of value w vanish together.
struct PartnerMasks {
  std::array<std::uint32_t, kMaxValue + 1> mask{};
  constexpr PartnerMasks() {
    for (int v = 1; v <= kMaxValue; ++v) {
      for (int w = 1; w <= kMaxValue; ++w) {
        if (mergeRemainder(v, w) == 0) mask[v] |= std::uint32_t{1} << w;
      }
    }
  }
};
constexpr PartnerMasks kPartners;

// The most blocks that can be paired off, each pair two values one dividing the other, counted
// twice: a flow from every value to every value it pairs with, each side limited by the count.
// Any set of disjoint pairs gives a flow of twice its size, so half of this bounds their number.
int pairedTwice(const ValueCounts& values) {
  constexpr int kNodes = 2 * (kMaxValue + 1);  // values 1..26 on the left, then on the right
  std::array<int, kMaxValue + 1> left{}, right{};
  std::array<std::array<std::uint16_t, kMaxValue + 1>, kMaxValue + 1> flow{};
  std::uint32_t present = 0, several = 0;
  for (int v = 1; v <= kMaxValue; ++v) {
    left[v] = right[v] = values.count[v];
    if (values.count[v] > 0) present |= std::uint32_t{1} << v;
    if (values.count[v] > 1) several |= std::uint32_t{1} << v;
  }
  int total = 0;
  for (;;) {
    std::array<int, kNodes> from{};
    from.fill(-1);
    std::array<int, kNodes> queue{};
    int head = 0, tail = 0;
    std::uint32_t unseenRight = present;
    for (int v = 1; v <= kMaxValue; ++v) {
      if (left[v] > 0) {
        from[v] = v;
        queue[tail++] = v;
      }
    }
    int end = -1;
    while (head < tail && end < 0) {
      const int node = queue[head++];
      if (node <= kMaxValue) {
        // A value pairs with itself only when there are two blocks of it.
        std::uint32_t next = kPartners.mask[node] & unseenRight & ~((std::uint32_t{1} << node) & ~several);
        unseenRight &= ~next;
        while (next != 0) {
          const int w = std::countr_zero(next);
          next &= next - 1;
          from[kMaxValue + 1 + w] = node;
          if (right[w] > 0) {
            end = kMaxValue + 1 + w;
            break;
          }
          queue[tail++] = kMaxValue + 1 + w;
        }
      } else {
        const int w = node - kMaxValue - 1;
        for (int v = 1; v <= kMaxValue; ++v) {
          if (flow[v][w] == 0 || from[v] >= 0) continue;
          from[v] = node;
          queue[tail++] = v;
        }
      }
    }
    if (end < 0) return total;
    // The bottleneck of the path: the start's and end's spare counts and the flows it undoes.
    int amount = right[end - kMaxValue - 1];
    int start = end;
    for (int node = end;;) {
      const int back = from[node];
      if (node > kMaxValue) {
        node = back;
        if (from[node] == node) {
          start = node;
          break;
        }
      } else {
        amount = std::min<int>(amount, flow[node][back - kMaxValue - 1]);
        node = back;
      }
    }
    amount = std::min(amount, left[start]);
    right[end - kMaxValue - 1] -= amount;
    left[start] -= amount;
    for (int node = end;;) {
      const int back = from[node];
      if (node > kMaxValue) {
        flow[back][node - kMaxValue - 1] = static_cast<std::uint16_t>(flow[back][node - kMaxValue - 1] + amount);
        node = back;
        if (from[node] == node) break;
      } else {
        flow[node][back - kMaxValue - 1] = static_cast<std::uint16_t>(flow[node][back - kMaxValue - 1] - amount);
        node = back;
      }
    }
    total += amount;
  }
}

}  // namespace

int ValueCounts::total() const {
  int sum = 0;
  for (const auto n : count) sum += n;
  return sum;
}

int MergeArithmetic::fewestMergesBound(const ValueCounts& values) {
  const int n = values.total();
  if (n == 0) return 0;
  if (n == 1) return kUnclearable;
  const int pairs = pairedTwice(values) / 2;
  const int groups = pairs + (n - 2 * pairs) / 3;
  return n - std::max(groups, 1);
}

MergeArithmetic::Entry& MergeArithmetic::entryFor(const ValueCounts& values) {
  if ((filled_ + 1) * 2 > memo_.size()) grow();
  const std::size_t mask = memo_.size() - 1;
  for (std::size_t i = hashOf(values) & mask;; i = (i + 1) & mask) {
    Entry& e = memo_[i];
    if (!e.used) {
      e.used = true;
      e.values = values;
      e.fewest = kUnknown;
      e.givenUp = false;
      e.failsWithin = 0;
      ++filled_;
      return e;
    }
    if (e.values == values) return e;
  }
}

void MergeArithmetic::grow() {
  std::vector<Entry> old(std::max<std::size_t>(1024, memo_.size() * 2));
  old.swap(memo_);
  filled_ = 0;
  for (const Entry& e : old) {
    if (!e.used) continue;
    Entry& moved = entryFor(e.values);
    moved = e;
  }
}

MergeArithmetic::Answer MergeArithmetic::fewestMerges(const ValueCounts& values) {
  const int n = values.total();
  if (n == 0) return {true, 0};
  if (n == 1) return {true, kUnclearable};
  {
    const Entry& known = entryFor(values);
    if (known.fewest != kUnknown) return {true, known.fewest};
    if (known.givenUp) return {false, known.failsWithin + 1};
  }
  ValueCounts work = values;
  spent_ = 0;
  outOfEffort_ = false;
  const int bound = fewestMergesBound(values);
  for (int budget = bound; budget < n; ++budget) {
    if (clearsWithin(work, n, budget)) {
      entryFor(values).fewest = static_cast<std::uint16_t>(budget);
      return {true, budget};
    }
    if (outOfEffort_) {
      Entry& e = entryFor(values);
      e.givenUp = true;
      e.failsWithin = static_cast<std::uint16_t>(std::max<int>(e.failsWithin, bound - 1));
      return {false, e.failsWithin + 1};
    }
  }
  entryFor(values).fewest = kUnclearable;
  return {true, kUnclearable};
}

// Depth-first over the next merge, those that remove both blocks first; a multiset whose bound
// exceeds what is left of the budget is not entered.
bool MergeArithmetic::clearsWithin(ValueCounts& values, int total, int budget) {
  if (total == 0) return true;
  if (total == 1 || budget <= 0) return false;
  {
    Entry& e = entryFor(values);
    if (e.fewest != kUnknown) return e.fewest <= budget;
    if (e.failsWithin >= budget) return false;
  }
  if (fewestMergesBound(values) > budget) {
    Entry& e = entryFor(values);
    e.failsWithin = std::max<std::uint16_t>(e.failsWithin, static_cast<std::uint16_t>(budget));
    return false;
  }
  if (effort_ != 0 && ++spent_ > effort_) {
    outOfEffort_ = true;
    return false;
  }
  // The merges to try, those that remove both blocks first, and among them first those that
  // use up a value with few partners left: a scarce value is the likeliest to be stranded.
  std::array<int, kMaxValue> present{};
  std::array<int, kMaxValue + 1> partners{};
  int distinct = 0;
  for (int v = 1; v <= kMaxValue; ++v) {
    if (values.count[v] > 0) present[distinct++] = v;
  }
  for (int i = 0; i < distinct; ++i) {
    for (int j = 0; j < distinct; ++j) {
      if (dividesEither(present[i], present[j])) partners[present[i]] += values.count[present[j]] - (i == j ? 1 : 0);
    }
  }
  struct Candidate {
    int order, a, b;
  };
  std::array<Candidate, kMaxValue * (kMaxValue + 1) / 2> candidates{};
  int count = 0;
  for (int i = 0; i < distinct; ++i) {
    for (int j = i; j < distinct; ++j) {
      const int a = present[i];
      const int b = present[j];
      if (values.count[b] < (a == b ? 2 : 1)) continue;
      const int scarcity = std::min(partners[a], partners[b]);
      candidates[count++] = {(dividesEither(a, b) ? 0 : 1024) + scarcity, a, b};
    }
  }
  std::sort(candidates.begin(), candidates.begin() + count,
            [](const Candidate& x, const Candidate& y) { return x.order < y.order; });
  for (int k = 0; k < count; ++k) {
    const int a = candidates[k].a;
    const int b = candidates[k].b;
    const int remainder = mergeRemainder(b, a);
    --values.count[a];
    --values.count[b];
    if (remainder != 0) ++values.count[remainder];
    const int left = total - (remainder == 0 ? 2 : 1);
    const bool ngLeft = ngNumber_ >= 1 && ngNumber_ <= kMaxValue && values.count[ngNumber_] > 0;
    const bool clears = !isLost(judgeStage(left, ngLeft)) && clearsWithin(values, left, budget - 1);
    if (remainder != 0) --values.count[remainder];
    ++values.count[a];
    ++values.count[b];
    if (clears) return true;
    if (outOfEffort_) return false;
  }
  Entry& e = entryFor(values);
  e.failsWithin = std::max<std::uint16_t>(e.failsWithin, static_cast<std::uint16_t>(budget));
  return false;
}

}  // namespace quorel::solver
