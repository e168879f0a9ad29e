// solver_bench [--time SECONDS] [--memory MIB] [--threads N] [--best SECONDS] [--clears SECONDS]
//              [--planned SECONDS] [FILE [STAGE]]
//
// Solves every stage of a stage set (the built-in one unless FILE is given) and prints per stage
// the answer, the block moves, the positions expanded and kept, the time and the memory of the
// search's tables, then the totals and the process's peak resident memory. The limits hold per
// stage (default: 60 s, 4096 MiB). An unknown stage's moves are those of the best clear found,
// in brackets, "-" when none. With --best, a stage left unknown gets the clear-finder for that
// many seconds, printed below it beside the clear that solve() itself knows. With --clears, only
// the clear-finder runs, on one thread, that many seconds per stage: its best clear's moves, the
// positions it examined, the time it took and its peak memory; --planned does the same for the
// planned clear. FILE may be the word "builtin", as for qrltool, to pick one built-in stage.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/stage_set.h"
#include "solver/solver.h"
#include "tools/builtin_stages.h"

namespace {

using quorel::solver::Answer;

struct Options {
  quorel::solver::Limits limits;
  int bestSeconds = 0;
  int clearsSeconds = 0;  // only the clear-finder, this long per stage
  bool planned = false;   // with clearsSeconds: the planned clear instead of the clear-finder
  std::string file;
  int stage = 0;  // every stage
};

const char* answerName(Answer answer) {
  switch (answer) {
    case Answer::Solved:
      return "optimal";
    case Answer::NoSolution:
      return "none";
    case Answer::Unknown:
      break;
  }
  return "unknown";
}

const char* stopName(quorel::solver::StopReason stop) {
  switch (stop) {
    case quorel::solver::StopReason::StateLimit:
      return "state limit";
    case quorel::solver::StopReason::TimeLimit:
      return "time limit";
    case quorel::solver::StopReason::MemoryLimit:
      return "memory limit";
    case quorel::solver::StopReason::Cancelled:
      return "cancelled";
    case quorel::solver::StopReason::UnsupportedBoard:
      return "unsupported tile code";
    case quorel::solver::StopReason::None:
      break;
  }
  return "";
}

double mebibytes(std::size_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

long peakResidentKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

std::optional<Options> parse(int argc, char** argv) {
  Options options;
  options.limits.time = std::chrono::seconds(60);
  options.limits.memoryBytes = std::size_t{4096} << 20;
  std::vector<std::string_view> operands;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (!arg.starts_with("--")) {
      operands.push_back(arg);
      continue;
    }
    if (i + 1 == argc) return std::nullopt;
    const long value = std::atol(argv[++i]);
    if (value <= 0) return std::nullopt;
    if (arg == "--time") {
      options.limits.time = std::chrono::seconds(value);
    } else if (arg == "--memory") {
      options.limits.memoryBytes = static_cast<std::size_t>(value) << 20;
    } else if (arg == "--threads") {
      options.limits.threads = static_cast<int>(value);
    } else if (arg == "--clears") {
      options.clearsSeconds = static_cast<int>(value);
    } else if (arg == "--planned") {
      options.clearsSeconds = static_cast<int>(value);
      options.planned = true;
    } else if (arg == "--best") {
      options.bestSeconds = static_cast<int>(value);
    } else {
      return std::nullopt;
    }
  }
  if (operands.size() > 2) return std::nullopt;
  if (!operands.empty()) options.file = operands[0];
  if (operands.size() == 2) options.stage = std::atoi(std::string(operands[1]).c_str());
  return options;
}

int clearsOnly(const quorel::EditorStageSlots& set, const Options& options) {
  quorel::solver::Control control;
  control.limits.time = std::chrono::seconds(options.clearsSeconds);
  control.limits.threads = 1;
  control.limits.memoryBytes = options.limits.memoryBytes;
  std::printf("stage  moves  found at s  expanded    seconds  MiB\n");
  for (int stage = 1; stage < set.stageLimit; ++stage) {
    if (options.stage != 0 && stage != options.stage) continue;
    const quorel::solver::Stage puzzle = quorel::solver::stageOf(set, stage);
    const auto started = std::chrono::steady_clock::now();
    const quorel::solver::Result some = options.planned ? quorel::solver::findPlannedClear(puzzle, control)
                                                        : quorel::solver::findSomeClear(puzzle, control);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const std::string moves = some.moves.empty() ? std::string("-") : std::to_string(some.moves.size());
    std::printf("%5d  %5s  %10.2f  %10llu  %7.2f  %5.1f  %s\n", stage, moves.c_str(),
                std::chrono::duration<double>(some.clearFoundAfter).count(),
                static_cast<unsigned long long>(some.counts.statesExpanded), seconds, mebibytes(some.peakMemoryBytes),
                some.lurd.c_str());
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const auto options = parse(argc, argv);
  if (!options) {
    std::fputs("usage: solver_bench [--time SECONDS] [--memory MIB] [--threads N] [--best SECONDS] [--clears SECONDS] "
               "[--planned SECONDS] [FILE [STAGE]]\n",
               stderr);
    return 2;
  }
  quorel::EditorStageSlots set;
  const quorel::StageLoadResult loaded =
      options->file.empty() || options->file == "builtin"
          ? quorel::parseStageSet(quorel::splitLines(quorel::builtInStageText()), "builtin", set)
                            : quorel::loadStageFile(options->file, set);
  if (!loaded) {
    std::fprintf(stderr, "%s\n", loaded.error.text().c_str());
    return 1;
  }
  quorel::solver::Control control;
  control.limits = options->limits;

  if (options->clearsSeconds > 0) return clearsOnly(set, *options);
  std::printf("stage  answer    moves  lower  expanded     kept        seconds  MiB\n");
  double totalSeconds = 0;
  std::size_t peakBytes = 0;
  int proved = 0, stages = 0;
  for (int stage = 1; stage < set.stageLimit; ++stage) {
    if (options->stage != 0 && stage != options->stage) continue;
    const quorel::solver::Stage puzzle = quorel::solver::stageOf(set, stage);
    const auto started = std::chrono::steady_clock::now();
    const quorel::solver::Result result = quorel::solver::solve(puzzle, control);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    totalSeconds += seconds;
    peakBytes = std::max(peakBytes, result.peakMemoryBytes);
    ++stages;
    if (result.answer != Answer::Unknown) ++proved;
    // An unknown stage's count is its best clear found, in brackets: not proved the fewest.
    const std::string moves = result.moves.empty()                ? std::string("-")
                              : result.answer == Answer::Unknown ? "(" + std::to_string(result.moves.size()) + ")"
                                                                 : std::to_string(result.moves.size());
    std::printf("%5d  %-8s  %5s  %5d  %10llu  %10llu  %7.2f  %6.1f  %s\n", stage, answerName(result.answer),
                moves.c_str(), result.counts.lowerBound,
                static_cast<unsigned long long>(result.counts.statesExpanded),
                static_cast<unsigned long long>(result.counts.statesStored), seconds, mebibytes(result.peakMemoryBytes),
                result.answer == Answer::Solved ? result.lurd.c_str() : stopName(result.stop));
    std::fflush(stdout);
    if (result.answer == Answer::Unknown && !result.moves.empty()) {
      std::printf("       best clear: %d block moves %s\n", static_cast<int>(result.moves.size()), result.lurd.c_str());
    }
    if (result.answer == Answer::Unknown && options->bestSeconds > 0) {
      quorel::solver::Control beam;
      beam.limits.time = std::chrono::seconds(options->bestSeconds);
      const quorel::solver::Result some = quorel::solver::findSomeClear(puzzle, beam);
      if (some.moves.empty()) {
        std::printf("       clear-finder: none found\n");
      } else {
        std::printf("       clear-finder: %d block moves %s\n", static_cast<int>(some.moves.size()), some.lurd.c_str());
      }
      std::fflush(stdout);
    }
  }
  std::printf("%d of %d stages settled in %.2f s; largest search %.1f MiB, peak resident %.1f MiB\n", proved, stages,
              totalSeconds, mebibytes(peakBytes), static_cast<double>(peakResidentKiB()) / 1024.0);
  return 0;
}
