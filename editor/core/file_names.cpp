#include "editor/core/file_names.h"

namespace quorel::editor {

namespace {
constexpr const char* kExtension = ".qrl";
}

bool hasStageFileExtension(const std::string& path) {
  const auto nameStart = path.find_last_of('/');
  const std::string name = nameStart == std::string::npos ? path : path.substr(nameStart + 1);
  const auto dot = name.find_last_of('.');
  return dot != std::string::npos && name.find(kExtension, dot) != std::string::npos;
}

std::string withStageFileExtension(const std::string& name) {
  return name.find(kExtension) == std::string::npos ? name + kExtension : name;
}

}  // namespace quorel::editor
