#pragma once
// A StageEditor with scripted boxes, a recording launcher and its own temporary folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/core/stage_editor.h"
#include "tests/editor/fakes.h"

namespace quorel::editor::test {

using quorel::test::fileBytes;
using quorel::test::joined;
using quorel::test::setLines;

inline constexpr const char* kGameProgram = "/opt/quorel/quorel";

class EditorTest : public ::testing::Test {
 protected:
  TemporaryFolder temp;
  ScriptedDialogs dialogs;
  RecordingLauncher launcher;
  StageEditor editor{dialogs, launcher, kGameProgram};

  std::string writeFile(const std::string& name, const std::vector<std::string>& lines) {
    return temp.folder.write(name, joined(lines, "\r\n"));
  }
  std::string path(const std::string& name) const { return temp.folder.file(name); }

  void open(const std::string& file) {
    dialogs.openNames.push_back(file);
    editor.openFile();
  }
  void saveAs(const std::string& file) {
    dialogs.saveNames.push_back(file);
    ASSERT_TRUE(editor.saveAs());
  }
  // One click in the middle of a cell.
  void click(int x, int y, MouseButton button = MouseButton::Left) {
    editor.press(button, {x * kCellSize + 16, y * kCellSize + 16});
    editor.release();
  }
  int tile(int x, int y) const { return tileOf(editor.currentStage(), x, y); }
  int tileOf(int stage, int x, int y) const {
    return editor.stages().board[static_cast<std::size_t>(stage)][static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
  }
  int ngOf(int stage) const { return editor.stages().ngNumber[static_cast<std::size_t>(stage)]; }
};

}  // namespace quorel::editor::test
