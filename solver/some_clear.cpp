// A clear found by a beam search: one level of block moves at a time, only the positions with
// the lowest bounds go on. It proves nothing, but it finds clears the exact search has no room
// for, and its count bounds the shortest from above.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <unordered_set>
#include <vector>

#include "solver/block_moves.h"
#include "solver/codec.h"
#include "solver/estimator.h"
#include "solver/lurd.h"
#include "solver/solver.h"

namespace quorel::solver {

namespace {

using Clock = std::chrono::steady_clock;

struct Step {
  std::uint32_t parent;
  std::uint16_t move;
};

struct Candidate {
  std::vector<std::uint64_t> key;
  std::uint32_t parent;
  std::uint16_t move;
  int quick;
  int full;
  std::uint64_t hash;
};

std::vector<BlockMove> movesTo(const std::vector<Step>& steps, std::uint32_t last, std::uint16_t move) {
  std::vector<BlockMove> moves;
  for (std::uint32_t at = last;; at = steps[at].parent) {
    moves.push_back({columnOf(move / 4), rowOf(move / 4), move % 4});
    if (steps[at].parent == at) break;
    move = steps[at].move;
  }
  std::reverse(moves.begin(), moves.end());
  return moves;
}

}  // namespace

Result findSomeClear(const Stage& stage, const Control& control, int width) {
  Result result;
  if (!supportedBoard(stage)) {
    result.stop = StopReason::UnsupportedBoard;
    return result;
  }
  const auto started = Clock::now();
  const Layout layout(stage);
  const Codec codec(layout);
  Estimator estimator(layout);
  BlockMoves blockMoves(layout);
  const Position start = startPosition(layout);

  std::vector<Step> steps{{0, 0}};  // the start is its own parent
  std::vector<std::uint32_t> level{0};
  std::vector<std::vector<std::uint64_t>> levelKeys(1, std::vector<std::uint64_t>(codec.words()));
  codec.encode(start, levelKeys[0].data());
  std::unordered_set<std::string> seen;
  auto keyText = [&codec](const std::uint64_t* key) {
    return std::string(reinterpret_cast<const char*>(key), sizeof(std::uint64_t) * codec.words());
  };
  seen.insert(keyText(levelKeys[0].data()));

  std::vector<Candidate> candidates;
  Position position;
  auto lastReport = started;
  while (!level.empty()) {
    if (control.progress && Clock::now() - lastReport >= control.progressInterval) {
      lastReport = Clock::now();
      Progress progress;
      progress.statesExpanded = result.counts.statesExpanded;
      progress.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(lastReport - started);
      control.progress(progress);
    }
    const Limits& limits = control.limits;
    if (control.cancel != nullptr && control.cancel->load()) {
      result.stop = StopReason::Cancelled;
      break;
    }
    if (limits.time.count() > 0 && Clock::now() - started >= limits.time) {
      result.stop = StopReason::TimeLimit;
      break;
    }
    if (limits.states > 0 && seen.size() >= limits.states) {
      result.stop = StopReason::StateLimit;
      break;
    }
    candidates.clear();
    for (std::size_t k = 0; k < level.size(); ++k) {
      codec.decode(levelKeys[k].data(), position);
      ++result.counts.statesExpanded;
      bool cleared = false;
      blockMoves.forEach(position, [&](const Position& child, std::uint16_t move, bool clears) {
        if (clears) {
          result.moves = movesTo(steps, level[k], move);
          cleared = true;
          return false;
        }
        Candidate c{std::vector<std::uint64_t>(codec.words()), level[k], move, 0, 0, 0};
        codec.encode(child, c.key.data());
        if (!seen.insert(keyText(c.key.data())).second) return true;
        c.quick = estimator.quickBound(child);
        if (c.quick == Estimator::kDead) return true;
        c.hash = codec.hash(c.key.data());
        candidates.push_back(std::move(c));
        return true;
      });
      if (cleared) {
        result.lurd = lurdOf(stage, result.moves).value_or("");
        result.counts.statesStored = seen.size();
        return result;
      }
    }
    // The most promising by the quick bound get the full one; the best of those go on. The hash
    // breaks ties, so that equal positions do not crowd out the rest in the order they came.
    auto byQuick = [](const Candidate& a, const Candidate& b) {
      return a.quick != b.quick ? a.quick < b.quick : a.hash < b.hash;
    };
    const std::size_t shortlist = std::min(candidates.size(), static_cast<std::size_t>(width) * 4);
    std::partial_sort(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(shortlist),
                      candidates.end(), byQuick);
    candidates.resize(shortlist);
    for (Candidate& c : candidates) {
      codec.decode(c.key.data(), position);
      c.full = estimator.fullBound(position);
    }
    std::erase_if(candidates, [](const Candidate& c) { return c.full == Estimator::kDead; });
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
  result.counts.statesStored = seen.size();
  return result;
}

}  // namespace quorel::solver
