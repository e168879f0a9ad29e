#include "tools/qrltool/solve.h"

#include <unistd.h>

#include <cstdio>

#include "tools/qrltool/stage_loading.h"

namespace quorel::qrltool {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitBadFile = 1;
constexpr int kExitUsage = 2;

// "1 state", "2 states".
std::string counted(std::size_t count, const std::string& noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string answerLine(int stage, const solver::Result& result) {
  const std::string head = "stage " + std::to_string(stage) + ": ";
  switch (result.answer) {
    case solver::Answer::Solved:
      return head + counted(result.moves.size(), "block move") + ", optimal: " + result.lurd;
    case solver::Answer::NoSolution:
      return head + "no solution";
    case solver::Answer::Unknown:
      break;
  }
  std::string line = head + "unknown after " + counted(result.counts.statesStored, "state");
  // A clear that is not proved the fewest still tells a designer the stage can be cleared.
  if (!result.moves.empty()) line += "; a clear in " + counted(result.moves.size(), "block move") + ": " + result.lurd;
  return line;
}

// Progress on standard error, rewritten in place on a terminal and one line at a time elsewhere.
class ProgressLine {
 public:
  explicit ProgressLine(int stage) : stage_(stage), terminal_(::isatty(STDERR_FILENO) != 0) {}
  // Takes a rewritten line off the terminal before the answer is printed.
  void clear() {
    if (shown_ && terminal_) std::fputs("\r\x1b[K", stderr);
    shown_ = false;
  }
  void show(const solver::Progress& progress) {
    shown_ = true;
    std::fprintf(stderr, "%sstage %d: %.1f s, %llu states, at least %d block moves, %zu MiB%s", terminal_ ? "\r" : "",
                 stage_, static_cast<double>(progress.elapsed.count()) / 1000.0,
                 static_cast<unsigned long long>(progress.statesStored), progress.lowerBound,
                 progress.memoryBytes >> 20, terminal_ ? "\x1b[K" : "\n");
    std::fflush(stderr);
  }

 private:
  int stage_;
  bool terminal_;
  bool shown_ = false;
};

}  // namespace

int solveStages(const std::string& path, const SolveOptions& options) {
  const auto loaded = loadSet(path, true);
  if (!loaded) return kExitBadFile;
  const int stages = loaded->set.stageLimit - 1;
  if (options.stage && *options.stage > stages) {
    std::fprintf(stderr, "qrltool: %s has stages 1 to %d, not %d\n", path.c_str(), stages, *options.stage);
    return kExitUsage;
  }
  for (int stage = 1; stage <= stages; ++stage) {
    if (options.stage && stage != *options.stage) continue;
    ProgressLine progress(stage);
    solver::Control control;
    control.limits = options.limits;
    control.progressInterval = std::chrono::seconds(1);
    control.progress = [&progress](const solver::Progress& p) { progress.show(p); };
    const solver::Result result = solver::solve(solver::stageOf(loaded->set, stage), control);
    progress.clear();
    std::printf("%s\n", answerLine(stage, result).c_str());
    std::fflush(stdout);
  }
  return kExitOk;
}

}  // namespace quorel::qrltool
