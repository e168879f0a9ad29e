#include "solver/merge_plan.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>
#include <set>
#include <utility>

#include "game/rules/step_outcome.h"
#include "solver/merge_arithmetic.h"

namespace quorel::solver {

namespace {

// A recipe may use at most this many movable blocks on one fixed block; more makes the covers too
// many to look through, and the built-in stages need three at most.
constexpr std::size_t kMostBlocksPerRecipe = 3;
// The recipes tried for each fixed block, the cheapest first, and the covers looked at in all.
constexpr int kRecipesTried = 200;
constexpr long kMostCovers = 300'000;
// Positions of the search that clears the blocks no recipe takes.
constexpr long kRestEffort = 200'000;
// Merge orders the arithmetic of one part may try before it is taken as clearable.
constexpr std::uint64_t kArithmeticEffort = 20'000;

int cellCount(const CellSet& set) {
  int n = 0;
  for (const auto word : set.words) n += std::popcount(word);
  return n;
}

bool contains(const CellSet& outer, const CellSet& inner) {
  for (int i = 0; i < kCellSetWords; ++i) {
    if ((inner.words[i] & ~outer.words[i]) != 0) return false;
  }
  return true;
}

// A term of a plan: a block of the start, or the remainder of merge `index` of a recipe.
struct Term {
  bool merged = false;
  int index = 0;
};

struct RecipeMerge {
  Term a, b;
};

// Merges that strike one fixed block until nothing is left of it, using the blocks `uses`.
struct Recipe {
  std::vector<RecipeMerge> merges;
  std::vector<int> uses;
  int cost = 0;
};

// Something that strikes a fixed block: a movable block, or the remainder of two merged first.
struct Striker {
  std::vector<int> uses;
  int value = 0;
  int standsFor = 0;  // the block whose cell and reach the striker has
  int cost = 0;
  bool merged = false;
};

class Planner {
 public:
  explicit Planner(const Layout& layout) : layout_(layout), ng_(layout.ngNumber()) {
    for (const PlacedBlock& block : layout.initialBlocks()) {
      blockAt_[block.cell] = static_cast<int>(values_.size());
      cells_.push_back(block.cell);
      values_.push_back(block.value);
    }
    blocks_ = static_cast<int>(values_.size());
    findFixed();
    findRooms();
    findReaches();
  }

  std::vector<MergePlan> plans(std::size_t most) {
    for (int i = 0; i < blocks_; ++i) (fixed_[i] ? fixedBlocks_ : movable_).push_back(i);
    if (fixedBlocks_.empty()) return {};
    findStrikers();
    recipes_.resize(fixedBlocks_.size());
    for (std::size_t k = 0; k < fixedBlocks_.size(); ++k) findRecipes(k);
    order_.resize(fixedBlocks_.size());
    for (std::size_t k = 0; k < order_.size(); ++k) order_[k] = k;
    std::sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) { return recipes_[a].size() < recipes_[b].size(); });
    chosen_.assign(fixedBlocks_.size(), -1);
    used_.assign(static_cast<std::size_t>(blocks_), false);
    most_ = most;
    cover(0);
    keepCheapest();
    std::vector<MergePlan> plans;
    for (auto& [cost, plan] : found_) plans.push_back(std::move(plan));
    return plans;
  }

 private:
  bool floorForBlock(int cell) const { return cell >= 0 && layout_.blockSlot(cell) >= 0; }
  bool standable(int cell) const { return cell >= 0 && layout_.walkable().has(bitOf(cell)); }
  int behind(int cell, int direction) const { return layout_.neighbour(cell, (direction + 2) % 4); }
  bool fixedAt(int cell) const { return blockAt_[cell] >= 0 && fixed_[blockAt_[cell]]; }

  // Blocks held in place for good: no push is open to them while the walls and the blocks
  // already found fixed stay where they are.
  void findFixed() {
    fixed_.assign(static_cast<std::size_t>(blocks_), false);
    for (bool more = true; more;) {
      more = false;
      for (int i = 0; i < blocks_; ++i) {
        if (fixed_[i] || canEverBePushed(i)) continue;
        fixed_[i] = true;
        more = true;
      }
    }
  }
  bool canEverBePushed(int i) const {
    for (int d = 0; d < 4; ++d) {
      const int from = behind(cells_[i], d);
      const int to = layout_.neighbour(cells_[i], d);
      if (standable(from) && !fixedAt(from) && floorForBlock(to) && !fixedAt(to)) return true;
    }
    return false;
  }

