// Solves every stage of a stage set (the built-in one by default) and prints, per stage, the
// answer, the block moves, the positions kept and expanded, the time and the memory.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/stage_set.h"
#include "solver/solver.h"

namespace {

const char* answerName(quorel::solver::Answer answer) {
  switch (answer) {
    case quorel::solver::Answer::Solved:
      return "optimal";
    case quorel::solver::Answer::NoSolution:
      return "none";
    case quorel::solver::Answer::Unknown:
      break;
  }
  return "unknown";
}

long peakResidentKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : QUOREL_SOURCE_DIR "/game/resources/stages.txt";
  const int only = argc > 2 ? std::atoi(argv[2]) : 0;
  quorel::GameStageSlots set;
  if (const auto loaded = quorel::loadStageFile(path, set); !loaded) {
    std::fprintf(stderr, "%s\n", loaded.error.text().c_str());
    return 1;
  }
  quorel::solver::Control control;
  if (const char* seconds = std::getenv("SOLVER_SECONDS")) control.limits.time = std::chrono::seconds(std::atoi(seconds));
  if (const char* threads = std::getenv("SOLVER_THREADS")) control.limits.threads = std::atoi(threads);
  if (const char* mib = std::getenv("SOLVER_MIB")) control.limits.memoryBytes = std::size_t(std::atoi(mib)) << 20;
  std::printf("stage  answer    moves    expanded      stored    seconds   memory MiB\n");
  double total = 0;
  for (int stage = 1; stage < set.stageLimit; ++stage) {
    if (only != 0 && stage != only) continue;
    const auto started = std::chrono::steady_clock::now();
    const auto result = quorel::solver::solve(quorel::solver::stageOf(set, stage), control);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    total += seconds;
    std::printf("%5d  %-8s lb %3d %6d %11llu %11llu %10.2f %12.1f  %s\n", stage, answerName(result.answer), result.counts.lowerBound,
                static_cast<int>(result.moves.size()), static_cast<unsigned long long>(result.counts.statesExpanded),
                static_cast<unsigned long long>(result.counts.statesStored), seconds,
                static_cast<double>(result.peakMemoryBytes) / (1024.0 * 1024.0), result.lurd.c_str());
    std::fflush(stdout);
  }
  std::printf("total %.2f s, peak resident %.1f MiB\n", total, static_cast<double>(peakResidentKiB()) / 1024.0);
  return 0;
}
