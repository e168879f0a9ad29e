#pragma once
// qrltool solve: the fewest block moves of each stage of a set, by the stage solver.
#include <optional>
#include <string>

#include "solver/solver.h"

namespace quorel::qrltool {

struct SolveOptions {
  solver::Limits limits;
  std::optional<int> stage;  // every stage when empty
};

// Prints one line per stage and returns the exit status: 0 when the analysis ran, whatever it
// found; 1 when the set cannot be read; 2 when STAGE is not in the set.
int solveStages(const std::string& path, const SolveOptions& options);

}  // namespace quorel::qrltool
