// The stage check without a display: the warnings given before any search, the report of each
// answer, the replay of a clear through the game's rules, and the search on its own thread.
#include <gtest/gtest.h>

#include <future>
#include <initializer_list>
#include <string_view>

#include "editor/core/stage_check.h"
#include "editor/core/texts.h"
#include "tests/editor/core/editor_fixture.h"
#include "tests/rules/board_fixtures.h"

namespace quorel::editor::test {
namespace {

solver::Stage stageOf(std::initializer_list<std::string_view> rows, int startX, int startY, int ngNumber) {
  return {boardOf(rows), startX, startY, ngNumber};
}

class StageCheckTest : public EditorTest {
 protected:
  // Paints the stage shown with the palette, row by row from the top-left, and sets the start.
  void draw(std::initializer_list<std::string_view> rows, int startX, int startY) {
    int y = 0;
    for (std::string_view row : rows) {
      for (int x = 0; x < static_cast<int>(row.size()); ++x) {
        const int code = tileCodeOf(row[static_cast<std::size_t>(x)]).value();
        editor.choosePalette(code == kFloor ? 0 : code == kWall ? 1 : code - kFirstBlockCode + 2);
        click(x, y);
      }
      ++y;
    }
    editor.setPlayerSetting(true);
    click(startX, startY);
    editor.setPlayerSetting(false);
  }
};

TEST(StageCheckWarnings, WhatIsPlainWithoutASearch) {
  struct Case {
    const char* what;
    solver::Stage stage;
    std::vector<std::string_view> lines;
    bool unclearable;
  };
  const Case cases[] = {
      {"a stage with nothing to say", stageOf({"111111", "10BD01", "111111"}, 1, 1, 25), {}, false},
      {"a start on a wall", stageOf({"111111", "10BD01", "111111"}, 0, 1, 25), {texts::kCheckStartNotFloor}, false},
      {"a start on a block", stageOf({"111111", "10BD01", "111111"}, 2, 1, 25), {texts::kCheckStartNotFloor}, false},
      {"a start off the grid", stageOf({"111111", "10BD01", "111111"}, -1, 1, 25), {texts::kCheckStartOffGrid}, false},
      {"one block", stageOf({"11111", "10B01", "11111"}, 1, 1, 25), {texts::kCheckTooFewBlocks}, true},
      {"2 and 3 always leave one block", stageOf({"111111", "10BC01", "111111"}, 1, 1, 25),
       {texts::kCheckValuesUnclearable}, true},
      {"5, 3 and 1 only through the NG number 2", stageOf({"1111111", "10ECA01", "1111111"}, 1, 1, 2),
       {texts::kCheckValuesUnclearable}, true},
      {"both faults at once", stageOf({"111111", "10BC01", "111111"}, 0, 0, 25),
       {texts::kCheckStartNotFloor, texts::kCheckValuesUnclearable}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const CheckWarnings warnings = warningsBeforeSearch(c.stage);
    EXPECT_EQ(warnings.lines, std::vector<std::string>(c.lines.begin(), c.lines.end()));
    EXPECT_EQ(warnings.unclearable, c.unclearable);
  }
}

TEST(StageCheckReport, EachAnswerInWords) {
  solver::Result solved;
  solved.answer = solver::Answer::Solved;
  solved.moves.resize(17);
  EXPECT_EQ(reportOf(solved).text, "最短 17 手（ブロックを動かす回数）でクリアできます。");
  EXPECT_TRUE(reportOf(solved).replayable);

  solver::Result none;
  none.answer = solver::Answer::NoSolution;
  EXPECT_EQ(reportOf(none).text, texts::kCheckNoSolution);
  EXPECT_FALSE(reportOf(none).replayable);

  solver::Result cancelled;
  cancelled.stop = solver::StopReason::Cancelled;
  cancelled.counts.lowerBound = 23;
  EXPECT_EQ(reportOf(cancelled).text, "探索を中止しました。\nクリアできるかどうかは分かりませんでした。\n最短でも 23 手かかります。");
  EXPECT_FALSE(reportOf(cancelled).replayable);

  // A clear found on the way is offered, though it may not be the fewest.
  solver::Result someClear = cancelled;
  someClear.stop = solver::StopReason::TimeLimit;
  someClear.moves.resize(29);
  EXPECT_EQ(reportOf(someClear).text,
            "探索が時間の上限に達しました。\nクリアできるかどうかは分かりませんでした。\n最短でも 23 手かかります。\n"
            "29 手のクリア手順が見つかっています（最短とは限りません）。");
  EXPECT_TRUE(reportOf(someClear).replayable);

  solver::Progress progress;
  progress.statesExpanded = 1234567;
  progress.lowerBound = 9;
  progress.elapsed = std::chrono::milliseconds(12900);
  EXPECT_EQ(progressText(progress), "最短手数を探しています…\n\n調べた局面: 1,234,567\n最短でも 9 手\n経過: 12 秒");
}

TEST_F(StageCheckTest, ASolvableStageIsSearchedReportedAndReplayed) {
  // The D stands in a corner; the B goes down and right, or right and down, into it.
  draw({"1111111", "1000001", "100B001", "1000001", "10000D1", "1111111"}, 1, 1);
  dialogs.answers.push_back(Answer::Replay);
  editor.run(Command::CheckStage);

  ASSERT_EQ(dialogs.searched.size(), 1u);
  EXPECT_EQ(dialogs.searched[0].startX, 1);
  EXPECT_EQ(dialogs.searched[0].ngNumber, ngOf(editor.currentStage()));
  const solver::Result expected = solver::solve(dialogs.searched[0]);
  ASSERT_EQ(expected.answer, solver::Answer::Solved);
  const std::string report = "最短 " + std::to_string(expected.moves.size()) + " 手（ブロックを動かす回数）でクリアできます。";
  EXPECT_EQ(dialogs.log, (std::vector<std::string>{"search", "message: " + report}));
  EXPECT_EQ(dialogs.lastMessage().caption, "ステージを検証");
  EXPECT_EQ(dialogs.lastMessage().buttons, Buttons::OkReplay);

  const std::vector<ReplayFrame> frames = editor.takeReplay();
  ASSERT_EQ(frames.size(), expected.lurd.size() + 1);
  EXPECT_EQ(frames.front().board, dialogs.searched[0].board);
  EXPECT_EQ(frames.front().playerX, 1);
  EXPECT_EQ(frames.back().blockMoves, static_cast<int>(expected.moves.size()));
  for (const auto& column : frames.back().board) {
    for (const int code : column) EXPECT_FALSE(isBlock(code));
  }
  EXPECT_TRUE(editor.takeReplay().empty()) << "taken once";
}

TEST_F(StageCheckTest, OkLeavesNoReplayAndADeadEndIsNotSearched) {
  draw({"111111", "10BD01", "111111"}, 1, 1);
  editor.run(Command::CheckStage);
  EXPECT_TRUE(editor.takeReplay().empty());

  dialogs.log.clear();
  draw({"111111", "10BC01", "111111"}, 0, 0);
  editor.run(Command::CheckStage);
  EXPECT_EQ(dialogs.log, (std::vector<std::string>{"message: " + std::string(texts::kCheckStartNotFloor) + "\n\n" +
                                                   std::string(texts::kCheckValuesUnclearable)}));
  EXPECT_EQ(dialogs.lastMessage().icon, Icon::Warning);
}

TEST_F(StageCheckTest, AStartOffTheFloorIsWarnedOfAndStillSearched) {
  draw({"111111", "10BD01", "111111"}, 0, 1);
  editor.run(Command::CheckStage);
  ASSERT_EQ(dialogs.log.size(), 3u);
  EXPECT_EQ(dialogs.log[0], "message: " + std::string(texts::kCheckStartNotFloor));
  EXPECT_EQ(dialogs.log[1], "search");
}

TEST(ReplayFrames, StopAtTheClearAndAtALetterTheRulesDoNotFollow) {
  const solver::Stage stage = stageOf({"111111", "10BD01", "111111"}, 1, 1, 25);
  const std::vector<ReplayFrame> frames = replayFrames(stage, "RRR");
  ASSERT_EQ(frames.size(), 2u) << "nothing after the clear";
  EXPECT_TRUE(frames[1].blockMoved);
  EXPECT_EQ(frames[1].playerX, 2);
  EXPECT_EQ(replayFrames(stage, "x").size(), 1u);
}

TEST(BackgroundSolve, AnswersOnItsOwnThreadAndStopsWhenCancelled) {
  std::promise<solver::Result> answer;
  std::promise<std::thread::id> answeredOn;
  {
    BackgroundSolve search(stageOf({"111111", "10BD01", "111111"}, 1, 1, 25), checkLimits(), {},
                           [&](const solver::Result& result) {
                             answeredOn.set_value(std::this_thread::get_id());
                             answer.set_value(result);
                           });
    EXPECT_EQ(answer.get_future().get().answer, solver::Answer::Solved);
  }
  EXPECT_NE(answeredOn.get_future().get(), std::this_thread::get_id());

  // A wide room of many blocks that no search settles soon; cancelling ends it with "unknown".
  const solver::Stage wide = stageOf({"11111111111111111111", "10000000000000000001", "10BCDEFGHIJKLMNOPQ01",
                                      "10000000000000000001", "10QPONMLKJIHGFEDCB01", "10000000000000000001",
                                      "11111111111111111111"},
                                     1, 1, 25);
  std::promise<solver::Result> stopped;
  BackgroundSolve search(wide, checkLimits(), {}, [&](const solver::Result& result) { stopped.set_value(result); });
  search.cancel();
  const solver::Result result = stopped.get_future().get();
  EXPECT_EQ(result.answer, solver::Answer::Unknown);
  EXPECT_EQ(result.stop, solver::StopReason::Cancelled);
}

}  // namespace
}  // namespace quorel::editor::test
