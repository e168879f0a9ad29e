#include "game/shell/data_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#ifndef QUOREL_DATA_DIR
#define QUOREL_DATA_DIR "/usr/local/share/quorel"
#endif

namespace quorel {

std::vector<std::string> musicFolders(const std::string& workingFolder, const std::string& executablePath) {
  return {workingFolder, std::filesystem::path(executablePath).parent_path().string(), QUOREL_DATA_DIR};
}

std::string findDataFile(const std::string& relative, const std::vector<std::string>& folders) {
  std::string file = relative;
  std::ranges::replace(file, '\\', '/');
  for (const std::string& folder : folders) {
    if (folder.empty()) continue;
    const std::filesystem::path candidate = std::filesystem::path(folder) / file;
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate.string();
  }
  return file;
}

}  // namespace quorel
