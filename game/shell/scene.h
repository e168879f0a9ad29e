#pragma once
// A scene and the Scene numbers: all the shell knows of the scenes. The scenes themselves
// live in game/scenes and are put into the table by registerGameScenes.

namespace quorel {

class TForm1;

// The Scene number selects the scene that runs the next pass. Numbers without a scene (4, 8,
// 9, 11 ...) are legal and run nothing.
enum SceneNumber : int {
  kSceneIntro = 0,
  kScenePlay = 1,
  kSceneClear = 2,
  kSceneRetry = 3,
  kSceneTitle = 5,
  kSceneUserSelect = 6,
  kSceneOptions = 7,
  kSceneEnding = 10,
  kSceneLogo = 12,
  kSceneClose = 99,  // no scene: the pass closes the main window
};

// A scene: its own state as members and one method that runs a pass.
class Scene {
 public:
  virtual ~Scene() = default;
  virtual void pass(TForm1& form) = 0;
};

}  // namespace quorel
