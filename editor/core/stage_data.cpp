#include "editor/core/stage_data.h"

#include <algorithm>
#include <utility>

namespace quorel::editor {

namespace {

constexpr std::size_t slot(int stage) { return static_cast<std::size_t>(stage); }

constexpr int floorDiv(int a, int b) { return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0); }

}  // namespace

EditorSet defaultSet() {
  EditorSet set;
  set.stageLimit = kDefaultStageLimit;
  for (int s = 0; s < EditorSet::kSlots; ++s) clearSlot(set, s);
  return set;
}

void clearSlot(EditorSet& set, int stage) {
  const auto s = slot(stage);
  set.startX[s] = 1;
  set.startY[s] = 1;
  set.ngNumber[s] = 1;
  for (auto& column : set.board[s]) column.fill(kWall);
}

void swapSlots(EditorSet& set, int first, int second) {
  std::swap(set.board[slot(first)], set.board[slot(second)]);
  std::swap(set.startX[slot(first)], set.startX[slot(second)]);
  std::swap(set.startY[slot(first)], set.startY[slot(second)]);
  std::swap(set.ngNumber[slot(first)], set.ngNumber[slot(second)]);
}

int paletteTileCode(int position) { return position <= kWall ? position : position + 9; }

std::optional<Point> cellAt(Point pixel) {
  const Point cell{floorDiv(pixel.x, kCellSize), floorDiv(pixel.y, kCellSize)};
  if (cell.x < 0 || cell.x >= kBoardColumns || cell.y < 0 || cell.y >= kBoardRows) return std::nullopt;
  return cell;
}

std::optional<Point> tilePictureCell(int code) {
  Point corner;
  if (code >= 0 && code <= 9) {
    corner = {kCellSize * code, kCellSize};
  } else if (code >= kFirstBlockCode) {
    corner = {kCellSize * (code - kFirstBlockCode), 0};
  } else {
    return std::nullopt;
  }
  if (corner.x + kCellSize > kTilePictureSize.x) return std::nullopt;
  return corner;
}

bool sameFileContent(const EditorSet& a, const EditorSet& b) {
  if (a.stageLimit != b.stageLimit || a.designer != b.designer) return false;
  const int last = std::min(a.stageLimit, EditorSet::kSlots) - 1;
  for (int s = 1; s <= last; ++s) {
    const auto i = slot(s);
    if (a.board[i] != b.board[i] || a.startX[i] != b.startX[i] || a.startY[i] != b.startY[i] ||
        a.ngNumber[i] != b.ngNumber[i]) {
      return false;
    }
  }
  return true;
}

}  // namespace quorel::editor
