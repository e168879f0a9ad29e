#include "game/shell/data_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

// The data folder seen from the folder of the installed executables; the build sets it from
// the install layout.
#ifndef QUOREL_DATA_FROM_BIN
#define QUOREL_DATA_FROM_BIN "../share/quorel"
#endif

namespace quorel {

std::string dataFolderOf(const std::string& executablePath) {
  const std::filesystem::path bin = std::filesystem::path(executablePath).parent_path();
  return (bin / QUOREL_DATA_FROM_BIN).lexically_normal().string();
}

bool isInstalled(const std::string& executablePath) {
  std::error_code error;
  return std::filesystem::is_directory(dataFolderOf(executablePath), error);
}

std::vector<std::string> musicFolders(const std::string& workingFolder, const std::string& executablePath) {
  return {workingFolder, std::filesystem::path(executablePath).parent_path().string(), dataFolderOf(executablePath)};
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
