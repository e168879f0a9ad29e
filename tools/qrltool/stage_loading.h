#pragma once
// Reading the stage set named on qrltool's command line.
#include <optional>
#include <string>

#include "common/stage_set.h"

namespace quorel::qrltool {

struct LoadedSet {
  EditorStageSlots set;
  int stagesAnnounced = 0;
};

// The word that names the game's built-in stage set in place of a file.
inline constexpr const char* kBuiltInWord = "builtin";

// Loads the file at `path` (or the built-in set for kBuiltInWord when `builtInWord` is set),
// printing the fault to standard error when it cannot.
std::optional<LoadedSet> loadSet(const std::string& path, bool builtInWord = false);

}  // namespace quorel::qrltool
