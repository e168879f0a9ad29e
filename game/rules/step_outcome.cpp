#include "game/rules/step_outcome.h"

#include <algorithm>

namespace quorel {

int cellCode(const Board& board, int x, int y) {
  if (x < 0 || x >= kBoardColumns || y < 0 || y >= kBoardRows) return kWall;
  return board[x][y];
}

int countBlocks(const Board& board) {
  int count = 0;
  for (const auto& column : board) count += static_cast<int>(std::count_if(column.begin(), column.end(), isBlock));
  return count;
}

bool holdsNgBlock(const Board& board, int ngNumber) {
  return std::any_of(board.begin(), board.end(), [ngNumber](const auto& column) {
    return std::any_of(column.begin(), column.end(), [ngNumber](int code) { return isNgBlock(code, ngNumber); });
  });
}

namespace {

// The code of the cell `distance` steps away in the direction (dx, dy). The start may lie
// anywhere in the int range, so the sum is taken wider than int; beyond the grid is a wall.
int codeAhead(const Board& board, int x, int y, int dx, int dy, int distance) {
  const long long aheadX = static_cast<long long>(x) + static_cast<long long>(distance) * dx;
  const long long aheadY = static_cast<long long>(y) + static_cast<long long>(distance) * dy;
  if (aheadX < 0 || aheadX >= kBoardColumns || aheadY < 0 || aheadY >= kBoardRows) return kWall;
  return board[static_cast<std::size_t>(aheadX)][static_cast<std::size_t>(aheadY)];
}

}  // namespace

StepOutcome stepOutcome(const Board& board, int x, int y, int dx, int dy, int ngNumber) {
  const int target = codeAhead(board, x, y, dx, dy, 1);
  if (target == kWall) return {StepKind::Wall};
  if (!isBlock(target)) return {StepKind::Walk};

  const Push push = pushAgainst(target, codeAhead(board, x, y, dx, dy, 2));
  switch (push.kind) {
    case PushKind::Slide:
      return {StepKind::Push, target};
    case PushKind::Blocked:
      return {StepKind::PushBlocked, target};
    case PushKind::Merge:
      break;
  }
  StepOutcome outcome{StepKind::Merge, target, push.struckCode()};
  Board after = board;
  applyStep(after, x, y, dx, dy, outcome);
  outcome.result = judgeStage(countBlocks(after), holdsNgBlock(after, ngNumber));
  return outcome;
}

void applyStep(Board& board, int x, int y, int dx, int dy, const StepOutcome& outcome) {
  if (!outcome.blockMoved()) return;
  const int beyondX = x + 2 * dx;
  const int beyondY = y + 2 * dy;
  board[x + dx][y + dy] = kFloor;
  board[beyondX][beyondY] = outcome.kind == StepKind::Push ? outcome.blockCode : outcome.struckCode;
}

}  // namespace quorel
