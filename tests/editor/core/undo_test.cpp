// Undo and redo of every change to the set.
#include <gtest/gtest.h>

#include <functional>

#include "tests/editor/core/editor_fixture.h"

namespace quorel::editor::test {
namespace {

TEST_F(EditorTest, EveryKindOfChangeIsUndoneAndRedoneInTurn) {
  const std::vector<std::function<void()>> changes = {
      [&] { open(writeFile("set.qrl", setLines(6, "maker"))); },
      [&] { click(0, 0); },
      [&] {
        editor.setPlayerSetting(true);
        click(7, 8);
        editor.setPlayerSetting(false);
      },
      [&] {
        dialogs.answers = {Answer::Yes};
        editor.resetStage();
      },
      [&] {
        dialogs.typed = {"4"};
        editor.swapStages();
      },
      [&] {
        dialogs.typed = {"17"};
        editor.setNgNumber();
      },
      [&] {
        dialogs.typed = {"3"};
        editor.setStageCount();
      },
      [&] {
        dialogs.typed = {"someone"};
        editor.setDesigner();
      },
      [&] {
        dialogs.answers = {Answer::Yes};
        editor.newSet();
      },
      [&] { open(writeFile("other.qrl", setLines(9))); },
  };
  std::vector<EditorSet> states = {editor.stages()};
  std::vector<std::string> names = {editor.fileName()};
  for (const auto& change : changes) {
    change();
    ASSERT_NE(editor.stages(), states.back()) << "change " << states.size();
    states.push_back(editor.stages());
    names.push_back(editor.fileName());
  }
  for (std::size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_TRUE(editor.canUndo());
    editor.undo();
    EXPECT_EQ(editor.stages(), states[i - 1]) << "undoing change " << i;
    EXPECT_EQ(editor.fileName(), names[i - 1]) << "undoing change " << i;
  }
  EXPECT_FALSE(editor.canUndo());
  for (std::size_t i = 1; i < states.size(); ++i) {
    ASSERT_TRUE(editor.canRedo());
    editor.redo();
    EXPECT_EQ(editor.stages(), states[i]) << "redoing change " << i;
    EXPECT_EQ(editor.fileName(), names[i]) << "redoing change " << i;
  }
  EXPECT_FALSE(editor.canRedo());
}

TEST_F(EditorTest, OneStrokeIsOneStep) {
  editor.choosePalette(0);
  editor.press(MouseButton::Left, {5, 40});
  editor.drag({5 + 4 * kCellSize, 40});
  editor.release();
  for (int x = 0; x <= 4; ++x) EXPECT_EQ(tile(x, 1), kFloor) << x;
  editor.undo();
  EXPECT_EQ(editor.stages(), defaultSet());
  EXPECT_FALSE(editor.canUndo());
  editor.redo();
  for (int x = 0; x <= 4; ++x) EXPECT_EQ(tile(x, 1), kFloor) << x;
}

TEST_F(EditorTest, UndoShowsTheStageTheChangeWasMadeOn) {
  editor.showStage(4);
  click(0, 0, MouseButton::Right);
  editor.showStage(9);
  editor.undo();
  EXPECT_EQ(editor.currentStage(), 4);
  editor.showStage(1);
  editor.redo();
  EXPECT_EQ(editor.currentStage(), 4);
  EXPECT_EQ(tile(0, 0), kFloor);
}

TEST_F(EditorTest, ANewChangeDropsWhatCouldBeRedone) {
  click(0, 0, MouseButton::Right);
  click(1, 0, MouseButton::Right);
  editor.undo();
  EXPECT_TRUE(editor.canRedo());
  click(2, 0, MouseButton::Right);
  EXPECT_FALSE(editor.canRedo());
  editor.undo();
  editor.undo();
  EXPECT_EQ(editor.stages(), defaultSet());
}

TEST_F(EditorTest, WhatChangesNothingIsNoStep) {
  editor.choosePalette(1);
  click(0, 0);  // a wall on a wall
  editor.setPlayerSetting(true);
  click(1, 1);  // the start where it is
  editor.setPlayerSetting(false);
  dialogs.typed = {"1", "1", "15", ""};
  editor.setNgNumber();
  editor.swapStages();
  editor.setStageCount();
  editor.setDesigner();
  editor.setNgNumber();  // cancelled
  dialogs.answers = {Answer::Yes, Answer::Yes};
  editor.resetStage();
  editor.newSet();
  EXPECT_FALSE(editor.canUndo());
}

TEST_F(EditorTest, UndoingANewSetBringsBackTheFileItReplaced) {
  const std::string file = writeFile("set.qrl", setLines(3));
  open(file);
  click(0, 0, MouseButton::Right);
  dialogs.answers = {Answer::Yes};
  editor.newSet();
  editor.undo();
  EXPECT_EQ(editor.fileName(), file);
  EXPECT_EQ(editor.caption(), file + "*");
  editor.undo();
  EXPECT_EQ(editor.caption(), file);
}

TEST_F(EditorTest, AKeyInTheMiddleOfAStrokeEndsTheStrokeFirst) {
  editor.press(MouseButton::Right, {5, 5});
  editor.run(Command::Undo);  // ends the stroke as a step, then undoes it
  EXPECT_EQ(tile(0, 0), kWall);
  editor.drag({200, 5});
  editor.release();
  EXPECT_EQ(editor.stages(), defaultSet());
  EXPECT_TRUE(editor.canRedo());
}

}  // namespace
}  // namespace quorel::editor::test
