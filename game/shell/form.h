#pragma once
// TForm1: the game state. One object owns the display, the sound, the music, the stage set,
// the play state, the records and settings, and the scenes; nothing is global.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "common/stage_set.h"
#include "game/platform/platform.h"
#include "game/presentation/surface.h"
#include "game/puzzle/play_state.h"
#include "game/shell/settings.h"

namespace quorel {

class Screen;
class FramePacer;
class FrameWaiter;
class InputTest;
class SoundEffects;
class MusicPlayer;
class Scene;

inline constexpr int kSceneIntro = 0;
inline constexpr int kScenePlay = 1;
inline constexpr int kSceneClear = 2;
inline constexpr int kSceneRetry = 3;
inline constexpr int kSceneTitle = 5;
inline constexpr int kSceneUserSelect = 6;
inline constexpr int kSceneOptions = 7;
inline constexpr int kSceneEnding = 10;
inline constexpr int kSceneLogo = 12;
inline constexpr int kSceneClose = 99;

// Input indices of the input test.
inline constexpr int kInputLeft = 0;
inline constexpr int kInputRight = 1;
inline constexpr int kInputUp = 2;
inline constexpr int kInputDown = 3;
inline constexpr int kButton1 = 4;
inline constexpr int kButton2 = 5;

// The in-memory stage set of the game: the stages as loaded and their working Boards.
struct GameStageSet : GameStageSlots {
  std::array<Board, 21> playBoard{};
};

struct Pictures {
  SurfacePtr map, face, font, logo, title, cur, window1, window2, window3, titleback;
  SurfacePtr endingback, endingback2, endingfont;
  SurfacePtr work;  // the 640 x 480 work surface
};

class TForm1 {
 public:
  TForm1(platform::Platform& platform, std::string executablePath);
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Start-up with the program's parameters (argv[1..]). False when start-up ended the
  // process; exitStatus then holds its status.
  bool FormCreate(const std::vector<std::string>& parameters);
  void FormClose();
  void FormKeyDown(int key);
  // One pass of the scene loop (the idle handler).
  void scenePass();
  // Puts `scene` in charge of Scene number `number` (0 to 99), replacing the one there.
  void registerScene(int number, std::unique_ptr<Scene> scene);
  // Runs passes until the main window has closed; returns the exit status.
  int run();
  // One turn of the loop: a scene pass, then the window messages, then the close if one was
  // asked for. False once the window has closed (or start-up never finished).
  bool runPass();

  // Closing the main window. Safe from anywhere, also inside a frame wait or a transition:
  // FormClose runs once, after the pass that asked has finished, and no further pass runs.
  void closeMainWindow();
  bool closing() const { return closeRequested_; }
  bool closed() const { return closed_; }
  bool running() const { return started_ && !closed_; }  // start-up finished, window not closed
  int exitStatus = 0;

  // --- operations the scenes use ---
  bool input(int index);  // the input test
  void frameWait(std::uint32_t periodMilliseconds);
  void pumpMessages();
  void present();
  void clear();
  void colourFill(const Rect& rect, Surface& target, std::uint32_t colorref);
  void blit(int x, int y, const Rect& source, const Surface* picture);
  void drawText(int x, int y, std::string_view text);
  void tileTransition(int mode);
  void playEffect(std::string_view name, int pan = 0);
  void playMusic(std::string_view file);  // "bgm/bgm01.mid" ...; looked up as the game does
  void stopMusic();
  bool loadStageSet(const std::string& fileName);  // the built-in text unless userStage
  int randomNumber();  // a non-negative pseudo-random number

  // Seen before each effect or music request is passed on, so tests can follow them.
  std::function<void(std::string_view name, int pan)> onEffect;
  std::function<void(std::string_view file)> onMusic;
  std::function<void()> onMusicStop;

  // --- game state ---
  platform::Platform& platform;
  std::string executablePath;
  std::string folder;  // where quorel.dat and the record files live, with a trailing '/'
  std::vector<std::string> foldersPassedOver;  // why other folders could not take them
  std::string workingFolder;  // where stage files are listed and music is looked for first
  int sceneNumber = kSceneLogo;
  int currentStage = 0;
  bool testPlay = false;
  bool userStage = true;
  bool fullScreen = true;
  bool beepMode = false;
  Settings settings;
  UserRecords userRecords;
  std::string userStageFileName;  // the stage file of the user set being played
  std::vector<std::string> stageFileNames;
  std::vector<std::string> stageFileLabels;
  int stageFileCount = 0;
  GameStageSet stageSet;
  StageLoadError stageLoadError;  // why the last loadStageSet failed
  PlayState playState;
  Pictures pictures;

  std::unique_ptr<FramePacer> pacer;
  std::unique_ptr<FrameWaiter> waiter;
  std::unique_ptr<Screen> screen;
  std::unique_ptr<InputTest> inputTest;
  std::unique_ptr<SoundEffects> effects;
  std::unique_ptr<MusicPlayer> music;

 private:
  Scene* sceneFor(int number) const;
  bool startTestPlay(const std::string& stageText);
  void listStageFiles();
  bool startSound();
  bool startDisplay();
  void loadPictures();
  void showFirstFrames();
  void releasePictures();
  void reportUnsavedSettings(const std::string& why);

  std::minstd_rand random_;
  std::array<Scene*, 100> sceneTable_{};
  std::vector<std::unique_ptr<Scene>> scenes_;
  bool started_ = false;  // FormCreate finished: the scene loop may run
  bool closeRequested_ = false;
  bool closed_ = false;
};

// A scene: its own state as members and one method that runs a pass.
class Scene {
 public:
  virtual ~Scene() = default;
  virtual void pass(TForm1& form) = 0;
};

}  // namespace quorel
