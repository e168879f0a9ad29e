#pragma once
// The state of an attempt at a stage: where the player stands, the running step, the counts.
#include <algorithm>
#include <array>

#include "common/stage_set.h"

namespace quorel {

inline constexpr int kCellSize = 32;  // pixels of a Board cell on the screen; the sprite moves in them
inline constexpr int kPushPose = 4;   // the column of the player picture that shows a push

// The pixel offset of a cell inside the board area, along either axis. A stage file may put the
// start anywhere in the int range; a cell beyond the grid is held one or two cells outside it,
// where nothing drawn there reaches the screen, so the arithmetic cannot overflow.
constexpr int cellPixel(int cell) { return kCellSize * std::clamp(cell, -2, kBoardColumns + 1); }

struct PlayState {
  int playerX = 0, playerY = 0;
  int prevX = 0, prevY = 0;
  std::array<int, kGameStageSlots> blockMoves{};  // per stage; never above 255
  int stepFramesLeft = 0;
  int carriedCode = 0;
  int spriteX = 0, spriteY = 0;  // pixels inside the board area
  int moveX = 0, moveY = 0;
  int stepFrames = 16;
  int statusTimer = 0;
  int spriteFrame = 0;
  bool introWindow = false;
  int facing = 0;     // last direction: 0 right, 1 left, 2 down, 3 up
  int poseTimer = 0;  // frames since spriteFrame last changed; a push sets -30
};

}  // namespace quorel
