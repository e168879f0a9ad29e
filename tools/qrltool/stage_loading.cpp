#include "tools/qrltool/stage_loading.h"

#include <cstdio>

#include "tools/builtin_stages.h"

namespace quorel::qrltool {

std::optional<LoadedSet> loadSet(const std::string& path, bool builtInWord) {
  LoadedSet loaded;
  const StageLoadResult result = builtInWord && path == kBuiltInWord
                                     ? parseStageSet(splitLines(builtInStageText()), path, loaded.set)
                                     : loadStageFile(path, loaded.set);
  if (!result) {
    std::fprintf(stderr, "%s\n", result.error.text().c_str());
    return std::nullopt;
  }
  loaded.stagesAnnounced = result.stagesAnnounced;
  return loaded;
}

}  // namespace quorel::qrltool
