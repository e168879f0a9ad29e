#pragma once
// The state of an attempt at a stage: where the player stands, the running step, the counts.
#include <array>

namespace quorel {

struct PlayState {
  int playerX = 0, playerY = 0;
  int prevX = 0, prevY = 0;
  std::array<int, 21> blockMoves{};  // per stage; never above 255
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
