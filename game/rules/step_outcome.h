#pragma once
// The rules of the puzzle as pure functions of a Board: what one step of the player does, what
// a pushed block does against the cell beyond it, the remainder of a merge, and whether the
// stage goes on, is cleared or is lost. Nothing here animates, plays a sound or knows a scene;
// the game's step animation and a solver with its own state encoding both build on these.
#include "common/stage_set.h"

namespace quorel {

inline constexpr int kMaxBlockMoves = 255;

// The code of a cell; a cell outside the 20 x 14 grid stops the player and blocks like a wall.
int cellCode(const Board& board, int x, int y);

// The value a merge leaves in the struck cell: the larger value modulo the smaller, 0 when
// they are equal. Both values are 1 or more.
constexpr int mergeRemainder(int pushedValue, int struckValue) {
  if (pushedValue < struckValue) return struckValue % pushedValue;
  if (pushedValue > struckValue) return pushedValue % struckValue;
  return 0;
}

// The cells of the Board that hold a block.
int countBlocks(const Board& board);

// Whether a block of the NG number stands on the Board. Only blocks can match: an NG number
// outside the block values (from a hand-made file) never matches floor or walls.
bool holdsNgBlock(const Board& board, int ngNumber);
constexpr bool isNgBlock(int code, int ngNumber) { return isBlock(code) && code == blockCode(ngNumber); }

// What a pushed block does against the code of the cell beyond it.
enum class PushKind {
  Slide,    // floor: the block moves on one cell
  Blocked,  // a wall, the codes 2 to 9 or the grid's edge: nothing moves
  Merge,    // a block: the two merge and the struck cell keeps the remainder
};

struct Push {
  PushKind kind = PushKind::Blocked;
  int remainder = 0;  // Merge: the value left in the struck cell; 0 when both blocks vanish

  // Merge: the struck cell's code afterwards (floor when nothing is left).
  constexpr int struckCode() const { return remainder != 0 ? blockCode(remainder) : kFloor; }
};

// `pushedCode` must be a block's code; `beyondCode` is cellCode() of the cell beyond it.
constexpr Push pushAgainst(int pushedCode, int beyondCode) {
  if (beyondCode == kFloor) return {PushKind::Slide, 0};
  if (!isBlock(beyondCode)) return {PushKind::Blocked, 0};
  return {PushKind::Merge, mergeRemainder(blockValue(pushedCode), blockValue(beyondCode))};
}

// How a stage stands after a step.
enum class StageResult {
  Playing,
  Cleared,       // no block left
  LostOneBlock,  // a merge left exactly one block
  LostNgNumber,  // a merge left a block of the NG number on the Board
};

// The judge after a merge, by the blocks left on the Board and whether one of them has the
// NG number's value. When both losses hold, the NG number is named: it is checked last.
constexpr StageResult judgeStage(int blocksLeft, bool ngBlockOnBoard) {
  if (ngBlockOnBoard) return StageResult::LostNgNumber;
  if (blocksLeft == 0) return StageResult::Cleared;
  if (blocksLeft == 1) return StageResult::LostOneBlock;
  return StageResult::Playing;
}

constexpr bool isLost(StageResult result) {
  return result == StageResult::LostOneBlock || result == StageResult::LostNgNumber;
}

// What one step of the player does.
enum class StepKind {
  Walk,         // onto floor or one of the codes 2 to 9
  Wall,         // into a wall or off the grid: the player stays
  Push,         // a block slides into the floor beyond it
  PushBlocked,  // the block cannot move: the player stays, showing the push pose
  Merge,        // the block merges with the one beyond it
};

struct StepOutcome {
  StepKind kind = StepKind::Walk;
  int blockCode = 0;   // Push, PushBlocked, Merge: the code of the pushed block
  int struckCode = 0;  // Merge: the struck cell's code afterwards (floor when both vanished)
  StageResult result = StageResult::Playing;  // judged only after a merge

  constexpr bool playerMoves() const { return kind == StepKind::Walk || kind == StepKind::Push || kind == StepKind::Merge; }
  constexpr bool blockMoved() const { return kind == StepKind::Push || kind == StepKind::Merge; }
  constexpr bool showsPushPose() const { return blockCode != 0; }
};

// The step of a player standing at (x, y) in the direction (dx, dy), exactly one of them
// nonzero.
StepOutcome stepOutcome(const Board& board, int x, int y, int dx, int dy, int ngNumber);

// The Board after the step, with a pushed block already landed on the cell beyond.
void applyStep(Board& board, int x, int y, int dx, int dy, const StepOutcome& outcome);

}  // namespace quorel
