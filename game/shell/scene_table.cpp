#include "game/shell/scene_table.h"

namespace quorel {

std::vector<std::pair<int, std::unique_ptr<Scene>>> createScenes() {
  std::vector<std::pair<int, std::unique_ptr<Scene>>> scenes;
  return scenes;
}

}  // namespace quorel
