// The mouse on the grid, the palette, the tile picture's cells and the labels.
#include <gtest/gtest.h>

#include "tests/editor/core/editor_fixture.h"

namespace quorel::editor::test {
namespace {

TEST(Palette, FloorWallThenTheBlocksOfValue1To25) {
  const int expected[kPaletteSize] = {0,  1,  11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
                                      23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35};
  for (int p = 0; p < kPaletteSize; ++p) EXPECT_EQ(paletteTileCode(p), expected[p]) << p;
}

TEST(TilePicture, CellOfEachTileCode) {
  const struct {
    int code;
    std::optional<Point> cell;
  } cases[] = {
      {0, Point{0, 32}},  {1, Point{32, 32}},   {2, Point{64, 32}},    {9, Point{288, 32}}, {11, Point{0, 0}},
      {25, Point{448, 0}}, {35, Point{768, 0}}, {10, std::nullopt},    {36, std::nullopt},  {-1, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(tilePictureCell(c.code), c.cell) << c.code;
}

TEST(Grid, EachPixelBelongsToOneCell) {
  const struct {
    Point pixel;
    std::optional<Point> cell;
  } cases[] = {
      {{0, 0}, Point{0, 0}},     {{31, 31}, Point{0, 0}},     {{32, 0}, Point{1, 0}},    {{639, 447}, Point{19, 13}},
      {{640, 10}, std::nullopt}, {{10, 448}, std::nullopt},   {{-1, 10}, std::nullopt},  {{10, -1}, std::nullopt},
      {{-31, 5}, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(cellAt(c.pixel), c.cell) << c.pixel.x << "," << c.pixel.y;
}

TEST_F(EditorTest, ALeftClickPlacesThePaletteTileAndARightOrMiddleClickFloor) {
  editor.choosePalette(2);
  click(5, 6);
  EXPECT_EQ(tile(5, 6), kFirstBlockCode);
  editor.choosePalette(1);
  click(5, 6);
  EXPECT_EQ(tile(5, 6), kWall);
  click(5, 6, MouseButton::Right);
  EXPECT_EQ(tile(5, 6), kFloor);
  click(7, 6, MouseButton::Middle);
  EXPECT_EQ(tile(7, 6), kFloor);
  editor.choosePalette(99);
  EXPECT_EQ(editor.paletteCode(), 35);
}

TEST_F(EditorTest, WithPlayerSettingALeftClickMovesTheStartAndLeavesTheTile) {
  editor.setPlayerSetting(true);
  click(8, 9);
  EXPECT_EQ(editor.stages().startX[1], 8);
  EXPECT_EQ(editor.stages().startY[1], 9);
  EXPECT_EQ(tile(8, 9), kWall);
  click(3, 3, MouseButton::Right);  // the right button still makes floor
  EXPECT_EQ(tile(3, 3), kFloor);
  EXPECT_EQ(editor.stages().startX[1], 8);

  editor.setPlayerSetting(false);
  editor.choosePalette(0);
  click(8, 9);
  EXPECT_EQ(tile(8, 9), kFloor);
  EXPECT_EQ(editor.stages().startX[1], 8);
}

TEST_F(EditorTest, DraggingWorksOnEveryCellThePointerCrossesAndNoOther) {
  editor.choosePalette(0);
  // A fast diagonal move from cell (1, 1) to cell (7, 4), reported as one motion.
  editor.press(MouseButton::Left, {40, 40});
  editor.drag({7 * 32 + 20, 4 * 32 + 20});
  editor.release();
  int floors = 0;
  for (int x = 0; x < kBoardColumns; ++x) {
    for (int y = 0; y < kBoardRows; ++y) floors += tile(x, y) == kFloor ? 1 : 0;
  }
  EXPECT_EQ(tile(1, 1), kFloor);
  EXPECT_EQ(tile(7, 4), kFloor);
  EXPECT_GE(floors, 7);   // at least one cell per column on the way
  EXPECT_LE(floors, 10);  // and nothing off the line
  for (int x = 1; x <= 7; ++x) {
    int inColumn = 0;
    for (int y = 0; y < kBoardRows; ++y) inColumn += tile(x, y) == kFloor ? 1 : 0;
    EXPECT_GE(inColumn, 1) << x;
  }
}

TEST_F(EditorTest, AStrokeLeavingTheGridPaintsAgainWhenItComesBack) {
  editor.press(MouseButton::Right, {10, 10});
  editor.drag({-50, 10});
  editor.drag({-50, 80});
  editor.drag({10, 80});
  editor.release();
  EXPECT_EQ(tile(0, 0), kFloor);
  EXPECT_EQ(tile(0, 1), kWall) << "passed outside the grid";
  EXPECT_EQ(tile(0, 2), kFloor);

  const EditorSet before = editor.stages();
  editor.press(MouseButton::Right, {700, 10});
  editor.release();
  EXPECT_EQ(editor.stages(), before);
}

TEST_F(EditorTest, DraggingWithPlayerSettingLeavesTheStartWhereTheStrokeEnds) {
  editor.setPlayerSetting(true);
  editor.press(MouseButton::Left, {40, 40});
  editor.drag({300, 200});
  editor.release();
  EXPECT_EQ(editor.stages().startX[1], 9);
  EXPECT_EQ(editor.stages().startY[1], 6);
  EXPECT_EQ(editor.stages().board, defaultSet().board);
}

TEST_F(EditorTest, LabelsShowTheStageAndItsNgNumber) {
  open(writeFile("set.qrl", setLines(14)));
  editor.showStage(12);
  EXPECT_EQ(editor.stageLabel(), "STAGE:12");
  EXPECT_EQ(editor.ngLabel(), "NG:13");
  editor.showStage(40);
  EXPECT_EQ(editor.currentStage(), 14);
  editor.showStage(0);
  EXPECT_EQ(editor.currentStage(), 1);
}

}  // namespace
}  // namespace quorel::editor::test
