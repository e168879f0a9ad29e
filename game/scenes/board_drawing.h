#pragma once
// Drawing the Board, the player and the status line, shared by the four in-game scenes.
#include "game/presentation/surface.h"
#include "game/rules/play_state.h"

namespace quorel {

class TForm1;

inline constexpr int kBoardTop = 32;  // the status line is above the Board

// The cell of a Tile code in the `map` picture. Codes without a picture (36) give a rectangle
// outside the picture, which the blit refuses.
Rect mapCellOf(int code);
// The NG icon: the picture of the block whose value is the NG number.
Rect ngIconOf(int ngNumber);
// The player picture's frame at column `column`, row `row` of `face`.
Rect faceFrame(int column, int row);

// Draws one cell of the working Board of the current stage onto the back buffer.
void drawCell(TForm1& form, int x, int y);
enum BoardPart : int {
  kWholeBoard = 0,
  kPlayChanges = 1,  // row 0, and the rows and columns through the player's cell and the last one
};
void drawBoard(TForm1& form, BoardPart part);
// The status line: stage, block moves and record by turns, NG number and its icon.
void drawStatusLine(TForm1& form);

// The MINIMUM record of a stage of the set being played.
int stageRecord(const TForm1& form, int stage);
int currentNgNumber(const TForm1& form);

// The whole working Board of the current stage, onto the work surface.
void drawBoardOnto(TForm1& form, Surface& target);

}  // namespace quorel
