#include "common/temp_path.h"

#include <cstdlib>
#include <string_view>

namespace quorel {

std::string temporaryStageFilePath() {
  const char* tmpdir = std::getenv("TMPDIR");
  std::string_view folder = (tmpdir && *tmpdir) ? tmpdir : "/tmp";
  // Both programs must name the very same file, so a trailing separator is not doubled.
  while (!folder.empty() && folder.back() == '/') folder.remove_suffix(1);
  return std::string(folder) + "/$$$qrl$$$.tmp";
}

}  // namespace quorel
