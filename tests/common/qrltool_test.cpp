// Runs the built qrltool and checks what it prints and how it exits.
#include <gtest/gtest.h>

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