  // The floor split into areas, every block a wall. An area beside a block the player cannot
  // reach from the start is a room: the blocks beside it stay in it, or close it.
  void findRooms() {
    std::vector<int> area(kCells, -1);
    int areas = 0;
    for (int cell = 0; cell < kCells; ++cell) {
      if (!standable(cell) || blockAt_[cell] >= 0 || area[cell] >= 0) continue;
      std::vector<int> stack{cell};
      area[cell] = areas;
      while (!stack.empty()) {
        const int at = stack.back();
        stack.pop_back();
        for (int d = 0; d < 4; ++d) {
          const int next = layout_.neighbour(at, d);
          if (!standable(next) || blockAt_[next] >= 0 || area[next] >= 0) continue;
          area[next] = areas;
          stack.push_back(next);
        }
      }
      ++areas;
    }
    const int start = onGrid(layout_.startX(), layout_.startY()) ? cellIndex(layout_.startX(), layout_.startY()) : -1;
    const int startArea = start >= 0 ? area[start] : -1;
    auto areasBeside = [&](int i) {
      std::set<int> beside;
      for (int d = 0; d < 4; ++d) {
        const int next = layout_.neighbour(cells_[i], d);
        if (next >= 0 && area[next] >= 0) beside.insert(area[next]);
      }
      return beside;
    };
    std::set<int> rooms;
    for (int i = 0; i < blocks_; ++i) {
      const std::set<int> beside = areasBeside(i);
      if (!fixed_[i] && !beside.empty() && !beside.contains(startArea)) rooms.insert(beside.begin(), beside.end());
    }
    inRoom_.assign(static_cast<std::size_t>(blocks_), false);
    closesRoom_.assign(static_cast<std::size_t>(blocks_), false);
    for (int i = 0; i < blocks_; ++i) {
      if (fixed_[i]) continue;
      const std::set<int> beside = areasBeside(i);
      const bool byRoom = std::any_of(beside.begin(), beside.end(), [&](int a) { return rooms.contains(a); });
      if (!byRoom) continue;
      (beside.contains(startArea) ? closesRoom_ : inRoom_)[i] = true;
    }
  }
  bool roomBlock(int i) const { return inRoom_[i] || closesRoom_[i]; }

  // Where a block can be pushed to, the player anywhere but on walls and on the blocks `wall`
  // names, which stand still.
  CellSet pushReach(int i, const std::function<bool(int)>& wall) const {
    CellSet reach;
    reach.add(bitOf(cells_[i]));
    std::vector<int> stack{cells_[i]};
    auto blocked = [&](int cell) { return cell < 0 || (blockAt_[cell] >= 0 && blockAt_[cell] != i && wall(blockAt_[cell])); };
    while (!stack.empty()) {
      const int at = stack.back();
      stack.pop_back();
      for (int d = 0; d < 4; ++d) {
        const int from = behind(at, d);
        const int to = layout_.neighbour(at, d);
        if (!standable(from) || blocked(from) || !floorForBlock(to) || blocked(to) || reach.has(bitOf(to))) continue;
        reach.add(bitOf(to));
        stack.push_back(to);
      }
    }
    return reach;
  }

  // Where a block can be pushed to while every other block stands still, the player walking
  // from the start: what a block that closes a room can do before the room is open.
  CellSet reachAsItStands(int i) const {
    auto areaFrom = [&](int blockCell, int seed) {
      CellSet open;
      for (int cell = 0; cell < kCells; ++cell) {
        if (standable(cell) && cell != blockCell && (blockAt_[cell] < 0 || blockAt_[cell] == i)) open.add(bitOf(cell));
      }
      CellSet start;
      start.add(bitOf(seed));
      return floodFill(start, open);
    };
    CellSet reach;
    if (!onGrid(layout_.startX(), layout_.startY())) return reach;
    std::set<std::pair<int, int>> seen;
    std::vector<std::pair<int, CellSet>> stack{{cells_[i], areaFrom(cells_[i], cellIndex(layout_.startX(), layout_.startY()))}};
    while (!stack.empty()) {
      auto [at, area] = stack.back();
      stack.pop_back();
      reach.add(bitOf(at));
      for (int d = 0; d < 4; ++d) {
        const int from = behind(at, d);
        const int to = layout_.neighbour(at, d);
        if (from < 0 || !area.has(bitOf(from)) || !floorForBlock(to) || (blockAt_[to] >= 0 && blockAt_[to] != i)) continue;
        CellSet next = areaFrom(to, at);
        if (!seen.insert({to, next.first()}).second) continue;
        stack.emplace_back(to, next);
      }
    }
    return reach;
  }

