#include "game/scenes/game_scenes.h"

#include <memory>

#include "game/scenes/ending.h"
#include "game/scenes/logo_scene.h"
#include "game/scenes/options_scene.h"
#include "game/scenes/play_scene.h"
#include "game/scenes/retry_menu.h"
#include "game/scenes/stage_clear.h"
#include "game/scenes/stage_intro.h"
#include "game/scenes/title_menu.h"
#include "game/scenes/user_select.h"
#include "game/shell/form.h"

namespace quorel {

void registerGameScenes(TForm1& form) {
  form.registerScene(kSceneIntro, std::make_unique<StageIntro>());
  form.registerScene(kScenePlay, std::make_unique<PlayScene>());
  form.registerScene(kSceneClear, std::make_unique<StageClear>());
  form.registerScene(kSceneRetry, std::make_unique<RetryMenu>());
  form.registerScene(kSceneTitle, std::make_unique<TitleMenu>());
  form.registerScene(kSceneOptions, std::make_unique<OptionsScene>());
  form.registerScene(kSceneLogo, std::make_unique<LogoScene>());
  form.registerScene(kSceneUserSelect, std::make_unique<UserSelect>());
  form.registerScene(kSceneEnding, std::make_unique<Ending>());
}

}  // namespace quorel
