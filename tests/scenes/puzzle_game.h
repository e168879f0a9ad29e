#pragma once
// PuzzleGame: the game on the test back end, started into a stage as the Title menu or the
// User stage select would start it, with helpers to walk the player and read the frames.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/platform/virtual_keys.h"
#include "game/presentation/text.h"
#include "game/scenes/board_drawing.h"
#include "game/shell/settings.h"
#include "tests/scenes/screen_checks.h"
#include "tests/support/game_harness.h"

namespace quorel::testing {

inline constexpr int kKeyLeft = vk::kLeft;
inline constexpr int kKeyUp = vk::kUp;
inline constexpr int kKeyRight = vk::kRight;
inline constexpr int kKeyDown = vk::kDown;
inline constexpr int kKeySpace = vk::kSpace;   // button 1
inline constexpr int kKeyEnter = vk::kReturn;  // button 2
inline constexpr int kKeyEscape = vk::kEscape;

inline constexpr std::uint32_t kYellowPixel = pixelOfColour(kColourYellow);

// A stage set in the file format: a room of floor enclosed by walls, with `row1` written over
// row 1 from column 0; the player starts at (startX, 1).
struct StageLines {
  std::string row1;
  int startX = 1;
  int ng = 25;
};

inline std::vector<std::string> stageSetLines(const std::vector<StageLines>& stages) {
  std::vector<std::string> lines{std::to_string(stages.size() + 1), "TESTER"};
  for (const StageLines& s : stages) {
    std::string grid;
    for (int y = 0; y < kBoardRows; ++y) {
      std::string row(kBoardColumns, '1');
      if (y >= 1 && y <= 5) row = "1" + std::string(kBoardColumns - 2, '0') + "1";
      if (y == 1) row.replace(0, s.row1.size(), s.row1);
      grid += row;
    }
    lines.insert(lines.end(), {std::to_string(s.startX), "1", std::to_string(s.ng), grid});
  }
  return lines;
}

class PuzzleGame {
 public:
  explicit PuzzleGame(bool drawLevel = true) {
    EXPECT_TRUE(game.start());
    form().settings.drawLevel = drawLevel;
    form().sceneNumber = 4;  // a Scene number without a handler until a stage starts
  }

  TForm1& form() { return game.form(); }
  PlayState& state() { return form().playState; }
  const Board& board() { return form().stageSet.playBoard[form().currentStage]; }

  void startBuiltIn(int stage) {
    form().userStage = false;
    ASSERT_TRUE(form().loadStageSet(""));
    enterStage(stage);
  }

  // A user set as the User stage select starts it: its record file is read first.
  void startUserSet(const std::string& fileName, const std::vector<std::string>& lines, int stage) {
    game.writeFile(fileName, lines);
    form().userStage = true;
    form().userStageFileName = fileName;
    ASSERT_TRUE(form().loadStageSet(game.folder() + fileName));
    readUserRecords(recordPath(), form().stageSet.stageLimit, form().userRecords);
    enterStage(stage);
  }
  std::string recordPath() { return userRecordsPath(form().folder, form().userStageFileName); }

  void enterStage(int stage) {
    form().currentStage = stage;
    form().sceneNumber = kSceneIntro;
  }

  int pass() { return game.runPasses(1); }
  void passes(int count) { game.runPasses(count); }

  // Runs the Stage intro to the Play scene without touching a key.
  void runIntro() { ASSERT_TRUE(game.runUntilScene(kScenePlay, 400)); }

  // Holds `keys` for one input frame of the Play scene, then runs the step out.
  void step(std::initializer_list<int> keys, int times = 1) {
    for (int i = 0; i < times; ++i) {
      ASSERT_EQ(form().sceneNumber, kScenePlay);
      ASSERT_EQ(state().stepFramesLeft, 0);
      for (int key : keys) game.hold(key);
      pass();
      for (int key : keys) game.release(key);
      while (form().sceneNumber == kScenePlay && state().stepFramesLeft > 0) pass();
    }
  }
  void step(int key, int times = 1) { step({key}, times); }

  // Holds a key for one pass.
  void press(int key) {
    game.hold(key);
    pass();
    game.release(key);
  }

  std::vector<std::string> effectNames() const {
    std::vector<std::string> names;
    for (const EffectRequest& e : game.effects) names.push_back(e.name);
    return names;
  }

  bool pictureShownAt(const Surface* picture, const Rect& source, int x, int y, int visibleBottom = 480) const {
    return testing::pictureShownAt(game, picture, source, x, y, visibleBottom);
  }

  bool textShownAt(int x, int y, std::string_view text, int visibleBottom = 480) {
    return testing::textShownAt(game, x, y, text, visibleBottom);
  }

  bool cellShown(int x, int y, char tile) {
    return pictureShownAt(form().pictures.map.get(), mapCellOf(tileCodeOf(tile).value()), 32 * x, 32 * y + 32);
  }

  bool allBlack(const Rect& area) const {
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (game.pixel(x, y) != 0) return false;
    return true;
  }

  GameHarness game;
};

}  // namespace quorel::testing