  void findReaches() {
    reach_.resize(static_cast<std::size_t>(blocks_));
    for (int i = 0; i < blocks_; ++i) {
      if (fixed_[i]) {
        reach_[i].add(bitOf(cells_[i]));
      } else if (inRoom_[i]) {
        reach_[i] = pushReach(i, [&](int j) { return static_cast<bool>(fixed_[j]); });
      } else if (closesRoom_[i]) {
        reach_[i] = reachAsItStands(i);
        reach_[i].add(bitOf(cells_[i]));
      } else {
        reach_[i] = pushReach(i, [&](int j) { return fixed_[j] || roomBlock(j); });
      }
    }
  }

  bool pushableFrom(int cell) const { return standable(cell) && !fixedAt(cell); }
  // Whether block a, from somewhere in its reach, and block b, from somewhere in its, can be
  // pushed one into the other.
  bool mayMeet(int a, int b) const {
    for (int cell = 0; cell < kCells; ++cell) {
      if (!reach_[a].has(bitOf(cell))) continue;
      for (int d = 0; d < 4; ++d) {
        const int next = layout_.neighbour(cell, d);
        if (next < 0 || !reach_[b].has(bitOf(next))) continue;
        if (pushableFrom(behind(cell, d)) || pushableFrom(layout_.neighbour(next, d))) return true;
      }
    }
    return false;
  }
  // Whether a block held in place can itself push into the cell beside it.
  bool pushesInto(int from, int to) const {
    for (int d = 0; d < 4; ++d) {
      if (layout_.neighbour(from, d) == to) return pushableFrom(behind(from, d));
    }
    return false;
  }
  // The remainder of two blocks stays where the one kept to the narrower place stands: a block of
  // a room is struck where it is, a block on a track merges on the track.
  bool narrower(int a, int b) const {
    if (roomBlock(a) != roomBlock(b)) return roomBlock(a);
    return cellCount(reach_[a]) < cellCount(reach_[b]) && contains(reach_[b], reach_[a]);
  }
  int cost(int a, int b) const { return layout_.pairCost(layout_.blockSlot(cells_[a]), layout_.blockSlot(cells_[b])); }

  void findStrikers() {
    for (int i = 0; i < blocks_; ++i) strikers_.push_back({{i}, values_[i], i, 0, false});
    for (int struck = 0; struck < blocks_; ++struck) {
      for (int striking : movable_) {
        if (striking == struck || narrower(striking, struck) || !mayMeet(struck, striking)) continue;
        const int remainder = mergeRemainder(values_[struck], values_[striking]);
        if (remainder == 0 || remainder == ng_) continue;
        strikers_.push_back({{struck, striking}, remainder, struck, cost(struck, striking), true});
      }
    }
  }

