#include "tools/qrltool/solve.h"

#include <unistd.h>

#include <cstdio>

#include "tools/qrltool/stage_loading.h"

namespace quorel::qrltool {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitBadFile = 1;
constexpr int kExitUsage = 2;

std::string answerLine(int stage, const solver::Result& result) {
  const std::string head = "stage " + std::to_string(stage) + ": ";
  switch (result.answer) {
    case solver::Answer::Solved: {
      const std::size_t moves = result.moves.size();
      return head + std::to_string(moves) + (moves == 1 ? " block move" : " block moves") + ", optimal: " + result.lurd;
    }
    case solver::Answer::NoSolution:
      return head + "no solution";
    case solver::Answer::Unknown:
      break;
  }
  const auto states = result.counts.statesStored;
  std::string line = head + "unknown after " + std::to_string(states) + (states == 1 ? " state" : " states");
  // A clear that is not proved the fewest still tells a designer the stage can be cleared.
  if (!result.moves.empty()) {
    const std::size_t moves = result.moves.size();
    line += "; a clear in " + std::to_string(moves) + (moves == 1 ? " block move: " : " block moves: ") + result.lurd;
  }
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
