#pragma once
// The stage solver: the fewest block moves that clear a stage, by a search over block moves in
// which walking is free. A push into floor and a merge each count one, as in play.
//
// solve() answers "solved" with a move list that is proved to be the shortest, "no solution"
// when every reachable position has been ruled out, or "unknown" when a limit, the cancel flag
// or an unsupported Board stopped it, then with the best clear it found if it found one. It may
// run on a background thread; the progress callback runs on that thread.
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "solver/stage.h"

namespace quorel::solver {

// A block move: the block standing on (x, y) is pushed one cell in `direction` (0 left, 1 up,
// 2 right, 3 down: the order of the letters l u r d).
struct BlockMove {
  int x = 0, y = 0;
  int direction = 0;
  bool operator==(const BlockMove&) const = default;
};

enum class Answer { Solved, NoSolution, Unknown };

enum class StopReason {
  None,
  StateLimit,
  TimeLimit,
  MemoryLimit,
  Cancelled,
  UnsupportedBoard,  // a Tile code above 36, which no stage file can hold
};

struct Limits {
  std::uint64_t states = 0;         // positions the exact search keeps; 0 for no limit
  std::chrono::milliseconds time{0};  // 0 for no limit
  std::size_t memoryBytes = 0;      // the search's own tables; 0 for no limit
  int threads = 0;                  // 0 for one per core
};

struct Progress {
  std::uint64_t statesExpanded = 0;  // positions whose block moves were tried
  std::uint64_t statesStored = 0;    // positions kept by the exact search
  std::chrono::milliseconds elapsed{0};
  int lowerBound = 0;  // no solution has fewer block moves
  std::size_t memoryBytes = 0;
};

using ProgressCallback = std::function<void(const Progress&)>;

struct Control {
  Limits limits;
  const std::atomic<bool>* cancel = nullptr;  // set to stop soon with "unknown"
  ProgressCallback progress;                  // called about every progressInterval
  std::chrono::milliseconds progressInterval{100};
};

struct Result {
  Answer answer = Answer::Unknown;
  std::vector<BlockMove> moves;  // Solved: the fewest; Unknown: the best clear found, if any
  std::string lurd;              // its steps: lower case walks, capitals block moves
  StopReason stop = StopReason::None;
  Progress counts;               // at the end; lowerBound is the moves when solved
  std::size_t peakMemoryBytes = 0;
  std::chrono::milliseconds clearFoundAfter{0};  // findSomeClear: when it found the clear it gives
};

Result solve(const Stage& stage, const Control& control = {});

// A clear found by searches that settle for what they meet rather than the fewest: rounds of a
// beam that goes one merge at a time, a beam that goes one block move at a time and a greedy
// best-first search, each round wider, the last with a merge beam of `width` positions; with
// `untilNoBetter`, it ends after a round that found no shorter clear than the round before. It
// proves nothing, so the answer stays Unknown; the moves and their string are filled in when it
// found a clear within the limits, and each has been played through the game's rules. Its count
// bounds the fewest from above, for a stage solve() cannot settle.
Result findSomeClear(const Stage& stage, const Control& control = {}, int width = 1024, bool untilNoBetter = false);

// A clear for a stage where blocks that can never move must be struck away: plans say which
// blocks merge with which so that every block goes, and a beam looks for an order of those merges
// that the Board allows. Like findSomeClear it proves nothing; it gives a clear, played through the
// game's rules, or none.
Result findPlannedClear(const Stage& stage, const Control& control = {});

// Checks that need no search, for a warning before one starts.
enum class StartPlace { Floor, NotFloor, OffGrid };
StartPlace startPlace(const Stage& stage);

struct ValuesCheck {
  int blocks = 0;
  bool decided = true;     // false when the multiset was too hard to settle in reasonable time
  bool clearable = false;  // decided: some order of merges removes every block without a loss
  int fewestMerges = 0;    // decided and clearable: the fewest merges
};
// The block values alone, wherever they stand: can any order of merges clear them under the
// stage's NG number? A stage without blocks or with one block is never cleared.
ValuesCheck checkValues(const Stage& stage);

// Whether no Tile code is above 36 (a block of value 27 or more, which no stage file can hold).
bool supportedBoard(const Stage& stage);

}  // namespace quorel::solver
