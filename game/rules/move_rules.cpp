#include "game/rules/move_rules.h"

#include <algorithm>

namespace quorel {

namespace {

constexpr int kPushPoseTimer = -30;  // holds the push pose for 37 frames

}  // namespace

StepOutcome MoveRules::beginStep(int dx, int dy) {
  const int fromX = state.playerX;
  const int fromY = state.playerY;
  state.moveX = dx;
  state.moveY = dy;
  state.stepFramesLeft = state.stepFrames - 1;
  state.spriteX = cellPixel(fromX);
  state.spriteY = cellPixel(fromY);
  const StepOutcome outcome = stepOutcome(board, fromX, fromY, dx, dy, ngNumber);
  // Judged before the player's cell changes, so a start far outside the grid cannot overflow.
  if (outcome.playerMoves()) {
    state.playerX += dx;
    state.playerY += dy;
  } else {
    stepBack();
  }
  if (!outcome.showsPushPose()) return outcome;

  state.spriteFrame = kPushPose;
  state.poseTimer = kPushPoseTimer;
  switch (outcome.kind) {
    case StepKind::Push:
      // The block slides with the player and sits in no cell until the step ends.
      state.carriedCode = outcome.blockCode;
      board[state.playerX][state.playerY] = kFloor;
      effects.playEffect("move", 0);
      countBlockMove();
      break;
    case StepKind::Merge:
      countBlockMove();
      applyStep(board, fromX, fromY, dx, dy, outcome);
      effects.playEffect(outcome.struckCode != kFloor ? "hit" : "clear", 0);
      break;
    default:  // a blocked push: the player has stayed
      break;
  }
  int& moves = state.blockMoves[stage];
  moves = std::min(moves, kMaxBlockMoves);
  return outcome;
}

void MoveRules::stepBack() {
  state.playerX = state.prevX;
  state.playerY = state.prevY;
  state.stepFramesLeft = 0;
}

void MoveRules::countBlockMove() {
  state.blockMoves[stage] += 1;
  state.statusTimer = 0;
}

void advanceSprite(PlayState& state) {
  const int pixelsPerFrame = kCellSize / state.stepFrames;
  state.spriteX += pixelsPerFrame * state.moveX;
  state.spriteY += pixelsPerFrame * state.moveY;
  state.stepFramesLeft -= 1;
}

void continueStep(PlayState& state, Board& board) {
  advanceSprite(state);
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
  state.spriteX = cellPixel(startX);
  state.spriteY = cellPixel(startY);
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
