#include "game/shell/form.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <utility>

#include "common/printable_text.h"
#include "common/safe_file.h"
#include "common/temp_path.h"
#include "game/presentation/music_player.h"
#include "game/presentation/screen.h"
#include "game/presentation/sound_effects.h"
#include "game/presentation/text.h"
#include "game/presentation/tile_transition.h"
#include "game/platform/virtual_keys.h"
#include "game/resources/resources.h"
#include "game/shell/command_line.h"
#include "game/shell/data_files.h"
#include "game/shell/controls.h"
#include "game/shell/frame_timing.h"
#include "game/shell/scene_steps.h"
#include "game/shell/stage_files.h"

namespace quorel {

namespace {

constexpr int kTestPlayContinue = 99;
constexpr int kTestPlayRecord = 1;  // no clear in test play beats it, so no record file is written
constexpr int kBuiltInStageLimit = static_cast<int>(kGameStageSlots);
constexpr int kStartUpFrames = 4;

const char* const kTooManyStageFiles =
    "QUORELステージファイル(*.qrl) が28個以上あるので、一部読み込めませんでした";
const char* const kSoundFailure =
    "DirectSoundの初期化に失敗しました\nビープ音で代用しますね（一部の機種では再生できませんが）";
const char* const kSoundFailureCaption = "質問";
const char* const kDisplayFailure = "DirectDrawの初期化に失敗しました";
const char* const kSettingsNotSaved = "The settings and the records of the built-in stages could not be saved.";

constexpr int kExitFatal = -1;
constexpr int kExitTestPlayRefused = 1;

std::string currentFolder() {
  std::error_code error;
  const auto path = std::filesystem::current_path(error);
  return error ? std::string(".") : path.string();
}

}  // namespace

TForm1::TForm1(platform::Platform& platformIn, std::string executablePathIn)
    : platform(platformIn),
      executablePath(std::move(executablePathIn)),
      workingFolder(currentFolder()),
      stageFileNames(kStageFileSlots),
      stageFileLabels(kStageFileSlots) {
  GameFolder found = findGameFolder(executablePath);
  folder = std::move(found.path);
  foldersPassedOver = std::move(found.passedOver);
  pacer = std::make_unique<FramePacer>(platform.clock());
  waiter = std::make_unique<FrameWaiter>(platform.clock(), platform.input(), [this] {
    if (closeRequested_) return false;
    pumpMessages();
    return !closeRequested_;
  });
  screen = std::make_unique<Screen>(platform, [this] { pacer->pace(); });
  controls = std::make_unique<Controls>(platform.input());
  effects = std::make_unique<SoundEffects>(platform);
  music = std::make_unique<MusicPlayer>(platform, *effects);
}

TForm1::~TForm1() = default;

void TForm1::registerScene(int number, std::unique_ptr<Scene> scene) {
  if (number < 0 || number >= static_cast<int>(sceneTable_.size()) || !scene) return;
  sceneTable_[static_cast<std::size_t>(number)] = scene.get();
  scenes_.push_back(std::move(scene));
}

Scene* TForm1::sceneFor(int number) const {
  if (number < 0 || number >= static_cast<int>(sceneTable_.size())) return nullptr;
  return sceneTable_[static_cast<std::size_t>(number)];
}

// --- start-up ---

bool TForm1::FormCreate(const std::vector<std::string>& parameters) {
  fullScreen = true;
  userStage = true;
  sceneNumber = kSceneLogo;
  testPlay = false;
  playState = PlayState{};
  stageSet = GameStageSet{};
  random_.seed(platform.randomSeed());

  const CommandLine line = parseCommandLine(parameters);
  fullScreen = line.fullScreen;
  beepMode = line.beepMode;
  if (line.testPlay) {
    currentStage = line.stage;
    sceneNumber = kSceneIntro;
    testPlay = true;
    if (!startTestPlay(line.stageText)) return false;
  }

  listStageFiles();
  settings = readSettingsFile(settingsFilePath(folder));
  removeStaleTemporaries(folder);  // left by writes that were killed
  if (!startSound()) return false;
  // The soundfont loads while the display starts and the logo plays, not when the title music
  // first starts, which would hold up the hand-over's frames.
  music->prepareSynth();
  if (!startDisplay()) return false;

  pictures.work = screen->createSurface(kScreenWidth, kScreenHeight);
  if (pictures.work) colourFill({0, 0, kScreenWidth, kScreenHeight}, *pictures.work, kColourBlack);
  loadPictures();
  if (fullScreen) platform.display().hideCursor();
  showFirstFrames();
  playState.introWindow = true;
  started_ = true;
  return true;
}

// A stage set that cannot be played is refused before anything else starts: a half-loaded set
// is never played, and nothing is written.
bool TForm1::startTestPlay(const std::string& stageText) {
  const std::string path = temporaryStageFilePath();
  std::string problem;
  if (!loadStageSet(path)) {
    problem = stageLoadError.text();
  } else if (currentStage <= 0 || currentStage >= stageSet.stageLimit) {
    problem = "stage " + stageText + " is not in " + printableFileName(path);
  }
  if (!problem.empty()) {
    platform.dialogs().message(problem, kApplicationTitle);
    exitStatus = kExitTestPlayRefused;
    return false;
  }
  userRecords.userContinue = kTestPlayContinue;
  for (std::size_t s = 1; s < userRecords.userMinRecord.size(); ++s) userRecords.userMinRecord[s] = kTestPlayRecord;
  return true;
}

void TForm1::listStageFiles() {
  FileListBox1 = quorel::listStageFiles(workingFolder);
  buildStageFileList();
  if (FileListBox1.found >= kStageFileWarningAt) platform.dialogs().message(kTooManyStageFiles, kApplicationTitle);
}

void TForm1::buildStageFileList() {
  stageFileNames.assign(kStageFileSlots, "");
  stageFileLabels.assign(kStageFileSlots, "");
  std::copy(FileListBox1.names.begin(), FileListBox1.names.end(), stageFileNames.begin());
  std::copy(FileListBox1.labels.begin(), FileListBox1.labels.end(), stageFileLabels.begin());
  stageFileCount = static_cast<int>(FileListBox1.names.size());
}

bool TForm1::startSound() {
  if (effects->startUp()) return true;
  if (!platform.dialogs().askYesNo(kSoundFailure, kSoundFailureCaption)) {
    exitStatus = kExitFatal;
    return false;
  }
  beepMode = true;
  return true;
}

bool TForm1::startDisplay() {
  if (screen->startUp(fullScreen, settings.bit)) return true;
  platform.dialogs().message(kDisplayFailure, kApplicationTitle);
  exitStatus = kExitFatal;
  return false;
}

void TForm1::loadPictures() {
  for (int i = 0; i < kStartUpPictures; ++i) loadPicture(kPictureNames[i].member);
}

void TForm1::loadPicture(SurfacePtr Pictures::*member) {
  for (const PictureName& picture : kPictureNames) {
    if (picture.member == member) pictures.*member = screen->loadPicture(picture.name);
  }
}

// Black frames while the game gets ready; testing every input swallows the key presses made
// while it was loading.
void TForm1::showFirstFrames() {
  for (int frame = 0; frame < kStartUpFrames; ++frame) {
    present();
    clear();
    for (int index = 0; index < kInputs; ++index) input(index);
  }
}

// --- shutdown ---

void TForm1::FormClose() {
  if (closed_) return;
  closed_ = true;
  closeRequested_ = true;
  releasePictures();
  std::string why;
  if (!writeSettingsFile(settingsFilePath(folder), settings, &why)) reportUnsavedSettings(why);
}

// The exit status stays that of a normal close; the player learns what was lost and why.
void TForm1::reportUnsavedSettings(const std::string& why) {
  std::vector<std::string> lines = {kSettingsNotSaved, why};
  lines.insert(lines.end(), foldersPassedOver.begin(), foldersPassedOver.end());
  std::string text;
  for (const std::string& line : lines) {
    const std::string shown = printableFileName(line);
    std::fprintf(stderr, "quorel: %s\n", shown.c_str());
    text += (text.empty() ? "" : "\n") + shown;
  }
  platform.dialogs().message(text, kApplicationTitle);
}

void TForm1::releasePictures() {
  playState = PlayState{};
  stageSet = GameStageSet{};
  pictures.work.reset();
  for (const PictureName& picture : kPictureNames) (pictures.*picture.member).reset();
}

void TForm1::closeMainWindow() { closeRequested_ = true; }

// --- the scene loop ---

void TForm1::FormKeyDown(int key) {
  if (key == vk::kF9) closeMainWindow();
  if (key == vk::kEscape && sceneNumber == kSceneTitle) closeMainWindow();
  if (key == vk::kEscape && sceneNumber == kScenePlay) sceneNumber = kSceneRetry;
  if (key == vk::kF5 && sceneNumber == kScenePlay) {
    // Set first: a second F5 during the transition finds the Title menu and does nothing.
    sceneNumber = kSceneTitle;
    backToTitle(*this, MusicOnLeaving::StopBeforeTransition);
  }
}

void TForm1::scenePass() {
  if (!started_ || closeRequested_) return;
  if (sceneNumber == kSceneClose) {
    closeMainWindow();
  } else if (Scene* scene = sceneFor(sceneNumber)) {
    scene->pass(*this);
  } else {
    // Nothing to run until a key changes the scene: no need to keep a core busy meanwhile.
    platform.clock().idle();
  }
  music->setRepeat(true);
  // The close waits for the end of the pass, so the pass never draws on released surfaces.
  if (closeRequested_) FormClose();
}

bool TForm1::runPass() {
  if (!started_ || closed_) return false;
  scenePass();
  if (!closeRequested_) pumpMessages();
  if (closeRequested_) FormClose();
  return !closed_;
}

int TForm1::run() {
  while (runPass()) {
  }
  return exitStatus;
}

void TForm1::pumpMessages() {
  std::vector<platform::Event> events;
  platform.display().pollEvents(events);
  for (const platform::Event& event : events) {
    if (event.kind == platform::Event::Kind::CloseRequest) {
      closeMainWindow();
    } else {
      FormKeyDown(event.virtualKey);
    }
  }
}

void TForm1::frameWait(std::uint32_t periodMilliseconds) {
  if (closeRequested_) return;
  waiter->wait(periodMilliseconds);
}

// --- drawing ---

void TForm1::present() {
  if (closeRequested_) return;
  screen->present();
}

void TForm1::clear() { screen->clear(); }

void TForm1::colourFill(const Rect& rect, Surface& target, std::uint32_t colorref) {
  screen->colourFill(rect, target, colorref);
}

void TForm1::blit(int x, int y, const Rect& source, const Surface* picture) { screen->blit(x, y, source, picture); }

void TForm1::drawText(int x, int y, std::string_view text) {
  quorel::drawText(*screen, pictures.font.get(), x, y, text);
}

void TForm1::tileTransition(TransitionMode mode) {
  const TransitionLoop loop{
      [this] { present(); },
      [this] { pumpMessages(); },
      [this](std::uint32_t period) { frameWait(period); },
      [this] { return closeRequested_; },
  };
  quorel::tileTransition(*screen, pictures.map.get(), pictures.work.get(), mode,
                         {settings.fadeInOut, settings.drawLevel}, loop);
}

// --- input, sound, music, stages ---

bool TForm1::input(int index) { return controls->held(index, settings.joystick); }

void TForm1::playEffect(std::string_view name, int pan) {
  if (onEffect) onEffect(name, pan);
  effects->play(name, pan, {settings.se, beepMode});
}

void TForm1::playMusic(std::string_view file) {
  if (onMusic) onMusic(file);
  music->loadAndPlay(findDataFile(std::string(file), musicFolders(workingFolder, executablePath)));
}

void TForm1::stopMusic() {
  if (onMusicStop) onMusicStop();
  music->stop();
}

bool TForm1::loadStageSet(const std::string& fileName) {
  GameStageSlots& slots = stageSet;
  StageLoadResult result;
  if (userStage) {
    result = loadStageFile(fileName, slots);
  } else {
    const auto text = resources::find("TEXT", "STAGES");
    const std::string_view view(reinterpret_cast<const char*>(text.data()), text.size());
    result = parseStageSet(splitLines(view), "(built-in)", slots);
    if (result) stageSet.stageLimit = kBuiltInStageLimit;
  }
  if (!result) stageLoadError = result.error;
  return result.ok;
}

int TForm1::randomNumber() { return static_cast<int>(random_() & 0x7FFFFFFF); }

}  // namespace quorel
