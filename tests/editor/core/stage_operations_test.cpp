// New set, reset, swap, NG number, number of stages, designer name and the version boxes.
#include <gtest/gtest.h>

#include "editor/core/texts.h"
#include "tests/editor/core/editor_fixture.h"

namespace quorel::editor::test {
namespace {

class StageOperationsTest : public EditorTest {
 protected:
  // Five stages told apart by their blocks, start cells and NG numbers (see setLines).
  void SetUp() override {
    open(writeFile("five.qrl", setLines(5, "maker")));
    dialogs.log.clear();
  }
};

TEST_F(StageOperationsTest, NewSetAsksAndOnYesStartsAgainFromWallsKeepingTheDesigner) {
  editor.showStage(5);
  dialogs.answers = {Answer::No};
  editor.newSet();
  EXPECT_EQ(editor.fileName(), path("five.qrl"));
  EXPECT_EQ(dialogs.lastMessage().text, "全ステージを新規作成します");
  EXPECT_EQ(dialogs.lastMessage().buttons, Buttons::YesNo);
  EXPECT_EQ(dialogs.lastMessage().caption, "Quorelステージエディタ");

  dialogs.answers = {Answer::Yes};
  editor.newSet();
  EditorSet expected = defaultSet();
  expected.designer = "maker";
  EXPECT_EQ(editor.stages(), expected);
  EXPECT_EQ(editor.fileName(), "");
  EXPECT_EQ(editor.caption(), "");
  EXPECT_EQ(editor.currentStage(), 5);

  editor.showStage(15);
  editor.setStageCount();  // cancelled: the default re-applies 15
  EXPECT_EQ(editor.lastStage(), 15);
}

TEST_F(StageOperationsTest, ResetStageMakesOnlyTheStageShownWalls) {
  editor.showStage(2);
  dialogs.answers = {Answer::No, Answer::Yes};
  editor.resetStage();
  EXPECT_EQ(tile(3, 2), kFirstBlockCode + 1);
  editor.resetStage();
  EXPECT_EQ(dialogs.lastMessage().text, "このステージのみを新規作成します");
  const EditorSet& set = editor.stages();
  EXPECT_EQ(set.board[2], defaultSet().board[2]);
  EXPECT_EQ(set.startX[2], 1);
  EXPECT_EQ(set.startY[2], 1);
  EXPECT_EQ(set.ngNumber[2], 1);
  EXPECT_EQ(editor.ngLabel(), "NG:1");
  EXPECT_EQ(tileOf(1, 2, 2), kFirstBlockCode);
  EXPECT_EQ(ngOf(3), 4);
}

TEST_F(StageOperationsTest, SwapExchangesTheStageShownWithAnotherInRange) {
  editor.showStage(2);
  const EditorSet before = editor.stages();
  for (const char* ignored : {"", "2", "0", "6", "-1"}) {
    dialogs.typed = {ignored};
    editor.swapStages();
    EXPECT_EQ(editor.stages(), before) << '"' << ignored << '"';
  }
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(dialogs.inputDefaults.back(), "");
  EXPECT_EQ(dialogs.log.back(), "input: 現ステージと入れ替えるところを入力してください");

  dialogs.typed = {"5"};
  editor.swapStages();
  const EditorSet& set = editor.stages();
  EXPECT_EQ(set.board[2], before.board[5]);
  EXPECT_EQ(set.board[5], before.board[2]);
  EXPECT_EQ(set.startX[2], before.startX[5]);
  EXPECT_EQ(set.startX[5], before.startX[2]);
  EXPECT_EQ(set.ngNumber[2], 6);
  EXPECT_EQ(set.ngNumber[5], 3);
  EXPECT_EQ(editor.currentStage(), 2);
  EXPECT_EQ(editor.ngLabel(), "NG:6");
}

TEST_F(StageOperationsTest, NgNumberTakes1To25) {
  editor.showStage(4);  // NG 5
  const struct {
    const char* typed;
    int ng;
  } cases[] = {{"25", 25}, {"26", 25}, {"0", 25}, {"-3", 25}, {"", 25}, {"1", 1}, {" 7 ", 7}, {"+8", 8}};
  for (const auto& c : cases) {
    dialogs.typed = {c.typed};
    editor.setNgNumber();
    EXPECT_EQ(ngOf(4), c.ng) << '"' << c.typed << '"';
  }
  EXPECT_EQ(dialogs.inputDefaults.front(), "5");
  EXPECT_EQ(dialogs.log.front(), "input: ＮＧの数を入力してください");
  EXPECT_TRUE(dialogs.messages.empty());
  editor.setNgNumber();  // cancelled: the default keeps it
  EXPECT_EQ(ngOf(4), 8);
  EXPECT_EQ(editor.ngLabel(), "NG:8");
}

TEST_F(StageOperationsTest, TextThatIsNoIntegerIsReportedAsTheRuntimeDoesAndChangesNothing) {
  const EditorSet before = editor.stages();
  dialogs.typed = {"abc", "1.5", "99999999999", " "};
  editor.setNgNumber();
  editor.swapStages();
  editor.setStageCount();
  editor.setNgNumber();
  EXPECT_EQ(editor.stages(), before);
  ASSERT_EQ(dialogs.messages.size(), 4u);
  EXPECT_EQ(dialogs.messages[0].text, "'abc' is not a valid integer value");
  EXPECT_EQ(dialogs.messages[1].text, "'1.5' is not a valid integer value");
  EXPECT_EQ(dialogs.messages[2].text, "'99999999999' is not a valid integer value");
  EXPECT_EQ(dialogs.messages[3].text, "' ' is not a valid integer value");
  EXPECT_EQ(dialogs.messages[0].caption, "Quorelステージエディタ");
  EXPECT_EQ(dialogs.messages[0].icon, Icon::Error);
}

TEST_F(StageOperationsTest, NumberOfStagesFrom1To30ElseFifteen) {
  const struct {
    const char* typed;
    int stages;
  } cases[] = {{"30", 30}, {"40", 15}, {"1", 1}, {"0", 15}, {"-3", 15}, {"2147483647", 15}, {"31", 15}, {"", 15},
               {"12", 12}};
  for (const auto& c : cases) {
    dialogs.typed = {c.typed};
    editor.setStageCount();
    EXPECT_EQ(editor.lastStage(), c.stages) << '"' << c.typed << '"';
  }
  EXPECT_EQ(dialogs.log.front(), "input: ステージの合計を入力してください(1-30)");
  EXPECT_EQ(dialogs.inputDefaults.front(), "5");
  EXPECT_EQ(dialogs.inputDefaults.back(), "15");
}

TEST_F(StageOperationsTest, StagesBeyondALoweredCountStayAndComeBack) {
  editor.showStage(5);
  dialogs.typed = {"2"};
  editor.setStageCount();
  EXPECT_EQ(editor.currentStage(), 2);
  EXPECT_EQ(editor.stageLabel(), "STAGE:2");
  saveAs(path("two.qrl"));
  EXPECT_EQ(quorel::splitLines(fileBytes(path("two.qrl"))).size(), 10u);

  dialogs.typed = {"5"};
  editor.setStageCount();
  EXPECT_EQ(tileOf(5, 6, 2), kFirstBlockCode + 4);
  EXPECT_EQ(ngOf(5), 6);

  // Opening a shorter file leaves the slots beyond it as they were, too.
  open(writeFile("one.qrl", setLines(1)));
  dialogs.typed = {"5"};
  editor.setStageCount();
  EXPECT_EQ(tileOf(5, 6, 2), kFirstBlockCode + 4);
}

TEST_F(StageOperationsTest, DesignerNameAsTypedOrUnchangedWhenEmpty) {
  const struct {
    const char* typed;
    const char* designer;
  } cases[] = {
      {"", "maker"},
      {"ステージ職人", "ステージ職人"},
      {"a name far longer than sixteen characters", "a name far longer than sixteen characters"},
      {"two\nlines", "two lines"},
  };
  for (const auto& c : cases) {
    dialogs.typed = {c.typed};
    editor.setDesigner();
    EXPECT_EQ(editor.stages().designer, c.designer);
  }
  EXPECT_EQ(dialogs.inputDefaults.front(), "maker");
  EXPECT_EQ(dialogs.log.front(), "input: 制作者の名前を入力してください（半角１６文字まで）");
}

TEST_F(StageOperationsTest, TheVersionBoxOffersTheNote) {
  dialogs.answers = {Answer::No, Answer::Yes};
  editor.showVersion();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  const Message version = dialogs.messages[0];
  EXPECT_EQ(version.caption, "Version");
  EXPECT_EQ(version.icon, Icon::Information);
  EXPECT_EQ(version.buttons, Buttons::YesNo);
  EXPECT_EQ(version.text.substr(0, version.text.find('\n')), "Quorelステージエディタ");
  EXPECT_NE(version.text.find("\n\n"), std::string::npos);
  EXPECT_NE(version.text.find("TEAM QUOREL"), std::string::npos);

  editor.showVersion();
  ASSERT_EQ(dialogs.messages.size(), 3u);
  EXPECT_EQ(dialogs.messages[2].caption, "ヘスの法則");
  EXPECT_EQ(dialogs.messages[2].buttons, Buttons::Ok);
  EXPECT_NE(dialogs.messages[2].text.find("TEAM QUOREL"), std::string::npos);
}

TEST_F(StageOperationsTest, TheMenuCommandsReachTheirOperations) {
  const struct {
    Command command;
    std::string firstCall;
  } cases[] = {
      {Command::Open, "open"},
      {Command::NewSet, "message: 全ステージを新規作成します"},
      {Command::SaveAs, "save"},
      {Command::StartGame, "save"},
      {Command::ResetStage, "message: このステージのみを新規作成します"},
      {Command::SwapStages, "input: 現ステージと入れ替えるところを入力してください"},
      {Command::NgNumber, "input: ＮＧの数を入力してください"},
      {Command::StageCount, "input: ステージの合計を入力してください(1-30)"},
      {Command::Designer, "input: 制作者の名前を入力してください（半角１６文字まで）"},
      {Command::Calculator, "calculator"},
      {Command::Version, "message: " + std::string(texts::kVersionText)},
  };
  for (const auto& c : cases) {
    dialogs.log.clear();
    dialogs.answers = {Answer::No};
    editor.run(c.command);
    ASSERT_FALSE(dialogs.log.empty()) << c.firstCall;
    EXPECT_EQ(dialogs.log.front(), c.firstCall);
  }
  editor.run(Command::TestPlay);
  EXPECT_EQ(launcher.starts.size(), 1u);
}

}  // namespace
}  // namespace quorel::editor::test
