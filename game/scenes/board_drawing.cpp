#include "game/scenes/board_drawing.h"

#include "game/presentation/screen.h"
#include "game/presentation/text.h"
#include "game/rules/move_rules.h"
#include "game/shell/form.h"
#include "game/shell/scene_steps.h"

namespace quorel {

namespace {

Rect cellRect(int column, int row) {
  return {kCellSize * column, kCellSize * row, kCellSize * (column + 1), kCellSize * (row + 1)};
}

bool insideBoard(int x, int y) { return x >= 0 && x < kBoardColumns && y >= 0 && y < kBoardRows; }

const Board& workingBoard(const TForm1& form) { return form.stageSet.playBoard[form.currentStage]; }

// The status line's texts by frames since the last block move: the count, then the record
// rising into place and staying, then the count rising into place again.
constexpr int kRecordRises = 270;
constexpr int kRecordStays = 390;
constexpr int kRecordGoes = 660;
constexpr int kStatusCycle = 780;

}  // namespace

Rect mapCellOf(int code) {
  if (code >= 26) return cellRect(code - 21, 1);
  if (code >= 10) return cellRect(code - 11, 0);
  return cellRect(code, 1);
}

Rect ngIconOf(int ngNumber) { return mapCellOf(blockCode(ngNumber)); }

Rect faceFrame(int column, int row) { return cellRect(column, row); }

int stageRecord(const TForm1& form, int stage) { return playedSetRecords(form)[static_cast<std::size_t>(stage)]; }

int currentNgNumber(const TForm1& form) { return form.stageSet.ngNumber[form.currentStage]; }

void drawCell(TForm1& form, int x, int y) {
  // A player who starts outside the grid asks for cells that do not exist.
  if (!insideBoard(x, y)) return;
  form.blit(kCellSize * x, kCellSize * y + kBoardTop, mapCellOf(workingBoard(form)[x][y]), form.pictures.map.get());
}

void drawBoard(TForm1& form, BoardPart part) {
  if (part == kWholeBoard) {
    for (int y = 0; y < kBoardRows; ++y)
      for (int x = 0; x < kBoardColumns; ++x) drawCell(form, x, y);
    return;
  }
  const PlayState& s = form.playState;
  for (int x = 0; x < kBoardColumns; ++x) drawCell(form, x, 0);
  for (int y = 0; y < kBoardRows; ++y) {
    drawCell(form, s.playerX, y);
    drawCell(form, s.prevX, y);
  }
  for (int x = 0; x < kBoardColumns; ++x) {
    drawCell(form, x, s.playerY);
    drawCell(form, x, s.prevY);
  }
}

void drawStatusLine(TForm1& form) {
  int& t = form.playState.statusTimer;
  t += 1;
  form.colourFill({0, 0, 640, kBoardTop}, form.screen->backBuffer(), kColourBlack);
  const int stage = form.currentStage;
  const std::string record = "MINIMUM MOVE:" + formatNumber(stageRecord(form, stage), 3);
  const std::string moves = "BLOCK MOVE:" + formatNumber(form.playState.blockMoves[stage], 3);
  if (t > kRecordRises && t < kRecordStays) form.drawText(160, (kRecordStays - t) / 3 + 8, record);
  if (t >= kRecordStays && t < kRecordGoes) form.drawText(160, 8, record);
  if (t > kRecordGoes && t <= kStatusCycle) {
    form.drawText(170, (kStatusCycle - t) / 3 + 8, moves);
    if (t == kStatusCycle) t = 0;
  }
  form.drawText(10, 8, "STAGE:" + formatNumber(stage, 2));
  if (t < kRecordRises) form.drawText(170, 8, moves);
  form.drawText(426, 8, "NG NUMBER:");
  form.blit(590, 0, ngIconOf(currentNgNumber(form)), form.pictures.map.get());
}

void drawBoardOnto(TForm1& form, Surface& target) {
  const Board& board = workingBoard(form);
  for (int y = 0; y < kBoardRows; ++y)
    for (int x = 0; x < kBoardColumns; ++x)
      keyedBlit(target, kCellSize * x, kCellSize * y + kBoardTop, mapCellOf(board[x][y]), form.pictures.map.get());
}

}  // namespace quorel
