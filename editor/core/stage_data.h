#pragma once
// The stage set as the editor holds it (30 stages in slots 1 to 30), and how its cells meet the
// grid on screen, the tile palette and the tile picture.
#include <optional>

#include "common/stage_set.h"

namespace quorel::editor {

using EditorSet = EditorStageSlots;

inline constexpr int kCellSize = 32;
inline constexpr int kGridWidth = kBoardColumns * kCellSize;  // 640
inline constexpr int kGridHeight = kBoardRows * kCellSize;    // 448
inline constexpr int kMaxStages = EditorSet::kMaxStages;      // 30
inline constexpr int kDefaultStageLimit = 16;
inline constexpr int kLowestNgNumber = 1;
inline constexpr int kHighestNgNumber = 25;

// Every slot with the player at (1, 1), NG number 1 and walls only; 15 stages; no designer.
EditorSet defaultSet();
// The same content for one slot.
void clearSlot(EditorSet& set, int stage);
void swapSlots(EditorSet& set, int first, int second);

// The tile palette: floor, wall, then the blocks of value 1 to 25.
inline constexpr int kPaletteSize = 27;
int paletteTileCode(int position);

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// The grid cell under a pixel of the grid; nothing outside the 20 x 14 cells.
std::optional<Point> cellAt(Point pixel);

// The top-left corner of a Tile code's picture in the editor's tile picture (800 x 64 used):
// blocks on row 0, floor, wall and the unused codes 2 to 9 on row 1. Nothing for a code the
// picture has no cell for (10, 36 and beyond, negative).
std::optional<Point> tilePictureCell(int code);
inline constexpr Point kTilePictureSize{800, 64};
// The player start marker in the face picture.
inline constexpr Point kPlayerMarkerCell{0, 64};

// True when writing either set gives the same file: the stage limit, the designer and the
// stages the limit names. Stages hidden beyond the limit do not count.
bool sameFileContent(const EditorSet& a, const EditorSet& b);

}  // namespace quorel::editor
