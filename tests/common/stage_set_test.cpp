#include "common/stage_set.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/common/stage_fixtures.h"

namespace quorel {
namespace {

using test::setLines;

// Every field holds a value no load produces, so any write by a load shows.
template <std::size_t Slots>
std::unique_ptr<StageSlots<Slots>> recognisableSet() {
  auto set = std::make_unique<StageSlots<Slots>>();
  set->stageLimit = 7;
  set->designer = "before";
  for (std::size_t s = 0; s < Slots; ++s) {
    set->startX[s] = static_cast<int>(100 + s);
    set->startY[s] = static_cast<int>(200 + s);
    set->ngNumber[s] = static_cast<int>(300 + s);
    for (std::size_t x = 0; x < kBoardColumns; ++x) {
      for (std::size_t y = 0; y < kBoardRows; ++y) set->board[s][x][y] = static_cast<int>(40 + (s + x + y) % 50);
    }
  }
  return set;
}

// Checks stage s of `set` against the stage the fixture lines hold.
template <std::size_t Slots>
void expectFixtureStage(const StageSlots<Slots>& set, int s) {
  const auto slot = static_cast<std::size_t>(s);
  EXPECT_EQ(set.startX[slot], s % 18 + 1) << "stage " << s;
  EXPECT_EQ(set.startY[slot], 1) << "stage " << s;
  EXPECT_EQ(set.ngNumber[slot], s % 25 + 1) << "stage " << s;
  const std::string grid = test::gridLine(s);
  for (int k = 0; k < kBoardCells; ++k) {
    ASSERT_EQ(set.board[slot][static_cast<std::size_t>(k % 20)][static_cast<std::size_t>(k / 20)], tileCodeOf(grid[k]))
        << "stage " << s << " character " << k;
  }
}

TEST(SplitLines, CrLfLfAndCrEachEndOneLine) {
  const struct {
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"\r\n", {""}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},    // LF then CR are two line ends
      {"a\r\r\nb", {"a", "", "b"}},  // a lone CR before CR LF
      {"a\n\n", {"a", ""}},
  };
  for (const auto& [text, lines] : cases) EXPECT_EQ(splitLines(text), lines) << testing::PrintToString(text);
}

TEST(StageSetParse, LineEndVariantsGiveTheSameSet) {
  // An empty designer line is the one most easily lost or doubled by a wrong split.
  const auto lines = setLines(3, "");
  GameStageSlots reference;
  ASSERT_TRUE(parseStageSet(lines, "ref.qrl", reference));
  for (const std::string lineEnd : {"\r\n", "\n", "\r"}) {
    for (const bool lastLineEnded : {true, false}) {
      std::string text = test::joined(lines, lineEnd);
      if (!lastLineEnded) text.resize(text.size() - lineEnd.size());
      GameStageSlots set;
      const auto result = parseStageSet(splitLines(text), "x.qrl", set);
      ASSERT_TRUE(result) << result.error.text();
      EXPECT_TRUE(set == reference) << testing::PrintToString(lineEnd) << " last ended " << lastLineEnded;
      EXPECT_EQ(set.designer, "");
    }
  }
}

struct BadSet {
  const char* name;
  std::function<void(std::vector<std::string>&)> damage;
  int line;
  std::string what;
};

// Damages to a valid set of three stages (lines 3-6 stage 1, 7-10 stage 2, 11-14 stage 3).
const std::vector<BadSet>& badSets() {
  using Lines = std::vector<std::string>;
  static const std::vector<BadSet> cases = {
      {"empty file", [](Lines& l) { l.clear(); }, 1, "the file is empty; line 1 should give the stage limit"},
      {"limit with a letter", [](Lines& l) { l[0] = "4a"; }, 1, "the stage limit is not a plain decimal number: \"4a\""},
      {"signed limit", [](Lines& l) { l[0] = "+4"; }, 1, "the stage limit is not a plain decimal number: \"+4\""},
      {"limit with a space", [](Lines& l) { l[0] = "4 "; }, 1, "the stage limit is not a plain decimal number: \"4 \""},
      {"limit beyond int", [](Lines& l) { l[0] = "2147483648"; }, 1,
       "the stage limit is out of range (the largest number is 2147483647): \"2147483648\""},
      {"byte order mark before the limit", [](Lines& l) { l[0] = "\xEF\xBB\xBF" "4"; }, 1,
       "the stage limit is not a plain decimal number: \"\\xEF\\xBB\\xBF4\""},
      {"limit 1", [](Lines& l) { l[0] = "1"; }, 1, "the stage limit is 1; it must be 2 or more (one stage or more)"},
      {"limit 0", [](Lines& l) { l[0] = "0"; }, 1, "the stage limit is 0; it must be 2 or more (one stage or more)"},
      {"no designer line", [](Lines& l) { l.resize(1); }, 2,
       "the file ends before the designer line (it has 1 line; 3 stages need 14)"},
      {"empty start row", [](Lines& l) { l[7] = ""; }, 8, "the start row of stage 2 is not a plain decimal number: \"\""},
      {"negative NG number", [](Lines& l) { l[8] = "-1"; }, 9,
       "the NG number of stage 2 is not a plain decimal number: \"-1\""},
      {"spaced start column", [](Lines& l) { l[10] = " 3"; }, 11,
       "the start column of stage 3 is not a plain decimal number: \" 3\""},
      {"start column beyond int", [](Lines& l) { l[10] = "99999999999"; }, 11,
       "the start column of stage 3 is out of range (the largest number is 2147483647): \"99999999999\""},
      {"short grid line", [](Lines& l) { l[9].pop_back(); }, 10,
       "the grid line of stage 2 has 279 characters; it needs exactly 280"},
      {"long grid line", [](Lines& l) { l[9] += "1"; }, 10,
       "the grid line of stage 2 has 281 characters; it needs exactly 280"},
      {"lower-case block", [](Lines& l) { l[13][45] = 'a'; }, 14,
       "the grid line of stage 3 has \"a\" at column 5, row 2 (character 46); cells are digits or capital letters"},
      {"tab in a grid line", [](Lines& l) { l[5][0] = '\t'; }, 6,
       "the grid line of stage 1 has \"\\x09\" at column 0, row 0 (character 1); cells are digits or capital letters"},
      {"Shift-JIS byte in a grid line", [](Lines& l) { l[5][1] = '\x82'; }, 6,
       "the grid line of stage 1 has \"\\x82\" at column 1, row 0 (character 2); cells are digits or capital letters"},
      {"file ends before a grid line", [](Lines& l) { l.resize(13); }, 14,
       "the file ends before the grid line of stage 3 (it has 13 lines; 3 stages need 14)"},
      {"fewer stages than announced", [](Lines& l) { l[0] = "5"; }, 15,
       "the file ends before the start column of stage 4 (it has 14 lines; 4 stages need 18)"},
  };
  return cases;
}

template <std::size_t Slots>
void expectEveryBadSetRefusedAndSetUnchanged() {
  for (const BadSet& bad : badSets()) {
    auto lines = setLines(3);
    bad.damage(lines);
    const auto before = recognisableSet<Slots>();
    auto set = recognisableSet<Slots>();
    const StageLoadResult result = parseStageSet(lines, "bad.qrl", *set);
    EXPECT_FALSE(result.ok) << bad.name;
    EXPECT_EQ(result.error.line, bad.line) << bad.name;
    EXPECT_EQ(result.error.what, bad.what) << bad.name;
    EXPECT_EQ(result.error.text(), "bad.qrl:" + std::to_string(bad.line) + ": " + bad.what) << bad.name;
    EXPECT_TRUE(*set == *before) << bad.name << ": the set in memory changed";
  }
}

TEST(StageSetParse, MalformedSetsAreRefusedWithTheirLineAndChangeNothing) {
  expectEveryBadSetRefusedAndSetUnchanged<21>();
  expectEveryBadSetRefusedAndSetUnchanged<31>();
}

TEST(StageSetParse, ErrorTextWithAndWithoutALine) {
  EXPECT_EQ((StageLoadError{"a.qrl", 5, "bad"}).text(), "a.qrl:5: bad");
  EXPECT_EQ((StageLoadError{"a.qrl", 0, "bad"}).text(), "a.qrl: bad");
}

TEST(StageSetLoad, MissingOrUnreadableFileIsRefusedAndChangesNothing) {
  const test::ScratchFolder folder;
  const struct {
    std::string path;
    std::string text;
  } cases[] = {
      {folder.file("missing.qrl"), folder.file("missing.qrl") + ": cannot open: No such file or directory"},
      {folder.file(""), folder.file("") + ": not a regular file (a folder)"},
  };
  for (const auto& [path, text] : cases) {
    const auto before = recognisableSet<31>();
    auto set = recognisableSet<31>();
    const StageLoadResult result = loadStageFile(path, *set);
    EXPECT_FALSE(result.ok) << path;
    EXPECT_EQ(result.error.text(), text);
    EXPECT_TRUE(*set == *before) << path;
  }
}

TEST(StageSetLoad, FileIsReadWithItsNameInErrors) {
  const test::ScratchFolder folder;
  auto lines = setLines(2);
  const std::string good = folder.write("good.qrl", test::joined(lines, "\r\n"));
  lines[5] = "x";
  const std::string bad = folder.write("bad.qrl", test::joined(lines, "\r\n"));

  GameStageSlots set;
  ASSERT_TRUE(loadStageFile(good, set));
  expectFixtureStage(set, 2);
  const StageLoadResult result = loadStageFile(bad, set);
  EXPECT_EQ(result.error.text(), bad + ":6: the grid line of stage 1 has 1 character; it needs exactly 280");
}

TEST(StageSetParse, LinesBeyondTheAnnouncedStagesAreIgnoredAndOtherSlotsKept) {
  auto lines = setLines(15);
  lines.insert(lines.end(), {"junk", "", std::string(400, 'q')});
  const auto before = recognisableSet<31>();
  auto set = recognisableSet<31>();
  const StageLoadResult result = parseStageSet(lines, "sixteen.qrl", *set);
  ASSERT_TRUE(result) << result.error.text();
  EXPECT_EQ(result.stagesAnnounced, 15);
  EXPECT_EQ(set->stageLimit, 16);
  EXPECT_EQ(set->designer, "tester");
  for (int s = 1; s <= 15; ++s) expectFixtureStage(*set, s);
  // The loader does not clear: slot 0 and the slots past the count hold what they held.
  for (const std::size_t slot : {0, 16, 17, 30}) {
    EXPECT_EQ(set->board[slot], before->board[slot]) << "slot " << slot;
    EXPECT_EQ(set->startX[slot], before->startX[slot]) << "slot " << slot;
    EXPECT_EQ(set->startY[slot], before->startY[slot]) << "slot " << slot;
    EXPECT_EQ(set->ngNumber[slot], before->ngNumber[slot]) << "slot " << slot;
  }
}

TEST(StageSetParse, SetLargerThanTheStorageKeepsItsFirstStages) {
  // The game keeps 20 of 25 and never looks at the rest; the editor keeps all 25 and so
  // validates them.
  auto lines = setLines(25);
  lines[4 * 21 + 1] = "not a grid";
  auto game = std::make_unique<GameStageSlots>();
  const StageLoadResult cut = parseStageSet(lines, "25.qrl", *game);
  ASSERT_TRUE(cut) << cut.error.text();
  EXPECT_EQ(cut.stagesAnnounced, 25);
  EXPECT_EQ(game->stageLimit, 21);
  expectFixtureStage(*game, 20);
  auto editor = std::make_unique<EditorStageSlots>();
  EXPECT_EQ(parseStageSet(lines, "25.qrl", *editor).error.line, 4 * 21 + 2);

  // The lines of the stages cut off need not even be there.
  lines = setLines(20);
  lines[0] = "26";
  ASSERT_TRUE(parseStageSet(lines, "short.qrl", *game));
  EXPECT_EQ(game->stageLimit, 21);

  const struct {
    int stages;
    int stageLimit;
  } editorCases[] = {{25, 26}, {30, 31}, {40, 31}};
  for (const auto& [stages, stageLimit] : editorCases) {
    const StageLoadResult result = parseStageSet(setLines(stages), "big.qrl", *editor);
    ASSERT_TRUE(result) << stages << ": " << result.error.text();
    EXPECT_EQ(result.stagesAnnounced, stages);
    EXPECT_EQ(editor->stageLimit, stageLimit);
    expectFixtureStage(*editor, stageLimit - 1);
  }
}

TEST(StageSetParse, OutOfRangeStartsNgNumbersAndUnusedCodesAreKeptAsRead) {
  auto lines = setLines(1);
  lines[2] = "25";
  lines[3] = "0014";
  lines[4] = "26";
  lines[5].replace(0, 3, "29Z");
  GameStageSlots set;
  ASSERT_TRUE(parseStageSet(lines, "odd.qrl", set));
  EXPECT_EQ(set.startX[1], 25);
  EXPECT_EQ(set.startY[1], 14);
  EXPECT_EQ(set.ngNumber[1], 26);
  EXPECT_EQ(set.board[1][0][0], 2);
  EXPECT_EQ(set.board[1][1][0], 9);
  EXPECT_EQ(set.board[1][2][0], 36);
}

// Start column, start row and NG number of the 20 built-in stages.
constexpr int kBuiltInStarts[20][3] = {
    {3, 5, 6},   {5, 2, 5},  {2, 7, 7},  {4, 3, 1},   {1, 1, 3},  {6, 7, 5},  {3, 3, 9},
    {17, 12, 3}, {8, 7, 6},  {5, 4, 3},  {8, 7, 15},  {1, 1, 6},  {15, 10, 2}, {7, 4, 7},
    {1, 3, 2},   {3, 3, 7},  {15, 11, 4}, {7, 7, 5},  {10, 7, 4}, {9, 1, 3},
};

TEST(BuiltInStageSet, LoadsTwentyStagesWithTheirStartsOnFloor) {
  std::vector<std::string> lines;
  ASSERT_TRUE(readLines(test::kBuiltInStagesPath, lines));
  ASSERT_EQ(lines.size(), 82u);
  GameStageSlots set;
  const StageLoadResult result = parseStageSet(lines, "(built-in)", set);
  ASSERT_TRUE(result) << result.error.text();
  EXPECT_EQ(set.stageLimit, 21);
  for (int s = 1; s <= 20; ++s) {
    const auto slot = static_cast<std::size_t>(s);
    const auto& [x, y, ng] = kBuiltInStarts[s - 1];
    EXPECT_EQ(set.startX[slot], x) << "stage " << s;
    EXPECT_EQ(set.startY[slot], y) << "stage " << s;
    EXPECT_EQ(set.ngNumber[slot], ng) << "stage " << s;
    EXPECT_EQ(set.board[slot][static_cast<std::size_t>(x)][static_cast<std::size_t>(y)], kFloor) << "stage " << s;
    // The 21st character is the first cell of the second row.
    EXPECT_EQ(set.board[slot][0][1], tileCodeOf(lines[4 * slot + 1][20])) << "stage " << s;
  }
  // Row 5 of stage 1 is "110000E00000C0000D11".
  EXPECT_EQ(set.board[1][6][5], blockCode(5));
  EXPECT_EQ(set.board[1][12][5], blockCode(3));
  EXPECT_EQ(set.board[1][17][5], blockCode(4));
  EXPECT_EQ(set.board[1][5][5], kFloor);
  EXPECT_EQ(set.board[1][18][5], kWall);
}

TEST(StageSetWrite, BuiltInSetIsWrittenBackByteForByte) {
  const test::ScratchFolder folder;
  auto set = std::make_unique<EditorStageSlots>();
  ASSERT_TRUE(loadStageFile(test::kBuiltInStagesPath, *set));
  const std::string copy = folder.file("copy.qrl");
  std::string error;
  ASSERT_TRUE(writeStageFile(copy, *set, &error)) << error;
  EXPECT_EQ(test::fileBytes(copy), test::fileBytes(test::kBuiltInStagesPath));
}

TEST(StageSetWrite, ParseWriteParseKeepsEveryCodeAndNumber) {
  auto lines = setLines(30, "\x83\x5e\x83\x43 designer");  // Shift-JIS bytes pass through
  const std::string everyCharacter = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (int k = 0; k < kBoardCells; ++k) lines[5][k] = everyCharacter[k % everyCharacter.size()];
  lines[2] = "99";
  lines[4] = "0";
  auto first = std::make_unique<EditorStageSlots>();
  ASSERT_TRUE(parseStageSet(lines, "all.qrl", *first));
  EXPECT_EQ(stageSetLines(*first), lines);

  const test::ScratchFolder folder;
  ASSERT_TRUE(writeStageFile(folder.file("all.qrl"), *first));
  auto second = std::make_unique<EditorStageSlots>();
  ASSERT_TRUE(loadStageFile(folder.file("all.qrl"), *second));
  EXPECT_TRUE(*second == *first);
}

TEST(StageSetWrite, NewEditorSetIsSixtyTwoLinesOfWalls) {
  auto set = std::make_unique<EditorStageSlots>();
  set->stageLimit = 16;
  for (std::size_t s = 1; s < 31; ++s) {
    set->startX[s] = set->startY[s] = set->ngNumber[s] = 1;
    for (auto& column : set->board[s]) column.fill(kWall);
  }
  std::vector<std::string> expected = {"16", ""};
  for (int s = 1; s <= 15; ++s) expected.insert(expected.end(), {"1", "1", "1", std::string(280, '1')});
  const auto lines = stageSetLines(*set);
  EXPECT_EQ(lines.size(), 62u);
  EXPECT_EQ(lines, expected);

  const test::ScratchFolder folder;
  ASSERT_TRUE(writeStageFile(folder.file("new.qrl"), *set));
  EXPECT_EQ(test::fileBytes(folder.file("new.qrl")), test::joined(expected, "\r\n"));
}

TEST(StageSetWrite, CellsAreWrittenRowByRowAsDigitsAndLetters) {
  GameStageSlots set;
  set.stageLimit = 2;
  set.board[1][0][1] = blockCode(25);
  set.board[1][19][13] = blockCode(1);
  set.board[1][3][0] = kWall;
  const std::string grid = stageSetLines(set)[5];
  EXPECT_EQ(grid.substr(0, 5), "00010");
  EXPECT_EQ(grid[20], 'Y');
  EXPECT_EQ(grid[279], 'A');
}

TEST(StageSetWrite, LimitAboveTheStorageWritesOnlyTheStagesHeld) {
  auto set = std::make_unique<EditorStageSlots>();
  set->stageLimit = 40;
  const auto lines = stageSetLines(*set);
  EXPECT_EQ(lines.size(), 2u + 4u * 30u);
  EXPECT_EQ(lines[0], "31");
}

TEST(StageSetWrite, RefusedWriteReportsAndLeavesNoFile) {
  const test::ScratchFolder folder;
  GameStageSlots set;
  set.stageLimit = 2;
  std::string error;
  EXPECT_FALSE(writeStageFile(folder.file("no/such/folder.qrl"), set, &error));
  EXPECT_NE(error, "");
  EXPECT_FALSE(std::filesystem::exists(folder.file("no")));
}

}  // namespace
}  // namespace quorel
