#pragma once
// The fewest block moves that merge the blocks on two cells, found best first by the moves so far
// plus a multiple of the two blocks' meeting cost. Only the two blocks move, or, where the caller
// allows it, any block may slide out of their way, but no other pair may merge. The clear-finder's
// merge beam and the planned clear both use it; the planned clear keeps track of which block is
// which along the way, in a Tracker of its own, and may refuse a step that would strand one.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <queue>
#include <string>
#include <unordered_set>
#include <vector>

#include "solver/block_moves.h"
#include "solver/codec.h"
#include "solver/layout.h"

namespace quorel::solver {

struct PairMergeLimits {
  std::size_t positions = 0;  // a merge that needs more is left out
  int guideWeight = 1;        // of the meeting cost against the moves made
  bool othersMove = false;
};

template <class Tracker>
struct PairMerge {
  std::vector<BlockMove> moves;  // from the position searched from
  Position after;
  Tracker tracker;
  bool cleared = false;
};

// `slid(tracker, cell, target, pairMoved)` and `merged(tracker, cell, target, remainderLeft)` see
// each step on a copy of the tracker of the position it comes from and return whether to keep it;
// `stopped()` ends the search early, and `expanded` counts the positions whose moves were tried.
template <class Tracker, class Stopped, class Slid, class Merged>
std::optional<PairMerge<Tracker>> searchPairMerge(const Layout& layout, const Codec& codec, BlockMoves& blockMoves,
                                                  const Position& from, const Tracker& tracker, int a, int b,
                                                  const PairMergeLimits& limits, Stopped&& stopped,
                                                  std::uint64_t& expanded, Slid&& slid, Merged&& merged) {
  struct Node {
    std::string key;
    int a, b;
    std::uint32_t parent;
    std::uint16_t move;
    int moves;
    Tracker tracker;
  };
  struct Open {
    int f;
    std::uint32_t node;
    bool operator<(const Open& o) const { return f != o.f ? f > o.f : node > o.node; }
  };
  std::vector<Node> nodes{{codec.key(from), a, b, 0, 0, 0, tracker}};
  std::unordered_set<std::string> seen{nodes[0].key};
  std::priority_queue<Open> open;
  open.push({limits.guideWeight * layout.meetingCost(a, b), 0});
  Position here;
  PairMerge<Tracker> found;
  while (!open.empty() && nodes.size() < limits.positions && !stopped()) {
    const std::uint32_t at = open.top().node;
    open.pop();
    ++expanded;
    codec.decode(nodes[at].key, here);
    const int hereA = nodes[at].a;
    const int hereB = nodes[at].b;
    bool done = false;
    std::uint16_t last = 0;
    blockMoves.forEach(here, [&](const Position& child, std::uint16_t move, bool clears) {
      const int cell = move / 4;
      const bool pairMoved = cell == hereA || cell == hereB;
      if (!pairMoved && !limits.othersMove) return true;
      const int target = layout.neighbour(cell, move % 4);
      Tracker next = nodes[at].tracker;
      if (clears || child.count < here.count) {
        if (!pairMoved || target != (cell == hereA ? hereB : hereA)) return true;  // into a block that stands still
        if (!merged(next, cell, target, child.count == here.count - 1)) return true;
        done = true;
        last = move;
        found.cleared = clears;
        found.after = child;
        found.tracker = std::move(next);
        return false;
      }
      std::string key = codec.key(child);
      if (!seen.insert(key).second) return true;
      const int nextA = cell == hereA ? target : hereA;
      const int nextB = cell == hereB ? target : hereB;
      const int cost = layout.meetingCost(nextA, nextB);
      if (cost >= Layout::kNoMeeting || !slid(next, cell, target, pairMoved)) return true;
      const int moved = nodes[at].moves + 1;
      nodes.push_back({std::move(key), nextA, nextB, at, move, moved, std::move(next)});
      open.push({moved + limits.guideWeight * cost, static_cast<std::uint32_t>(nodes.size() - 1)});
      return true;
    });
    if (done) {
      found.moves.push_back(blockMoveOf(last));
      for (std::uint32_t n = at; n != 0; n = nodes[n].parent) found.moves.push_back(blockMoveOf(nodes[n].move));
      std::reverse(found.moves.begin(), found.moves.end());
      return found;
    }
  }
  return std::nullopt;
}

}  // namespace quorel::solver
