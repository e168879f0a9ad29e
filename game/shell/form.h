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
#include "game/presentation/tile_transition.h"
#include "game/shell/controls.h"
#include "game/rules/play_state.h"
#include "game/shell/scene.h"
#include "game/shell/settings.h"
#include "game/shell/stage_files.h"

namespace quorel {

class Screen;
class FramePacer;
class FrameWaiter;
class SoundEffects;
class MusicPlayer;

// The in-memory stage set of the game: the stages as loaded and their working Boards.
struct GameStageSet : GameStageSlots {
  std::array<Board, kGameStageSlots> playBoard{};
};

struct Pictures {
  SurfacePtr map, face, font, logo, title, cur, window1, window2, window3, titleback;
  SurfacePtr endingback, endingback2, endingfont;
  SurfacePtr work;  // the 640 x 480 work surface
};

// The picture resources by name. Start-up loads the first kStartUpPictures in this order; the
// Ending loads its own three when it starts.
struct PictureName {
  const char* name;
  SurfacePtr Pictures::*member;
};
inline constexpr PictureName kPictureNames[] = {
    {"map", &Pictures::map},
    {"face", &Pictures::face},
    {"font", &Pictures::font},
    {"logo", &Pictures::logo},
    {"title", &Pictures::title},
    {"cur", &Pictures::cur},
    {"window1", &Pictures::window1},
    {"window2", &Pictures::window2},
    {"window3", &Pictures::window3},
    {"titleback", &Pictures::titleback},
    {"endingback", &Pictures::endingback},
    {"endingback2", &Pictures::endingback2},
    {"endingfont", &Pictures::endingfont},
};
inline constexpr int kStartUpPictures = 10;

// The caption of the game's window and of its message boxes.
inline constexpr const char* kApplicationTitle = "quorel";

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
  void tileTransition(TransitionMode mode);
  void playEffect(std::string_view name, int pan = 0);
  void playMusic(std::string_view file);  // "bgm/bgm01.mid" ...; looked up as the game does
  void stopMusic();
  bool loadStageSet(const std::string& fileName);  // the built-in text unless userStage
  void loadPicture(SurfacePtr Pictures::*member);   // from its resource, by kPictureNames
  int randomNumber();  // a non-negative pseudo-random number
  // Fills the three stage-file tables from FileListBox1, the listing of start-up.
  void buildStageFileList();

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
  StageFileList FileListBox1;     // the stage files of the working folder, listed once at start-up
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
  std::unique_ptr<Controls> controls;
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

}  // namespace quorel