  // Every way, with at most kMostBlocksPerRecipe blocks, to strike fixed block k until nothing is
  // left of it.
  void findRecipes(std::size_t k) {
    const int target = fixedBlocks_[k];
    std::function<void(int, Recipe&, int)> strike = [&](int value, Recipe& recipe, int lastOnTarget) {
      for (const Striker& striker : strikers_) {
        if (recipe.uses.size() + striker.uses.size() > kMostBlocksPerRecipe) continue;
        const bool clash = std::any_of(striker.uses.begin(), striker.uses.end(), [&](int b) {
          return b == target || std::find(recipe.uses.begin(), recipe.uses.end(), b) != recipe.uses.end();
        });
        if (clash || !mayMeet(striker.standsFor, target)) continue;
        if (fixed_[striker.standsFor] && !pushesInto(cells_[striker.standsFor], cells_[target])) continue;
        const int remainder = mergeRemainder(value, striker.value);
        if (remainder == ng_) continue;
        Recipe next = recipe;
        Term by{false, striker.uses[0]};
        if (striker.merged) {
          next.merges.push_back({{false, striker.uses[0]}, {false, striker.uses[1]}});
          by = {true, static_cast<int>(next.merges.size()) - 1};
        }
        next.merges.push_back({lastOnTarget < 0 ? Term{false, target} : Term{true, lastOnTarget}, by});
        next.uses.insert(next.uses.end(), striker.uses.begin(), striker.uses.end());
        next.cost += striker.cost + cost(striker.standsFor, target);
        if (remainder == 0) {
          recipes_[k].push_back(std::move(next));
        } else {
          const int last = static_cast<int>(next.merges.size()) - 1;
          strike(remainder, next, last);
        }
      }
    };
    Recipe empty;
    strike(values_[target], empty, -1);
    std::stable_sort(recipes_[k].begin(), recipes_[k].end(), [](const Recipe& a, const Recipe& b) {
      return a.uses.size() != b.uses.size() ? a.uses.size() < b.uses.size() : a.cost < b.cost;
    });
  }

  // The movable blocks no recipe has taken, split by who may ever meet whom: a part that meets no
  // fixed block still to be covered has to clear by itself.
  bool restMayClear() {
    std::vector<int> pool;
    for (const int i : movable_) {
      if (!used_[i]) pool.push_back(i);
    }
    std::vector<int> part(pool.size(), -1);
    int parts = 0;
    for (std::size_t seed = 0; seed < pool.size(); ++seed) {
      if (part[seed] >= 0) continue;
      std::vector<std::size_t> stack{seed};
      part[seed] = parts;
      while (!stack.empty()) {
        const std::size_t at = stack.back();
        stack.pop_back();
        for (std::size_t other = 0; other < pool.size(); ++other) {
          if (part[other] < 0 && mayMeet(pool[at], pool[other])) {
            part[other] = parts;
            stack.push_back(other);
          }
        }
      }
      ++parts;
    }
    for (int p = 0; p < parts; ++p) {
      ValueCounts values;
      int members = 0;
      bool feedsAFixedBlock = false;
      for (std::size_t m = 0; m < pool.size(); ++m) {
        if (part[m] != p) continue;
        values.add(values_[pool[m]]);
        ++members;
        for (const int f : fixedBlocks_) feedsAFixedBlock = feedsAFixedBlock || (!used_[f] && mayMeet(pool[m], f));
      }
      if (feedsAFixedBlock) continue;
      if (members == 1) return false;
      const MergeArithmetic::Answer answer = arithmetic_.fewestMerges(values);
      if (answer.decided && answer.fewest == MergeArithmetic::kUnclearable) return false;
    }
    return true;
  }

  // Some order of merges that clears the blocks no recipe has taken, zero remainders first.
  struct Loose {
    int value, standsFor;
    Term term;
  };
  bool clearRest(std::vector<Loose>& loose, std::vector<RecipeMerge>& merges, int& total, long& effort,
                 std::set<std::vector<std::pair<int, int>>>& seen) {
    if (loose.empty()) return true;
    if (++effort > kRestEffort) return false;
    std::vector<std::pair<int, int>> key;
    for (const Loose& l : loose) key.emplace_back(l.value, l.standsFor);
    std::sort(key.begin(), key.end());
    if (!seen.insert(key).second) return false;
    for (const bool zeroPass : {true, false}) {
      for (std::size_t i = 0; i < loose.size(); ++i) {
        for (std::size_t j = 0; j < loose.size(); ++j) {
          if (i == j || !mayMeet(loose[i].standsFor, loose[j].standsFor)) continue;
          const int remainder = mergeRemainder(loose[i].value, loose[j].value);
          if (remainder == ng_ || (remainder == 0) != zeroPass || (zeroPass && j < i)) continue;
          if (!zeroPass && narrower(loose[j].standsFor, loose[i].standsFor)) continue;
          std::vector<Loose> next;
          for (std::size_t q = 0; q < loose.size(); ++q) {
            if (q != i && q != j) next.push_back(loose[q]);
          }
          merges.push_back({loose[i].term, loose[j].term});
          const int step = cost(loose[i].standsFor, loose[j].standsFor);
          total += step;
          if (remainder != 0) next.push_back({remainder, loose[i].standsFor, {true, static_cast<int>(merges.size()) - 1}});
          if (clearRest(next, merges, total, effort, seen)) return true;
          merges.pop_back();
          total -= step;
        }
      }
    }
    return false;
  }

