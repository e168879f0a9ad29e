#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "game/scenes/user_select.h"
#include "tests/scenes/puzzle_game.h"

namespace quorel::testing {
namespace {

const Rect kHighlightBarLeftOfItsText{0, 0, 28, 18};
const std::vector<std::string> kThreeStages = stageSetLines({{"10CC"}, {"10DD"}, {"10EE"}});

// The game with stage files in its folder, listed at start-up, and the User stage select
// about to run its first pass.
class UserSelectGame {
 public:
  explicit UserSelectGame(const std::vector<std::string>& stageFiles, bool drawLevel = true) {
    for (const std::string& name : stageFiles) game.writeFile(name, kThreeStages);
    EXPECT_TRUE(game.start());
    form().settings.drawLevel = drawLevel;
    auto owned = std::make_unique<UserSelect>();
    scene = owned.get();
    form().registerScene(kSceneUserSelect, std::move(owned));
    form().sceneNumber = kSceneUserSelect;
  }

  TForm1& form() { return game.form(); }
  void pass() { game.runPasses(1); }
  void press(int key, int passes = 1) {
    game.hold(key);
    game.runPasses(passes);
    game.release(key);
  }
  // Runs the set-up and a pass without keys, so the latch of the entry is let go.
  void enter() { pass(); }
  std::string recordPath(const std::string& stageFile) { return userRecordsPath(form().folder, stageFile); }
  bool curShownAt(const Rect& source, int x, int y) {
    return pictureShownAt(game, form().pictures.cur.get(), source, x, y);
  }

  // The list row the ">" pointer is drawn on, -1 when it is on none.
  int pointerRow() {
    for (int row = 0; row < 27; ++row)
      for (int x = 0; x <= 5; ++x)
        if (textShownAt(game, x, 30 + 16 * row, ">")) return row;
    return -1;
  }

