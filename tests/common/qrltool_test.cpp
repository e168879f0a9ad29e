// Runs the built qrltool and checks what it prints and how it exits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "tests/common/stage_fixtures.h"
#include "tests/support/fifo.h"

namespace quorel {
namespace {

struct ToolRun {
  int status = -1;
  std::string output;  // standard output and standard error together
};

std::string shellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// A tool that hangs is ended after 10 seconds (status 124) instead of holding up the tests.
ToolRun qrltool(const std::vector<std::string>& args) {
  std::string command = "timeout 10 " + shellQuoted(QUOREL_BINARY_DIR "/tools/qrltool");
  for (const auto& arg : args) command += " " + shellQuoted(arg);
  command += " 2>&1";
  ToolRun run;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, n);
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(Qrltool, CheckSummarisesAGoodSetAndNamesTheFaultOfABadOne) {
  const test::ScratchFolder folder;
  const testing::Fifo fifo(folder.file("pipe.qrl"));
  auto badLines = test::setLines(2);
  badLines[7] = "x";
  auto oddStarts = test::setLines(3);
  oddStarts[2] = "2147483647";  // stage 1 starts far beyond the grid
  oddStarts[6] = "0";           // stage 2 starts on the wall of column 0
  const struct {
    std::string path;
    int status;
    std::string output;
  } cases[] = {
      {test::kBuiltInStagesPath, 0, test::kBuiltInStagesPath + ": 20 stages, designer \"TEAM QUOREL\"\n"},
      {folder.write("one.qrl", test::joined(test::setLines(1, "me"), "\n")), 0,
       folder.file("one.qrl") + ": 1 stage, designer \"me\"\n"},
      {folder.write("25.qrl", test::joined(test::setLines(25, "\x1b[2J"), "\r\n")), 0,
       folder.file("25.qrl") + ": 25 stages, designer \"\\x1B[2J\"; more than the game's 20, it plays stages 1 to 20\n"},
      {folder.write("40.qrl", test::joined(test::setLines(40, ""), "\r\n")), 0,
       folder.file("40.qrl") +
           ": 30 stages, designer \"\"; line 1 announces 40, only the first 30 are read; more than the game's 20, "
           "it plays stages 1 to 20\n"},
      {folder.write("bad.qrl", test::joined(badLines, "\r\n")), 1,
       folder.file("bad.qrl") + ":8: the start row of stage 2 is not a plain decimal number: \"x\"\n"},
      {folder.write("odd.qrl", test::joined(oddStarts, "\r\n")), 0,
       folder.file("odd.qrl") + ": 3 stages, designer \"tester\"\n"
       "warning: stage 1: the start cell (2147483647, 1) lies outside the 20 x 14 grid\n"
       "warning: stage 2: the start cell (0, 1) is on a wall\n"},
      {folder.file("missing.qrl"), 1, folder.file("missing.qrl") + ": cannot open: No such file or directory\n"},
      {fifo.path(), 1, fifo.path() + ": not a regular file (a FIFO)\n"},
      {folder.write("bom.qrl", "\xEF\xBB\xBF" "2\r\n"), 1,
       folder.file("bom.qrl") + ":1: the stage limit is not a plain decimal number: \"\\xEF\\xBB\\xBF2\"\n"},
      {folder.write("sjis.qrl", test::joined(test::setLines(1, "\x83\x4E\x83\x49"), "\r\n")), 0,
       folder.file("sjis.qrl") + ": 1 stage, designer \"\\x83N\\x83I\"\n"},
  };
  for (const auto& [path, status, output] : cases) {
    const ToolRun run = qrltool({"check", path});
    EXPECT_EQ(run.status, status) << path;
    EXPECT_EQ(run.output, output);
  }
}

TEST(Qrltool, ShowDrawsTheStageWithThePlayerOnItsStartCell) {
  const ToolRun run = qrltool({"show", test::kBuiltInStagesPath});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output,
            "stage 1 of 20: start column 3, row 5; NG number 6\n"
            "####################\n"
            "####################\n"
            "####################\n"
            "############......##\n"
            "##......####......##\n"
            "##.@..E.....C....D##\n"
            "##......####.....C##\n"
            "############......##\n"
            "####################\n"
            "####################\n"
            "####################\n"
            "####################\n"
            "####################\n"
            "####################\n");
}

TEST(Qrltool, ShowNotesAStartThatIsNotOnFloor) {
  const test::ScratchFolder folder;
  auto lines = test::setLines(3);
  lines[2] = "0";    // stage 1 starts on the left wall
  lines[7] = "14";   // stage 2 starts below the grid
  lines[10] = "4";   // stage 3 starts on its block "C" at (4, 2)
  lines[11] = "2";
  const std::string path = folder.write("starts.qrl", test::joined(lines, "\r\n"));
  const struct {
    const char* stage;
    std::string note;
  } cases[] = {
      {"1", "note: the start cell (0, 1) is on a wall\n"},
      {"2", "note: the start cell (3, 14) lies outside the 20 x 14 grid\n"},
      {"3", "note: the start cell (4, 2) is on block C\n"},
  };
  for (const auto& [stage, note] : cases) {
    const ToolRun run = qrltool({"show", path, stage});
    EXPECT_EQ(run.status, 0) << stage;
    EXPECT_EQ(run.output.find('@'), std::string::npos) << stage;
    EXPECT_TRUE(run.output.ends_with(note)) << run.output;
  }
}

// A grid line of walls with `row` written into row 1 from column 0.
std::string gridWithRow(const std::string& row) {
  std::string grid(kBoardCells, '1');
  grid.replace(kBoardColumns, row.size(), row);
  return grid;
}

TEST(Qrltool, SolvePrintsOneLinePerStage) {
  const test::ScratchFolder folder;
  const std::vector<std::string> lines = {
      "4", "me",
      "1", "1", "25", gridWithRow("10B000D01"),  // B pushed three times along the corridor, then into D
      "1", "1", "25", gridWithRow("10BC01"),     // 3 mod 2 leaves one block
      "1", "1", "25", gridWithRow("10B0D01"),
  };
  const std::string path = folder.write("three.qrl", test::joined(lines, "\r\n"));
  ToolRun run = qrltool({"solve", path});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output,
            "stage 1: 4 block moves, optimal: RRRR\n"
            "stage 2: no solution\n"
            "stage 3: 2 block moves, optimal: RR\n");

