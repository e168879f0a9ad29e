#include "game/puzzle/move_rules.h"

#include <algorithm>

namespace quorel {

int cellCode(const Board& board, int x, int y) {
  if (x < 0 || x >= kBoardColumns || y < 0 || y >= kBoardRows) return kWall;
  return board[x][y];
}

int mergeRemainder(int pushedValue, int struckValue) {
  if (pushedValue < struckValue) return struckValue % pushedValue;
  if (pushedValue > struckValue) return pushedValue % struckValue;
  return 0;
}

int countBlocks(const Board& board) {
  int count = 0;
  for (const auto& column : board) count += static_cast<int>(std::count_if(column.begin(), column.end(), isBlock));
  return count;
}

namespace {

bool boardHoldsBlockValue(const Board& board, int value) {
  // Only blocks can reach the NG number: an NG number outside the block values from a
  // hand-made file must not match floor or walls.
  const int code = blockCode(value);
  if (!isBlock(code)) return false;
  for (const auto& column : board)
    if (std::find(column.begin(), column.end(), code) != column.end()) return true;
  return false;
}

}  // namespace

void MoveRules::beginStep(int dx, int dy) {
  state.moveX = dx;
  state.moveY = dy;
  state.stepFramesLeft = state.stepFrames - 1;
  state.spriteX = state.playerX * 32;
  state.spriteY = state.playerY * 32;
  state.playerX += dx;
  state.playerY += dy;
  const int t = cellCode(board, state.playerX, state.playerY);
  if (t == kWall) {
    stepBack();
    return;
  }
  if (!isBlock(t)) return;  // floor, and the unused codes, are walked on

  state.spriteFrame = 4;
  state.poseTimer = -30;
  const int u = cellCode(board, state.playerX + dx, state.playerY + dy);
  if (u == kFloor) {
    push(t);
  } else if (isBlock(u)) {
    merge(t, u);
  } else {
    stepBack();  // a wall, or a code that is no block to merge with
  }
  int& moves = state.blockMoves[stage];
  moves = std::min(moves, kMaxBlockMoves);
}

void MoveRules::stepBack() {
  state.playerX = state.prevX;
  state.playerY = state.prevY;
  state.stepFramesLeft = 0;
}

void MoveRules::push(int t) {
  state.carriedCode = t;
  board[state.playerX][state.playerY] = kFloor;
  effects.playEffect("move", 0);
  state.blockMoves[stage] += 1;
  state.statusTimer = 0;
}

void MoveRules::merge(int t, int u) {
  state.blockMoves[stage] += 1;
  state.statusTimer = 0;
  const int r = mergeRemainder(blockValue(t), blockValue(u));
  int& struck = board[state.playerX + state.moveX][state.playerY + state.moveY];
  if (r != 0) {
    struck = blockCode(r);
    effects.playEffect("hit", 0);
  } else {
    struck = kFloor;
    effects.playEffect("clear", 0);
  }
  board[state.playerX][state.playerY] = kFloor;
  judgeBoard();
}

void MoveRules::judgeBoard() {
  const int blocks = countBlocks(board);
  if (blocks == 0) sceneNumber = 2;
  if (blocks == 1) sceneNumber = 3;
  if (boardHoldsBlockValue(board, ngNumber)) sceneNumber = 3;
}

void continueStep(PlayState& state, Board& board) {
  const int pixelsPerFrame = 32 / state.stepFrames;
  state.spriteX += pixelsPerFrame * state.moveX;
  state.spriteY += pixelsPerFrame * state.moveY;
  state.stepFramesLeft -= 1;
  if (state.stepFramesLeft != 0) return;
  const int landX = state.playerX + state.moveX;
  const int landY = state.playerY + state.moveY;
  if (state.carriedCode != 0 && cellCode(board, landX, landY) == kFloor) {
    board[landX][landY] = state.carriedCode;
    state.carriedCode = 0;
  }
  state.moveX = 0;
  state.moveY = 0;
}

int facingOf(PlayState& state) {
  if (state.moveX == 1) state.facing = 0;
  if (state.moveX == -1) state.facing = 1;
  if (state.moveY == 1) state.facing = 2;
  if (state.moveY == -1) state.facing = 3;
  return state.facing;
}

void startAttempt(PlayState& state, int stage, int startX, int startY) {
  state.playerX = startX;
  state.playerY = startY;
  state.spriteX = 32 * startX;
  state.spriteY = 32 * startY;
  state.prevX = 0;
  state.prevY = 0;
  state.blockMoves[stage] = 0;
  state.stepFramesLeft = 0;
  state.moveX = 0;
  state.moveY = 1;
  state.carriedCode = 0;
  state.statusTimer = 0;
  state.stepFrames = 16;
  state.spriteFrame = 0;
}

}  // namespace quorel