  // Only the `most_` cheapest plans, the first found first among equals: of a few hundred
  // thousand covers, the rest would only take memory.
  void keepCheapest() {
    std::stable_sort(found_.begin(), found_.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
    if (found_.size() > most_) found_.resize(most_);
  }

  void keepCover() {
    MergePlan plan;
    int total = 0;
    auto add = [&](const std::vector<RecipeMerge>& merges) {
      const int base = static_cast<int>(plan.size());
      auto side = [&](Term t) { return t.merged ? PlannedMerge::kEarlierMerge + base + t.index : t.index; };
      for (const RecipeMerge& m : merges) plan.push_back({side(m.a), side(m.b)});
    };
    for (std::size_t k = 0; k < fixedBlocks_.size(); ++k) {
      if (chosen_[k] < 0) continue;
      add(recipes_[k][static_cast<std::size_t>(chosen_[k])].merges);
      total += recipes_[k][static_cast<std::size_t>(chosen_[k])].cost;
    }
    std::vector<Loose> loose;
    for (const int i : movable_) {
      if (!used_[i]) loose.push_back({values_[i], i, {false, i}});
    }
    std::vector<RecipeMerge> rest;
    long effort = 0;
    std::set<std::vector<std::pair<int, int>>> seen;
    if (!clearRest(loose, rest, total, effort, seen)) return;
    add(rest);
    found_.emplace_back(total, std::move(plan));
    if (found_.size() >= 4 * most_) keepCheapest();
  }

  // Recipes for the fixed blocks, those with the fewest first, no block in two of them; a fixed
  // block another recipe already uses needs none of its own.
  void cover(std::size_t depth) {
    if (covers_ >= kMostCovers) return;
    if (depth == order_.size()) {
      ++covers_;
      keepCover();
      return;
    }
    const std::size_t k = order_[depth];
    const int target = fixedBlocks_[k];
    if (used_[target]) {
      cover(depth + 1);
      return;
    }
    used_[target] = true;
    int tried = 0;
    for (std::size_t r = 0; r < recipes_[k].size() && tried < kRecipesTried && covers_ < kMostCovers; ++r) {
      const Recipe& recipe = recipes_[k][r];
      if (std::any_of(recipe.uses.begin(), recipe.uses.end(), [&](int b) { return static_cast<bool>(used_[b]); })) continue;
      ++tried;
      for (const int b : recipe.uses) used_[b] = true;
      chosen_[k] = static_cast<int>(r);
      if (restMayClear()) cover(depth + 1);
      for (const int b : recipe.uses) used_[b] = false;
    }
    chosen_[k] = -1;
    used_[target] = false;
  }

  const Layout& layout_;
  int ng_;
  int blocks_ = 0;
  std::array<int, kCells> blockAt_ = filledWith(-1);
  std::vector<int> cells_, values_;
  std::vector<bool> fixed_, inRoom_, closesRoom_;
  std::vector<CellSet> reach_;
  std::vector<int> fixedBlocks_, movable_;
  std::vector<Striker> strikers_;
  std::vector<std::vector<Recipe>> recipes_;
  std::vector<std::size_t> order_;
  std::vector<int> chosen_;
  std::vector<bool> used_;
  long covers_ = 0;
  MergeArithmetic arithmetic_{ng_, kArithmeticEffort};
  std::vector<std::pair<int, MergePlan>> found_;
  std::size_t most_ = 0;

  static std::array<int, kCells> filledWith(int value) {
    std::array<int, kCells> a{};
    a.fill(value);
    return a;
  }
};

}  // namespace

std::vector<MergePlan> planMerges(const Layout& layout, std::size_t most) {
  Planner planner(layout);
  return planner.plans(most);
}

}  // namespace quorel::solver