  run = qrltool({"solve", "--states", "1", path, "3"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, "stage 3: unknown after 1 state\n");
}

// On a 4-MiB limit the exact search stops at once, as its table alone is larger, while the
// clear-finder's searches fit; the finder's clear is still printed, so that a designer learns the
// stage can be cleared.
TEST(Qrltool, SolvePrintsTheClearItFoundWhenNotProved) {
  std::string grid(kBoardCells, '1');
  const std::vector<std::string> room = {"1000000001", "10B00000D1", "1000000001", "10C0000F01", "1000000001"};
  for (std::size_t row = 0; row < room.size(); ++row) grid.replace((row + 1) * kBoardColumns, room[row].size(), room[row]);
  const test::ScratchFolder folder;
  const std::string path = folder.write("room.qrl", test::joined({"2", "me", "1", "1", "25", grid}, "\r\n"));

  const ToolRun run = qrltool({"solve", "--memory", "4", "--threads", "1", path});
  EXPECT_EQ(run.status, 0);
  const std::string head = "stage 1: unknown after 1 state; a clear in ";
  ASSERT_TRUE(run.output.starts_with(head)) << run.output;
  const std::size_t colon = run.output.find(" block moves: ");
  ASSERT_NE(colon, std::string::npos) << run.output;
  const int moves = std::stoi(run.output.substr(head.size(), colon - head.size()));
  const std::string lurd = run.output.substr(colon + 14, run.output.size() - colon - 15);
  EXPECT_EQ(std::count_if(lurd.begin(), lurd.end(), [](char c) { return c >= 'A' && c <= 'Z'; }), moves) << lurd;
}

TEST(Qrltool, SolveTakesTheBuiltInSetByName) {
  const ToolRun run = qrltool({"solve", "--time", "60", "--memory", "512", "--threads", "1", "builtin", "1"});
  EXPECT_EQ(run.status, 0);
  const std::string head = "stage 1: 12 block moves, optimal: ";
  ASSERT_TRUE(run.output.starts_with(head)) << run.output;
  const std::string lurd = run.output.substr(head.size(), run.output.size() - head.size() - 1);
  EXPECT_EQ(std::count_if(lurd.begin(), lurd.end(), [](char c) { return c >= 'A' && c <= 'Z'; }), 12);
}

TEST(Qrltool, SolveExitsOneOnAFileItCannotReadAndTwoOnBadArguments) {
  const test::ScratchFolder folder;
  EXPECT_EQ(qrltool({"solve", folder.file("missing.qrl")}).status, 1);
  const std::string set = test::kBuiltInStagesPath;
  const std::vector<std::vector<std::string>> cases = {
      {"solve"}, {"solve", "--time"}, {"solve", "--time", "x", set}, {"solve", "--speed", "2", set},
      {"solve", set, "0"}, {"solve", set, "21"}, {"solve", set, "1", "2"},
  };
  for (const auto& args : cases) EXPECT_EQ(qrltool(args).status, 2) << ::testing::PrintToString(args);
}

TEST(Qrltool, BadArgumentsPrintTheUsageAndExitTwo) {
  const std::string set = test::kBuiltInStagesPath;
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"check"},
      {"verify", set},
      {"check", set, "1"},
      {"show", set, "0"},
      {"show", set, "21"},
      {"show", set, "x"},
      {"show", set, "99999999999"},
      {"show", set, ""},
      {"show", set, "1", "2"},
  };
  for (const auto& args : cases) {
    const ToolRun run = qrltool(args);
    EXPECT_EQ(run.status, 2) << ::testing::PrintToString(args);
    EXPECT_NE(run.output.find("usage: qrltool check FILE"), std::string::npos) << ::testing::PrintToString(args);
  }
  EXPECT_TRUE(qrltool({"show", set, "99999999999"}).output.starts_with("qrltool: STAGE 99999999999 is out of range\n"));
  EXPECT_TRUE(qrltool({"show", set, "0"}).output.starts_with("qrltool: STAGE must be a stage number from 1\n"));
}

}  // namespace
}  // namespace quorel
