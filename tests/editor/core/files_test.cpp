// Opening, saving, test play, the close question, dropped files and the command line.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/temp_path.h"
#include "editor/core/file_names.h"
#include "tests/editor/core/editor_fixture.h"

namespace quorel::editor::test {
namespace {

using quorel::test::kBuiltInStagesPath;

std::string wallStages(int stages) {
  std::string text;
  for (int s = 1; s <= stages; ++s) text += "1\r\n1\r\n1\r\n" + std::string(kBoardCells, '1') + "\r\n";
  return text;
}

TEST_F(EditorTest, ANewSetSavedAtOnceIs62LinesOfWalls) {
  saveAs(path("new"));
  EXPECT_EQ(editor.fileName(), path("new.qrl"));
  EXPECT_EQ(fileBytes(path("new.qrl")), "16\r\n\r\n" + wallStages(15));
}

TEST_F(EditorTest, FilesComeBackByteForByte) {
  std::string everyCharacter;
  const std::string characters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (int k = 0; k < kBoardCells; ++k) everyCharacter += characters[static_cast<std::size_t>(k) % characters.size()];
  const std::string sources[] = {
      kBuiltInStagesPath,
      writeFile("thirty.qrl", setLines(30, "ＴＥＡＭ")),
      writeFile("codes.qrl", {"2", "", "19", "13", "25", everyCharacter}),
  };
  for (const std::string& source : sources) {
    open(source);
    ASSERT_EQ(editor.fileName(), source) << dialogs.lastMessage().text;
    saveAs(path("copy.qrl"));
    EXPECT_EQ(fileBytes(path("copy.qrl")), fileBytes(source)) << source;
  }
}

TEST_F(EditorTest, PaintedCellsAreWrittenAsTheirCharacters) {
  editor.choosePalette(26);  // block of value 25
  click(0, 0);
  click(1, 0, MouseButton::Right);
  saveAs(path("painted.qrl"));
  const auto lines = quorel::splitLines(fileBytes(path("painted.qrl")));
  ASSERT_EQ(lines.size(), 62u);
  EXPECT_EQ(lines[5].substr(0, 3), "Y01");
}

TEST(StageFileNames, SaveAsAddsTheExtensionUnlessTheNameHoldsIt) {
  const struct {
    const char* chosen;
    const char* written;
  } cases[] = {
      {"/s/set", "/s/set.qrl"},         {"/s/set.qrl", "/s/set.qrl"},         {"/s/set.qrl.bak", "/s/set.qrl.bak"},
      {"/s/set.QRL", "/s/set.QRL.qrl"}, {"/s/my.qrlsets/a", "/s/my.qrlsets/a"}, {"/s/set.txt", "/s/set.txt.qrl"},
  };
  for (const auto& c : cases) EXPECT_EQ(withStageFileExtension(c.chosen), c.written) << c.chosen;
}

TEST(StageFileNames, OnlyAnExtensionHoldingQrlInThisCaseOpens) {
  const struct {
    const char* name;
    bool opens;
  } cases[] = {
      {"/s/set.qrl", true},  {"set.qrl", true},        {"/s/set.qrlx", true},  {"/s/set.QRL", false},
      {"/s/set.Qrl", false}, {"/s/set", false},        {"/s/set.txt", false},  {"/s/set.qrl.txt", false},
      {"/s.qrl/set", false}, {"/s.qrl/set.x", false},  {"/s/.qrl", true},
  };
  for (const auto& c : cases) EXPECT_EQ(hasStageFileExtension(c.name), c.opens) << c.name;
}

TEST_F(EditorTest, SaveWritesTheOpenFileWithoutAskingAndAnUnnamedSetAsksForAName) {
  dialogs.saveNames.push_back(std::nullopt);
  EXPECT_FALSE(editor.save());
  EXPECT_EQ(dialogs.log, std::vector<std::string>{"save"});

  const std::string file = writeFile("set.qrl", setLines(3));
  open(file);
  click(4, 4);
  dialogs.log.clear();
  EXPECT_TRUE(editor.save());
  EXPECT_TRUE(dialogs.log.empty());
  StageEditor reader(dialogs, launcher, kGameProgram);
  dialogs.openNames.push_back(file);
  reader.openFile();
  EXPECT_EQ(reader.stages(), editor.stages());
}

TEST_F(EditorTest, AFileThatCannotBeWrittenIsReportedAndKeepsTheName) {
  const std::string file = writeFile("set.qrl", setLines(3));
  open(file);
  dialogs.saveNames.push_back(path("missing/set.qrl"));
  EXPECT_FALSE(editor.saveAs());
  EXPECT_EQ(editor.fileName(), file);
  EXPECT_NE(dialogs.lastMessage().text.find("保存できませんでした"), std::string::npos);
  EXPECT_NE(dialogs.lastMessage().text.find(path("missing/set.qrl")), std::string::npos);
  EXPECT_EQ(dialogs.lastMessage().icon, Icon::Error);
}

TEST_F(EditorTest, AMalformedFileIsRefusedByFileLineAndFaultAndNothingChanges) {
  const std::string good = writeFile("good.qrl", setLines(4));
  open(good);
  editor.showStage(3);
  click(2, 2);
  const EditorSet before = editor.stages();
  const std::string caption = editor.caption();

  auto badNumber = setLines(3);
  badNumber[7] = "x";  // line 8: the start row of stage 2
  auto shortGrid = setLines(3);
  shortGrid[5].pop_back();
  auto missingLines = setLines(3);
  missingLines.resize(10);
  const struct {
    std::string file;
    std::string where;
  } cases[] = {
      {writeFile("number.qrl", badNumber), ":8: "},
      {writeFile("grid.qrl", shortGrid), ":6: "},
      {writeFile("lines.qrl", missingLines), ":11: "},
      {writeFile("limit.qrl", {"many", ""}), ":1: "},
      {path("absent.qrl"), ": cannot open"},
  };
  for (const auto& c : cases) {
    open(c.file);
    const Message& shown = dialogs.lastMessage();
    EXPECT_EQ(shown.caption, "Quorelステージエディタ");
    EXPECT_NE(shown.text.find("読み込めませんでした"), std::string::npos) << shown.text;
    EXPECT_NE(shown.text.find(c.file + c.where), std::string::npos) << shown.text;
    EXPECT_EQ(editor.stages(), before) << c.file;
    EXPECT_EQ(editor.fileName(), good);
    EXPECT_EQ(editor.caption(), caption);
    EXPECT_EQ(editor.currentStage(), 3);
  }
}

TEST_F(EditorTest, AFileOfMoreThan30StagesKeepsTheFirst30AndSaysSo) {
  open(writeFile("forty.qrl", setLines(40)));
  EXPECT_EQ(editor.lastStage(), 30);
  EXPECT_EQ(ngOf(30), 30 % 25 + 1);
  EXPECT_NE(dialogs.lastMessage().text.find("40"), std::string::npos);
  EXPECT_EQ(dialogs.lastMessage().icon, Icon::Information);
}

TEST_F(EditorTest, OpeningKeepsTheStageShownWithinTheNewCount) {
  open(writeFile("ten.qrl", setLines(10)));
  editor.showStage(8);
  open(writeFile("five.qrl", setLines(5)));
  EXPECT_EQ(editor.currentStage(), 5);
  open(writeFile("twenty.qrl", setLines(20)));
  EXPECT_EQ(editor.currentStage(), 5);
  EXPECT_EQ(editor.stageLabel(), "STAGE:5");
}

TEST_F(EditorTest, TestPlayWritesTheSetToTheTemporaryFileAndStartsTheGameOnTheStageShown) {
  const std::string file = writeFile("set.qrl", setLines(5));
  open(file);
  editor.showStage(3);
  click(1, 1);
  editor.testPlay();

  ASSERT_EQ(launcher.starts.size(), 1u);
  EXPECT_EQ(launcher.starts[0].program, kGameProgram);
  EXPECT_EQ(launcher.starts[0].arguments, std::vector<std::string>{"3"});
  const std::string temporary = temporaryStageFilePath();
  EXPECT_EQ(temporary, path("$$$qrl$$$.tmp"));
  saveAs(path("expected.qrl"));
  EXPECT_EQ(fileBytes(temporary), fileBytes(path("expected.qrl")));
  EXPECT_EQ(fileBytes(file), joined(setLines(5), "\r\n")) << "test play saves nothing";
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(EditorTest, AGameThatCannotStartIsNamedInAMessage) {
  launcher.fails = true;
  editor.testPlay();
  const Message& shown = dialogs.lastMessage();
  EXPECT_NE(shown.text.find("起動できませんでした"), std::string::npos);
  EXPECT_NE(shown.text.find(kGameProgram), std::string::npos);
  EXPECT_NE(shown.text.find("No such file or directory"), std::string::npos);
}

TEST_F(EditorTest, TestPlayStartsNothingWhenTheTemporaryFileCannotBeWritten) {
  ::setenv("TMPDIR", path("missing").c_str(), 1);
  editor.testPlay();
  EXPECT_TRUE(launcher.starts.empty());
  EXPECT_NE(dialogs.lastMessage().text.find("テストプレイ"), std::string::npos);
}

TEST_F(EditorTest, StartTheGameSavesFirstAndStartsItWithoutParameters) {
  dialogs.saveNames = {std::nullopt, path("played")};
  editor.startGame();
  EXPECT_TRUE(launcher.starts.empty());
  editor.startGame();
  ASSERT_EQ(launcher.starts.size(), 1u);
  EXPECT_EQ(launcher.starts[0].program, kGameProgram);
  EXPECT_TRUE(launcher.starts[0].arguments.empty());
  EXPECT_EQ(fileBytes(path("played.qrl")), "16\r\n\r\n" + wallStages(15));
}

TEST_F(EditorTest, TheCloseQuestion) {
  const std::string file = writeFile("set.qrl", setLines(2));
  const struct {
    Answer answer;
    std::optional<std::string> saveName;
    bool closes;
    bool asksForName;
  } cases[] = {
      {Answer::Cancel, std::nullopt, false, false},
      {Answer::No, std::nullopt, true, false},
      {Answer::Yes, path("saved.qrl"), true, true},
      {Answer::Yes, std::nullopt, true, true},             // the save dialog cancelled
      {Answer::Yes, path("missing/saved.qrl"), false, true},  // the set could not be written
  };
  for (const auto& c : cases) {
    StageEditor closing(dialogs, launcher, kGameProgram);
    dialogs.openNames.push_back(file);
    closing.openFile();
    closing.testPlay();
    ASSERT_TRUE(std::filesystem::exists(temporaryStageFilePath()));
    dialogs.log.clear();
    dialogs.answers.push_back(c.answer);
    if (c.asksForName) dialogs.saveNames.push_back(c.saveName);

    EXPECT_EQ(closing.closeQuery(), c.closes) << static_cast<int>(c.answer);
    const Message& question = dialogs.messages[dialogs.messages.size() - (c.closes || !c.asksForName ? 1 : 2)];
    EXPECT_EQ(question.text, "終了する前に保存しますか？");
    EXPECT_EQ(question.buttons, Buttons::YesNoCancel);
    EXPECT_EQ(dialogs.log.size() > 1 && dialogs.log[1] == "save", c.asksForName);
    EXPECT_FALSE(std::filesystem::exists(temporaryStageFilePath())) << "removed whatever the answer";
    if (c.asksForName) {
      EXPECT_EQ(dialogs.saveStarts.back(), file);
    }
  }
  EXPECT_EQ(fileBytes(path("saved.qrl")), fileBytes(file));
}

TEST_F(EditorTest, ADroppedStageFileOpensAndOnlyTheLastDroppedCounts) {
  const std::string first = writeFile("first.qrl", setLines(2));
  const std::string second = writeFile("second.qrl", setLines(7));
  editor.dropFiles({first, second});
  EXPECT_EQ(editor.fileName(), second);
  EXPECT_EQ(editor.lastStage(), 7);
  EXPECT_EQ(editor.caption(), second);

  const EditorSet before = editor.stages();
  editor.dropFiles({first, path("notes.txt")});
  editor.dropFiles({writeFile("upper.QRL", setLines(2))});
  editor.dropFiles({});
  EXPECT_EQ(editor.fileName(), second);
  EXPECT_EQ(editor.stages(), before);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(EditorTest, TheCommandLineOpensTheFirstParameterByItsFullPath) {
  writeFile("set.qrl", setLines(4));
  const auto home = std::filesystem::current_path();
  std::filesystem::current_path(temp.folder.file(""));
  editor.openCommandLine({"./set.qrl", "ignored"});
  std::filesystem::current_path(home);
  EXPECT_EQ(editor.fileName(), path("set.qrl"));
  EXPECT_EQ(editor.caption(), path("set.qrl"));
  EXPECT_EQ(editor.lastStage(), 4);
  EXPECT_EQ(editor.currentStage(), 1);

  StageEditor other(dialogs, launcher, kGameProgram);
  other.openCommandLine({"w", path("set.qrl")});
  other.openCommandLine({});
  EXPECT_EQ(other.caption(), "New file");
  EXPECT_EQ(other.lastStage(), 15);
}

TEST_F(EditorTest, TheCaptionMarksASetThatDiffersFromItsFile) {
  EXPECT_EQ(editor.caption(), "New file");
  click(3, 3, MouseButton::Right);
  EXPECT_EQ(editor.caption(), "New file*");
  editor.undo();
  EXPECT_EQ(editor.caption(), "New file");
  click(3, 3, MouseButton::Right);
  saveAs(path("x.qrl"));
  EXPECT_EQ(editor.caption(), path("x.qrl"));
  click(4, 3, MouseButton::Right);
  EXPECT_EQ(editor.caption(), path("x.qrl") + "*");
  EXPECT_TRUE(editor.save());
  EXPECT_EQ(editor.caption(), path("x.qrl"));
  dialogs.answers.push_back(Answer::Yes);
  editor.newSet();
  EXPECT_EQ(editor.caption(), "");
  click(4, 3, MouseButton::Right);
  EXPECT_EQ(editor.caption(), "*");
}

}  // namespace
}  // namespace quorel::editor::test
