#pragma once
// GameHarness: the whole game (TForm1 and its scenes) on the test back end, for scene tests.
//
//   quorel::testing::GameHarness game;        // a fresh temporary folder for quorel.dat & co.
//   ASSERT_TRUE(game.start());                // FormCreate, windowed ("w") unless told otherwise
//   game.form().sceneNumber = quorel::kSceneTitle;
//   game.hold(0x20);                          // Space held from the next pass on
//   game.runPasses(3);
//   game.release(0x20);
//   ASSERT_TRUE(game.runUntilScene(quorel::kSceneIntro, 500));
//   EXPECT_EQ(game.effects.at(0).name, "attend");
//   EXPECT_EQ(game.pixel(320, 240), 0xFFFFFFu);
//
// - The game folder and the working folder are one temporary folder, removed afterwards. Put
//   quorel.dat, record files or *.qrl files there (folder()) before start().
// - TMPDIR points at that folder while the harness lives, so the temporary stage file of test
//   play is folder() + "$$$qrl$$$.tmp" (writeTemporaryStageFile) and no other program's is seen.
// - Keys: hold/release change the key state the input test sees; tap is a press and release
//   between two asks; keyDown queues a key-down window message (F9, Escape, F5 ...), which the
//   game handles between passes or inside a frame wait.
// - beforePass(pass) runs before each pass (pass counts from 0 over the harness's life) to
//   script keys per pass.
// - Every effect and music request is recorded with the pass in which it was made; a request to
//   stop the music is recorded as the file "stop".
// - The clock is the test clock: it moves only while the game waits, so timings are exact.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "game/platform/test/test_platform.h"
#include "game/scenes/game_scenes.h"
#include "game/shell/form.h"

namespace quorel::testing {

struct EffectRequest {
  std::string name;
  int pan = 0;
  int pass = 0;
};

struct MusicRequest {
  std::string file;  // "stop" for a stop
  int pass = 0;
};

class GameHarness {
 public:
  GameHarness() : folder_(makeFolder()) {
    if (const char* old = std::getenv("TMPDIR")) oldTmpDir_ = old;
    ::setenv("TMPDIR", folder_.c_str(), 1);
    form_ = std::make_unique<TForm1>(platform, folder_ + "quorel");
    registerGameScenes(*form_);
    form_->workingFolder = folder_;
    form_->onEffect = [this](std::string_view name, int pan) { effects.push_back({std::string(name), pan, passes}); };
    form_->onMusic = [this](std::string_view file) { music.push_back({std::string(file), passes}); };
    form_->onMusicStop = [this] { music.push_back({"stop", passes}); };
  }

  ~GameHarness() {
    form_.reset();
    if (oldTmpDir_) {
      ::setenv("TMPDIR", oldTmpDir_->c_str(), 1);
    } else {
      ::unsetenv("TMPDIR");
    }
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
  }

  GameHarness(const GameHarness&) = delete;
  GameHarness& operator=(const GameHarness&) = delete;

  // The folder of quorel.dat, the record files and the stage files, with a trailing '/'.
  const std::string& folder() const { return folder_; }
  TForm1& form() { return *form_; }

  // FormCreate with the program's parameters; false when start-up ended the program.
  bool start(const std::vector<std::string>& parameters = {"w"}) { return form_->FormCreate(parameters); }

  // Runs up to `count` passes; fewer when the window closes. Returns the passes run, the one
  // that closed the window included.
  int runPasses(int count) {
    int run = 0;
    while (run < count && runOnePass()) ++run;
    return run;
  }

  // Runs passes until the Scene number is `scene` (checked before each pass) or the window has
  // closed or `passLimit` passes have run. True when the scene was reached.
  bool runUntilScene(int scene, int passLimit) {
    for (int run = 0; run < passLimit && form_->sceneNumber != scene; ++run) {
      if (!runOnePass()) break;
    }
    return form_->sceneNumber == scene;
  }

  void hold(int virtualKey) { platform.inputImpl.hold(virtualKey); }
  void release(int virtualKey) { platform.inputImpl.release(virtualKey); }
  void releaseAll() { platform.inputImpl.releaseAll(); }
  void tap(int virtualKey) { platform.inputImpl.tap(virtualKey); }
  void keyDown(int virtualKey) {
    platform.displayImpl.pendingEvents.push_back({platform::Event::Kind::KeyDown, virtualKey});
  }

  // Writes a file into folder() (a stage file, quorel.dat, ...), lines ended by CR LF.
  void writeFile(const std::string& name, const std::vector<std::string>& lines) const {
    std::ofstream out(folder_ + name, std::ios::binary);
    for (const std::string& line : lines) out << line << "\r\n";
  }
  void writeTemporaryStageFile(const std::vector<std::string>& lines) const { writeFile("$$$qrl$$$.tmp", lines); }

  // The last presented frame, 640 x 480 pixels 0x00RRGGBB.
  const std::vector<std::uint32_t>& lastFrame() const { return platform.displayImpl.lastFrame; }
  std::uint32_t pixel(int x, int y) const { return platform.displayImpl.pixel(x, y); }
  int presents() const { return static_cast<int>(platform.displayImpl.presentTimes.size()); }

  platform::TestPlatform platform;
  std::function<void(int pass)> beforePass;
  std::vector<EffectRequest> effects;
  std::vector<MusicRequest> music;
  int passes = 0;  // passes run so far

 private:
  // False when no pass could run: the window has closed or start-up never finished.
  bool runOnePass() {
    if (!form_->running()) return false;
    if (beforePass) beforePass(passes);
    form_->runPass();
    ++passes;
    return true;
  }


  static std::string makeFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorel-game-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a folder for the game");
    return pattern + "/";
  }

  std::string folder_;
  std::optional<std::string> oldTmpDir_;
  std::unique_ptr<TForm1> form_;
};

}  // namespace quorel::testing
