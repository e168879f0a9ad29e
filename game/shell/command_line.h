#pragma once
// The game's parameters: "w" anywhere asks for a window, "b" anywhere for beeps in place of
// sound effects, and otherwise the joined parameters name a stage for test play.
#include <string>
#include <vector>

namespace quorel {

struct CommandLine {
  bool fullScreen = true;
  bool beepMode = false;
  bool testPlay = false;
  std::string stageText;  // the joined, lower-cased parameters; the stage number in test play
  int stage = 0;          // the stage number when it fits an int (else 0: no such stage)
};

CommandLine parseCommandLine(const std::vector<std::string>& parameters);

}  // namespace quorel
