#include "game/shell/scene_table.h"

#include "game/puzzle/play_scene.h"
#include "game/puzzle/retry_menu.h"
#include "game/puzzle/stage_clear.h"
#include "game/puzzle/stage_intro.h"

namespace quorel {

std::vector<std::pair<int, std::unique_ptr<Scene>>> createScenes() {
  std::vector<std::pair<int, std::unique_ptr<Scene>>> scenes;
  scenes.emplace_back(kSceneIntro, std::make_unique<StageIntro>());
  scenes.emplace_back(kScenePlay, std::make_unique<PlayScene>());
  scenes.emplace_back(kSceneClear, std::make_unique<StageClear>());
  scenes.emplace_back(kSceneRetry, std::make_unique<RetryMenu>());
  return scenes;
}

}  // namespace quorel
