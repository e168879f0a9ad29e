#include "solver/lurd.h"

#include <array>
#include <cctype>
#include <deque>

#include "solver/layout.h"

namespace quorel::solver {

namespace {

struct Player {
  int x, y;
};

int directionOfLetter(char letter) {
  const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  for (int d = 0; d < 4; ++d) {
    if (kDirections[d].step == lower) return d;
  }
  return -1;
}

char blockMoveLetter(int direction) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(kDirections[direction].step)));
}

// The shortest walk from `from` to (toX, toY); the player may start anywhere, even off the grid,
// but every step lands on the grid.
std::optional<std::string> walk(const Board& board, Player from, int toX, int toY, int ngNumber) {
  if (from.x == toX && from.y == toY) return std::string();
  std::array<int, kCells> cameBy{};
  cameBy.fill(-1);
  std::deque<Player> queue{from};
  auto reached = [&](int x, int y) { return onGrid(x, y) && cameBy[cellIndex(x, y)] >= 0; };
  while (!queue.empty()) {
    const Player at = queue.front();
    queue.pop_front();
    for (int d = 0; d < 4; ++d) {
      const int x = at.x + kDirections[d].dx;
      const int y = at.y + kDirections[d].dy;
      if (reached(x, y) || stepOutcome(board, at.x, at.y, kDirections[d].dx, kDirections[d].dy, ngNumber).kind != StepKind::Walk) {
        continue;
      }
      cameBy[cellIndex(x, y)] = d;
      if (x == toX && y == toY) {
        std::string steps;
        for (int cx = x, cy = y; cx != from.x || cy != from.y;) {
          const int back = cameBy[cellIndex(cx, cy)];
          steps.insert(steps.begin(), kDirections[back].step);
          cx -= kDirections[back].dx;
          cy -= kDirections[back].dy;
        }
        return steps;
      }
      queue.push_back({x, y});
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> lurdOf(const Stage& stage, const std::vector<BlockMove>& moves) {
  Board board = stage.board;
  Player player{stage.startX, stage.startY};
  std::string letters;
  for (const BlockMove& move : moves) {
    if (move.direction < 0 || move.direction > 3) return std::nullopt;
    const Direction& d = kDirections[move.direction];
    const auto steps = walk(board, player, move.x - d.dx, move.y - d.dy, stage.ngNumber);
    if (!steps) return std::nullopt;
    letters += *steps;
    const StepOutcome outcome = stepOutcome(board, move.x - d.dx, move.y - d.dy, d.dx, d.dy, stage.ngNumber);
    if (!outcome.blockMoved()) return std::nullopt;
    applyStep(board, move.x - d.dx, move.y - d.dy, d.dx, d.dy, outcome);
    letters += blockMoveLetter(move.direction);
    player = {move.x, move.y};
  }
  return letters;
}

Replay replayLurd(const Stage& stage, std::string_view moves) {
  Replay replay;
  replay.board = stage.board;
  replay.playerX = stage.startX;
  replay.playerY = stage.startY;
  for (std::size_t i = 0; i < moves.size(); ++i) {
    const int d = directionOfLetter(moves[i]);
    if (d < 0 || replay.result != StageResult::Playing) {
      replay.valid = false;
      replay.failedAt = i;
      return replay;
    }
    const int dx = kDirections[d].dx;
    const int dy = kDirections[d].dy;
    const StepOutcome outcome = stepOutcome(replay.board, replay.playerX, replay.playerY, dx, dy, stage.ngNumber);
    const bool wantsBlockMove = std::isupper(static_cast<unsigned char>(moves[i])) != 0;
    const bool walks = outcome.kind == StepKind::Walk;
    if (wantsBlockMove ? !outcome.blockMoved() : !walks) {
      replay.valid = false;
      replay.failedAt = i;
      return replay;
    }
    applyStep(replay.board, replay.playerX, replay.playerY, dx, dy, outcome);
    replay.playerX += dx;
    replay.playerY += dy;
    if (outcome.blockMoved()) ++replay.blockMoves;
    if (outcome.kind == StepKind::Merge) replay.result = outcome.result;
  }
  return replay;
}

}  // namespace quorel::solver
