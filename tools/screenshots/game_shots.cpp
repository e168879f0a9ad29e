// game_shots OUTDIR [SHOT...]: runs the game on the test back end (virtual clock, scripted keys)
// to chosen moments and writes each frame as OUTDIR/SHOT.ppm, 640 x 480. The shots: play (a
// built-in stage after a push), title (the title menu after the logo), ending (the
// congratulation). Without SHOTs, all of them.
//
// A shot whose scene the game does not present is reported and skipped: the tool takes what the
// game can show and can simply be run again when it shows more.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_info.h"
#include "game/platform/test/test_platform.h"
#include "game/platform/virtual_keys.h"
#include "game/scenes/game_scenes.h"
#include "game/shell/form.h"

namespace {

using quorel::TForm1;

constexpr const char* kUsage =
    "Usage: game_shots OUTDIR [play|title|ending]...\n"
    "Runs the game on the test back end to each moment and writes its frame as\n"
    "OUTDIR/NAME.ppm (640 x 480). Without names, every shot. A shot whose scene the\n"
    "game does not have is reported and skipped.\n";

constexpr int kPlayStage = 8;
constexpr int kPassLimit = 5000;         // passes to reach a scene before giving up on it
constexpr int kTitleSettlePasses = 240;  // the title's fades and first cursor blinks
constexpr int kEndingPasses = 25;        // into the congratulation, before its texts fly apart

// The game in a folder of its own, on the test back end, as the scene tests run it.
class ShotGame {
 public:
  explicit ShotGame(const std::string& folder) : form_(platform_, folder + "/quorel") {
    quorel::registerGameScenes(form_);
    form_.workingFolder = folder;
  }
  TForm1& form() { return form_; }
  quorel::platform::TestPlatform& platform() { return platform_; }
  bool start() { return form_.FormCreate({"w"}); }

  // Runs passes until `scene` is current; false when it never is within the limit.
  bool runUntilScene(int scene) {
    for (int pass = 0; pass < kPassLimit && form_.sceneNumber != scene; ++pass) {
      if (!runPass()) return false;
    }
    return form_.sceneNumber == scene;
  }
  bool runPasses(int count) {
    for (int pass = 0; pass < count; ++pass) {
      if (!runPass()) return false;
    }
    return true;
  }
  // Holds `key` for one pass of the Play scene, then lets the step run out.
  bool step(int key) {
    platform_.inputImpl.hold(key);
    const bool ran = runPass();
    platform_.inputImpl.release(key);
    while (ran && form_.sceneNumber == quorel::kScenePlay && form_.playState.stepFramesLeft > 0) {
      if (!runPass()) return false;
    }
    return ran;
  }
  std::size_t presents() const { return platform_.displayImpl.presentTimes.size(); }
  const std::vector<std::uint32_t>& frame() const { return platform_.displayImpl.lastFrame; }

 private:
  bool runPass() { return form_.running() && form_.runPass(); }

  quorel::platform::TestPlatform platform_;
  TForm1 form_;
};

// Each shot brings the game to its moment; false when the game cannot show it.
bool playShot(ShotGame& game) {
  TForm1& form = game.form();
  form.userStage = false;
  if (!form.loadStageSet("")) return false;
  form.currentStage = kPlayStage;
  form.sceneNumber = quorel::kSceneIntro;
  if (!game.runUntilScene(quorel::kScenePlay)) return false;
  // Up beside block G, then push it one cell to the left: the status line counts the push.
  return game.step(quorel::vk::kUp) && game.step(quorel::vk::kLeft) && game.runPasses(2);
}

bool titleShot(ShotGame& game) {
  return game.runUntilScene(quorel::kSceneTitle) && game.runPasses(kTitleSettlePasses);
}

bool endingShot(ShotGame& game) {
  TForm1& form = game.form();
  form.userStage = false;
  if (!form.loadStageSet("")) return false;
  form.sceneNumber = quorel::kSceneEnding;
  const std::size_t before = game.presents();
  return game.runPasses(kEndingPasses) && form.sceneNumber == quorel::kSceneEnding && game.presents() > before;
}

struct Shot {
  const char* name;
  std::function<bool(ShotGame&)> take;
};

const std::vector<Shot>& shots() {
  static const std::vector<Shot> all = {{"play", playShot}, {"title", titleShot}, {"ending", endingShot}};
  return all;
}

bool writePpm(const std::string& path, const std::vector<std::uint32_t>& pixels) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n640 480\n255\n";
  for (const std::uint32_t pixel : pixels) {
    const char rgb[] = {static_cast<char>(pixel >> 16), static_cast<char>(pixel >> 8), static_cast<char>(pixel)};
    out.write(rgb, 3);
  }
  return static_cast<bool>(out);
}

// Runs one shot in a fresh game and folder; true when its frame was written.
bool take(const Shot& shot, const std::string& outFolder) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("quorel-shot-" + std::string(shot.name));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  bool written = false;
  {
    ShotGame game(folder.string());
    if (!game.start()) {
      std::fprintf(stderr, "game_shots: %s: the game did not start\n", shot.name);
    } else if (!shot.take(game) || game.frame().size() != 640u * 480u) {
      std::printf("%s: skipped, the game does not show it (yet)\n", shot.name);
    } else {
      const std::string path = outFolder + "/" + shot.name + ".ppm";
      written = writePpm(path, game.frame());
      std::printf("%s: %s\n", shot.name, written ? path.c_str() : "cannot be written");
    }
  }
  std::filesystem::remove_all(folder);
  return written;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  if (const auto status = quorel::answerInfoRequest(quorel::infoRequest(arguments), "game_shots", kUsage)) return *status;
  if (arguments.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::vector<std::string> wanted(arguments.begin() + 1, arguments.end());
  for (const std::string& name : wanted) {
    bool known = false;
    for (const Shot& shot : shots()) known = known || name == shot.name;
    if (!known) {
      std::fprintf(stderr, "game_shots: no shot named %s\n%s", name.c_str(), kUsage);
      return 2;
    }
  }
  std::filesystem::create_directories(arguments[0]);
  for (const Shot& shot : shots()) {
    if (wanted.empty() || std::find(wanted.begin(), wanted.end(), shot.name) != wanted.end()) take(shot, arguments[0]);
  }
  return 0;
}
