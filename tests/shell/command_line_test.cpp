#include "game/shell/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorel {
namespace {

TEST(CommandLine, Table) {
  struct Case {
    std::vector<std::string> parameters;
    bool fullScreen;
    bool beepMode;
    bool testPlay;
    int stage;
  };
  const Case cases[] = {
      {{}, true, false, false, 0},
      {{"w"}, false, false, false, 0},
      {{"W"}, false, false, false, 0},
      {{"window"}, false, false, false, 0},        // the letter anywhere
      {{"3", "w"}, false, false, false, 0},        // a window wish never test-plays
      {{"0"}, true, false, false, 0},
      {{"3"}, true, false, true, 3},
      {{"1", "2"}, true, false, true, 12},         // joined without separators
      {{"b", "w"}, false, true, false, 0},
      {{"B"}, true, true, false, 0},               // a lone "b" is no stage number: normal start
      {{"b", "3"}, true, true, false, 0},
      {{"00"}, true, false, true, 0},              // not exactly "0": test play of a stage 0
      {{"99999999999"}, true, false, true, 0},     // too large to be any stage
  };
  for (const Case& c : cases) {
    std::string name;
    for (const auto& p : c.parameters) name += "[" + p + "]";
    const CommandLine line = parseCommandLine(c.parameters);
    EXPECT_EQ(line.fullScreen, c.fullScreen) << name;
    EXPECT_EQ(line.beepMode, c.beepMode) << name;
    EXPECT_EQ(line.testPlay, c.testPlay) << name;
    EXPECT_EQ(line.stage, c.stage) << name;
  }
}

}  // namespace
}  // namespace quorel