  GameHarness game;
  UserSelect* scene = nullptr;
};

TEST(UserSelect, TheListShowsEachFileByItsLabelOverTheRedMosaic) {
  UserSelectGame g({"short.qrl", "a-very-long-name-for-a-stage-file.qrl", "caf\xC3\xA9-\xFF.qrl"});
  g.enter();
  EXPECT_TRUE(textShownAt(g.game, 20, 0, "PLEASE SELECT USERS DATA"));
  // Name order; the extension never shown; a long name cut to 25 characters; each character
  // the font cannot show (a UTF-8 one, a stray byte) a "?".
  EXPECT_TRUE(textShownAt(g.game, 20, 30, "a-very-long-name-for-a-st"));
  EXPECT_FALSE(textShownAt(g.game, 20 + 16 * 25, 30, "a"));
  EXPECT_TRUE(textShownAt(g.game, 20, 46, "caf?-?"));
  EXPECT_TRUE(textShownAt(g.game, 20, 62, "short"));
  EXPECT_FALSE(textShownAt(g.game, 20 + 16 * 5, 62, ".qrl"));
  EXPECT_EQ(g.form().stageFileLabels[2], "short                    ");
  EXPECT_TRUE(textShownAt(g.game, 210, 464, "STAGE SELECT:01"));
  EXPECT_EQ(g.pointerRow(), 0);

  // Dark red squares, a fresh mosaic every pass: the squares right of the list, above the
  // stage line.
  const auto squares = [&g] {
    std::vector<std::uint32_t> colours;
    for (int x = 480; x < 640; x += 32)
      for (int y = 0; y < 448; y += 32) colours.push_back(g.game.pixel(x, y));
    return colours;
  };
  const std::vector<std::uint32_t> first = squares();
  for (const std::uint32_t pixel : first) {
    const std::uint32_t red = pixel >> 16, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
    EXPECT_TRUE(red >= 64 && red < 96 && green == 0 && blue < 64) << std::hex << pixel;
  }
  g.pass();
  EXPECT_NE(squares(), first);

  // The Stage file chosen starts even though its name cannot be shown.
  g.press(kKeyDown, 2);
  ASSERT_EQ(g.pointerRow(), 1);
  g.game.releaseAll();
  g.pass();
  g.press(kKeySpace);
  EXPECT_EQ(g.form().sceneNumber, kSceneIntro);
  EXPECT_EQ(g.form().userStageFileName, "caf\xC3\xA9-\xFF.qrl");
}

TEST(UserSelect, WithDrawLevelOffTheBackgroundStaysBlack) {
  UserSelectGame g({"one.qrl"}, false);
  g.enter();
  EXPECT_EQ(g.game.pixel(600, 200), 0u);
  EXPECT_TRUE(textShownAt(g.game, 20, 30, "one"));
}

TEST(UserSelect, AnEmptyFolderShowsNoDataAndOnlyButton1LeadsBack) {
  UserSelectGame g({});
  g.enter();
  EXPECT_TRUE(textShownAt(g.game, 220, 220, "NO DATA!!"));
  EXPECT_FALSE(textShownAt(g.game, 20, 0, "PLEASE SELECT USERS DATA"));
  EXPECT_FALSE(textShownAt(g.game, 210, 464, "STAGE SELECT:01"));
  g.game.tap(kKeyEscape);
  g.press(kKeyEnter);
  g.press(kKeyRight);
  EXPECT_EQ(g.form().sceneNumber, kSceneUserSelect);
  EXPECT_TRUE(g.game.effects.empty());
  g.press(kKeySpace);
  EXPECT_EQ(g.form().sceneNumber, kSceneTitle);
  EXPECT_TRUE(g.scene->confirmLatch);
}

TEST(UserSelect, UpAndDownMoveTheCursorEveryThirdPassAndWrap) {
  UserSelectGame g({"a.qrl", "b.qrl", "c.qrl"});
  g.enter();
  std::vector<int> rows;
  g.game.hold(kKeyDown);
  for (int i = 0; i < 8; ++i) {
    g.pass();
    rows.push_back(g.pointerRow());
  }
  EXPECT_EQ(rows, (std::vector<int>{0, 1, 1, 1, 2, 2, 2, 0}));
  // The divider stands at 0 after a move down: Up moves back at once, and wraps to the last.
  g.game.releaseAll();
  g.press(kKeyUp);
  EXPECT_EQ(g.pointerRow(), 2);
  // Up and Down together cancel out.
  g.game.hold(kKeyUp);
  g.game.hold(kKeyDown);
  g.game.runPasses(6);
  g.game.releaseAll();
  EXPECT_EQ(g.pointerRow(), 2);
  int moves = 0;
  for (const EffectRequest& effect : g.game.effects) {
    EXPECT_EQ(effect.name, "tcmove");
    EXPECT_EQ(effect.pan, 0);
    ++moves;
  }
  EXPECT_EQ(moves, 4);
  // The ">" runs 0, 1, ... 5, 0 pixels from the left edge, one step a pass.
  for (int pass = 0; pass < 7; ++pass) {
    const int phase = g.scene->pointerPhase;
    g.pass();
    EXPECT_EQ(g.scene->pointerPhase, (phase + 1) % 6);
    EXPECT_TRUE(textShownAt(g.game, g.scene->pointerPhase, 30 + 16 * 2, ">"));
  }
}

TEST(UserSelect, TheStageRunsFrom0To30WithRankingInitAt0) {
  UserSelectGame g({"a.qrl"});
  g.enter();
  g.press(kKeyLeft, 3);
  EXPECT_EQ(g.scene->userStage, 0);
  g.pass();
  EXPECT_TRUE(g.curShownAt(kHighlightBarLeftOfItsText, 206, 462));
  EXPECT_TRUE(textShownAt(g.game, 234, 464, "RANKING INIT"));
  EXPECT_FALSE(textShownAt(g.game, 210, 464, "STAGE SELECT:"));
  ASSERT_EQ(g.game.effects.size(), 1u);
  EXPECT_EQ(g.game.effects[0].name, "sdw");
  EXPECT_EQ(g.game.effects[0].pan, -9000);

  g.game.effects.clear();
  g.press(kKeyRight, 35);
  EXPECT_EQ(g.scene->userStage, 30);
  ASSERT_EQ(g.game.effects.size(), 30u);
  for (int stage = 1; stage <= 30; ++stage) {
    const EffectRequest& effect = g.game.effects[static_cast<std::size_t>(stage - 1)];
    EXPECT_EQ(effect.name, "sup");
    EXPECT_EQ(effect.pan, 900 * stage - 9000);
  }
  // From stage 22 on the pan passes full right; the sound layer then plays the effect centred.
  g.pass();
  EXPECT_TRUE(textShownAt(g.game, 210, 464, "STAGE SELECT:30"));
}

// A record file for a set of three stages, its SUM right unless told.
void writeRecords(UserSelectGame& g, const std::string& stageFile, int userContinue, bool damaged = false) {
  UserRecords records;
  records.userMinRecord[1] = 4;
  records.userMinRecord[2] = 6;
  records.userContinue = userContinue;
  ASSERT_TRUE(writeUserRecords(g.recordPath(stageFile), 4, records));
  if (damaged) {
    std::ifstream in(g.recordPath(stageFile), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t sum = text.find("SUM=");
    ASSERT_NE(sum, std::string::npos);
    text.insert(sum + 4, "1");
    std::ofstream(g.recordPath(stageFile), std::ios::binary) << text;
  }
}

TEST(UserSelect, AStartIsLimitedByTheSetsContinueValue) {
  struct Case {
    const char* name;
    int userStage;
    int userContinue;  // 0: no record file
    bool damaged;
    int startsAt;
  };
  const Case cases[] = {
      {"record file, continue 3", 5, 3, false, 3},
      {"record file, continue 3, stage 2 chosen", 2, 3, false, 2},
      {"no record file", 5, 0, false, 1},
      {"damaged SUM", 5, 3, true, 1},
      // A hand-made file with a right SUM: the start stays on the set's last stage.
      {"continue beyond the set", 30, 99, false, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UserSelectGame g({"set.qrl"});
    g.form().settings.bgm = false;
    if (c.userContinue > 0) writeRecords(g, "set.qrl", c.userContinue, c.damaged);
    g.enter();
    g.scene->userStage = c.userStage;
    g.game.music.clear();
    const int presentsBefore = g.game.presents();
    g.press(kKeySpace);
    EXPECT_EQ(g.form().sceneNumber, kSceneIntro);
    EXPECT_EQ(g.form().currentStage, c.startsAt);
    EXPECT_TRUE(g.form().userStage);
    EXPECT_EQ(g.form().stageSet.stageLimit, 4);
    EXPECT_EQ(g.form().userStageFileName, "set.qrl");
    const UserRecords& records = g.form().userRecords;
    const bool kept = c.userContinue > 0 && !c.damaged;
    EXPECT_EQ(records.userMinRecord[1], kept ? 4 : 999);
    EXPECT_EQ(records.userMinRecord[2], kept ? 6 : 999);
    EXPECT_EQ(records.userContinue, kept ? c.userContinue : 1);
    EXPECT_EQ(g.scene->userStage, 1);
    // White, then black, then the play music, BGM off as it is.
    EXPECT_EQ(g.game.presents() - presentsBefore, 56 + 56 + 1);
    EXPECT_EQ(g.game.pixel(320, 240), 0u);
    ASSERT_EQ(g.game.music.size(), 2u);
    EXPECT_EQ(g.game.music[0].file, "stop");
    EXPECT_EQ(g.game.music[1].file, "bgm/bgm01.mid");
    // A damaged file is left as it was until a clear writes it again.
    if (c.damaged) {
      EXPECT_TRUE(std::filesystem::exists(g.recordPath("set.qrl")));
    }
    EXPECT_TRUE(g.game.runUntilScene(kScenePlay, 400));
    EXPECT_EQ(g.form().currentStage, c.startsAt);
  }
}

TEST(UserSelect, RankingInitDeletesTheRecordFileOnEveryPassWhileHeld) {
  UserSelectGame g({"a.qrl", "b.qrl"});
  writeRecords(g, "a.qrl", 3);
  writeRecords(g, "b.qrl", 3);
  g.enter();
  g.press(kKeyDown, 2);
  g.press(kKeyLeft);
  g.game.effects.clear();
  g.game.hold(kKeySpace);
  g.game.runPasses(3);
  EXPECT_TRUE(std::filesystem::exists(g.recordPath("a.qrl")));
  EXPECT_FALSE(std::filesystem::exists(g.recordPath("b.qrl")));
  ASSERT_EQ(g.game.effects.size(), 3u);
  for (const EffectRequest& effect : g.game.effects) EXPECT_EQ(effect.name, "del");
  EXPECT_EQ(g.form().sceneNumber, kSceneUserSelect);
  g.game.release(kKeySpace);
  // The set starts afresh, and a file without records is no fault.
  g.press(kKeyRight);
  g.pass();
  g.press(kKeySpace);
  EXPECT_EQ(g.form().sceneNumber, kSceneIntro);
  EXPECT_EQ(g.form().userRecords.userContinue, 1);
  EXPECT_TRUE(g.game.platform.dialogsImpl.shown.empty());
}

TEST(UserSelect, AFileThatCannotBeLoadedIsReportedAndNothingChanges) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;  // empty: the file is gone since start-up
    std::string report;
  };
  std::vector<std::string> badGrid = kThreeStages;
  badGrid[5][3] = '#';
  std::vector<std::string> shortFile = kThreeStages;
  shortFile.resize(9);
  const Case cases[] = {
      {"gone", {}, "bad.qrl: "},
      {"a grid character", badGrid, "bad.qrl:6: the grid line of stage 1 has \"#\" at column 3, row 0"},
      {"cut short", shortFile, "bad.qrl:10: the file ends before the grid line of stage 2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UserSelectGame g({"bad.qrl"});
    if (c.lines.empty()) {
      std::filesystem::remove(g.game.folder() + "bad.qrl");
    } else {
      g.game.writeFile("bad.qrl", c.lines);
    }
    g.form().userStage = false;
    ASSERT_TRUE(g.form().loadStageSet(""));
    const GameStageSet before = g.form().stageSet;
    g.enter();
    const int presentsBefore = g.game.presents();
    g.press(kKeySpace, 3);
    const auto& shown = g.game.platform.dialogsImpl.shown;
    ASSERT_EQ(shown.size(), 1u) << "once for a held button";
    EXPECT_NE(shown[0].text.find(c.report), std::string::npos) << shown[0].text;
    EXPECT_EQ(shown[0].caption, "quorel");
    EXPECT_EQ(g.form().sceneNumber, kSceneUserSelect);
    EXPECT_EQ(g.game.presents() - presentsBefore, 3) << "no transition";
    EXPECT_TRUE(g.form().stageSet == before);
    EXPECT_FALSE(g.form().userStage);
    EXPECT_TRUE(textShownAt(g.game, 20, 30, "bad"));
  }
}

TEST(UserSelect, EscapeLeavesOnlyOnceReleasedSoTheTitleDoesNotSeeIt) {
  UserSelectGame g({"a.qrl"});
  g.enter();
  // Escape held for a few milliseconds of the wait; its key-down message is handled meanwhile,
  // while the scene is still this one, and so does not close the game from the Title menu.
  const std::uint32_t releasedAt = g.game.platform.clockImpl.now + 5;
  g.game.platform.inputImpl.holdUntil(kKeyEscape, releasedAt);
  g.game.keyDown(kKeyEscape);
  const int presentsBefore = g.game.presents();
  g.pass();
  EXPECT_GE(g.game.platform.displayImpl.presentTimes.at(static_cast<std::size_t>(presentsBefore)), releasedAt);
  EXPECT_EQ(g.form().sceneNumber, kSceneTitle);
  EXPECT_FALSE(g.form().closing());
  EXPECT_TRUE(g.scene->confirmLatch);
  EXPECT_EQ(g.game.pixel(320, 240), pixelOfColour(kColourWhite));
}

TEST(UserSelect, OnEntryNoButtonActsUntilBothHaveBeenReleased) {
  for (const int key : {kKeyEnter, kKeySpace}) {
    SCOPED_TRACE(key);
    UserSelectGame g({"a.qrl"});
    g.game.hold(key);
    g.game.runPasses(3);
    g.game.tap(kKeyEscape);
    g.pass();
    EXPECT_EQ(g.form().sceneNumber, kSceneUserSelect);
    g.game.releaseAll();
    g.pass();
    g.press(kKeyEnter);
    EXPECT_EQ(g.form().sceneNumber, kSceneTitle);
    // The way back and the latch: a second visit starts with the latch set again.
    g.form().sceneNumber = kSceneUserSelect;
    g.game.hold(kKeyEnter);
    g.game.runPasses(2);
    EXPECT_EQ(g.form().sceneNumber, kSceneUserSelect);
    EXPECT_EQ(g.scene->userStage, 1);
  }
}

}  // namespace
}  // namespace quorel::testing
