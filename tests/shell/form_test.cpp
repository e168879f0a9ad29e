// Start-up, the scene loop, the key handler and shutdown of TForm1, on the test back end.
#include "game/shell/form.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "game/platform/virtual_keys.h"
#include "game/presentation/screen.h"
#include "game/shell/frame_timing.h"
#include "tests/support/game_harness.h"

namespace quorel {
namespace {

using testing::GameHarness;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr int kEscape = vk::kEscape;
constexpr int kF5 = vk::kF5;
constexpr int kF9 = vk::kF9;
constexpr int kProbeScene = 8;  // a Scene number without a handler of its own

const char* const kSoundQuestion =
    "DirectSoundの初期化に失敗しました\nビープ音で代用しますね（一部の機種では再生できませんが）";

// A scene whose pass is whatever the test says.
class ProbeScene : public Scene {
 public:
  explicit ProbeScene(std::function<void(TForm1&)> body) : body_(std::move(body)) {}
  void pass(TForm1& form) override {
    ++passes;
    body_(form);
  }
  int passes = 0;

 private:
  std::function<void(TForm1&)> body_;
};

ProbeScene& addProbe(GameHarness& game, std::function<void(TForm1&)> body) {
  auto scene = std::make_unique<ProbeScene>(std::move(body));
  ProbeScene& probe = *scene;
  game.form().registerScene(kProbeScene, std::move(scene));
  game.form().sceneNumber = kProbeScene;
  return probe;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool fileExists(const std::string& path) { return std::filesystem::exists(path); }

std::vector<std::string> shownTexts(const GameHarness& game) {
  std::vector<std::string> texts;
  for (const auto& box : game.platform.dialogsImpl.shown) texts.push_back(box.text);
  return texts;
}

// A stage set of `stages` walled stages whose player starts at (1, 1).
std::vector<std::string> stageSetLines(int stages) {
  std::vector<std::string> lines = {std::to_string(stages + 1), "tester"};
  std::string grid(kBoardCells, '1');
  for (int row = 1; row < kBoardRows - 1; ++row) {
    for (int column = 1; column < kBoardColumns - 1; ++column) grid[row * kBoardColumns + column] = '0';
  }
  grid[3 * kBoardColumns + 3] = 'B';
  for (int s = 1; s <= stages; ++s) {
    for (const char* line : {"1", "1", "5"}) lines.emplace_back(line);
    lines.push_back(grid);
  }
  return lines;
}

// --- start-up ---

TEST(StartUp, ANormalStartShowsFourBlackFramesThenRunsTheLogo) {
  GameHarness game;
  game.platform.inputImpl.joystick = platform::JoystickPosition{};
  ASSERT_TRUE(game.start({}));
  TForm1& form = game.form();
  EXPECT_EQ(form.sceneNumber, kSceneLogo);
  EXPECT_FALSE(form.testPlay);
  EXPECT_TRUE(form.userStage);
  EXPECT_TRUE(form.playState.introWindow);
  EXPECT_TRUE(shownTexts(game).empty());

  EXPECT_EQ(game.platform.displayImpl.openedFullScreen, true);
  EXPECT_EQ(game.platform.displayImpl.cursorHides, 1);
  EXPECT_THAT(game.platform.displayImpl.presentTimes, ElementsAre(1017u, 1033u, 1049u, 1065u));
  EXPECT_THAT(game.lastFrame(), ::testing::Each(0u));
  EXPECT_EQ(game.platform.inputImpl.joystickQueries, 4 * 6) << "inputs 0 to 5 tested after each frame";

  for (const SurfacePtr* picture : {&form.pictures.map, &form.pictures.face, &form.pictures.font, &form.pictures.logo,
                                    &form.pictures.title, &form.pictures.cur, &form.pictures.window1,
                                    &form.pictures.window2, &form.pictures.window3, &form.pictures.titleback,
                                    &form.pictures.work}) {
    EXPECT_NE(picture->get(), nullptr);
  }
  EXPECT_EQ(form.pictures.map->width(), 480);
  EXPECT_EQ(form.pictures.endingback, nullptr) << "the Ending loads its own pictures";
}

TEST(StartUp, KeyPressesMadeWhileLoadingAreSwallowed) {
  GameHarness game;
  game.tap(0x20);
  game.tap(0x25);
  ASSERT_TRUE(game.start());
  EXPECT_FALSE(game.form().input(kButton1));
  EXPECT_FALSE(game.form().input(kInputLeft));
}

TEST(StartUp, AWindowedStartKeepsTheCursor) {
  GameHarness game;
  ASSERT_TRUE(game.start({"w"}));
  EXPECT_EQ(game.platform.displayImpl.openedFullScreen, false);
  EXPECT_EQ(game.platform.displayImpl.cursorHides, 0);
  EXPECT_TRUE(shownTexts(game).empty()) << "the desktop has the wanted depth: nothing to ask";
}

TEST(StartUp, AWindowOnADesktopOfAnotherDepthIsOfferedFullScreen) {
  for (const bool yes : {true, false}) {
    GameHarness game;
    game.platform.displayImpl.desktopDepth = 32;
    game.platform.dialogsImpl.answers = {yes};
    ASSERT_TRUE(game.start({"w"}));
    ASSERT_EQ(game.platform.dialogsImpl.shown.size(), 1u);
    const auto& box = game.platform.dialogsImpl.shown[0];
    EXPECT_TRUE(box.question);
    EXPECT_EQ(box.text, "この色好みじゃないから、フルスクリーンにしよっか？");
    EXPECT_EQ(box.caption, "答えて！？");
    EXPECT_EQ(game.platform.displayImpl.openedFullScreen, yes);
    EXPECT_EQ(game.form().fullScreen, yes);
    EXPECT_EQ(game.platform.displayImpl.cursorHides, yes ? 1 : 0);
  }
}

TEST(StartUp, WithoutSoundYesPlaysBeepsAndNoEndsTheProgram) {
  for (const bool yes : {true, false}) {
    GameHarness game;
    game.platform.audioImpl.openSucceeds = false;
    game.platform.dialogsImpl.answers = {yes};
    EXPECT_EQ(game.start(), yes);
    ASSERT_GE(game.platform.dialogsImpl.shown.size(), 1u);
    EXPECT_EQ(game.platform.dialogsImpl.shown[0].text, kSoundQuestion);
    EXPECT_EQ(game.platform.dialogsImpl.shown[0].caption, "質問");
    EXPECT_TRUE(game.platform.dialogsImpl.shown[0].question);
    if (yes) {
      EXPECT_TRUE(game.form().beepMode);
      EXPECT_TRUE(game.platform.displayImpl.openedFullScreen.has_value());
    } else {
      EXPECT_EQ(game.form().exitStatus, -1);
      EXPECT_FALSE(game.platform.displayImpl.openedFullScreen.has_value()) << "the display is never started";
      EXPECT_FALSE(game.form().runPass());
    }
  }
}

TEST(StartUp, MessagesComeInStartUpOrder) {
  GameHarness game;
  for (int i = 0; i < 28; ++i) game.writeFile("set" + std::to_string(i + 10) + ".qrl", stageSetLines(1));
  game.platform.audioImpl.openSucceeds = false;
  game.platform.displayImpl.desktopDepth = 32;
  game.platform.dialogsImpl.answers = {true, false};
  ASSERT_TRUE(game.start({"w"}));
  EXPECT_THAT(shownTexts(game),
              ElementsAre(HasSubstr("28個以上"), kSoundQuestion, "この色好みじゃないから、フルスクリーンにしよっか？"));
}

TEST(StartUp, ADisplayThatCannotOpenEndsTheProgramWithoutWriting) {
  GameHarness game;
  game.platform.displayImpl.openSucceeds = false;
  EXPECT_FALSE(game.start());
  EXPECT_THAT(shownTexts(game), ElementsAre("DirectDrawの初期化に失敗しました"));
  EXPECT_EQ(game.form().exitStatus, -1);
  EXPECT_EQ(game.form().run(), -1);
  EXPECT_EQ(game.presents(), 0);
  EXPECT_FALSE(fileExists(game.folder() + "quorel.dat"));
}

TEST(StartUp, SettingsComeFromQuorelDat) {
  GameHarness game;
  game.writeFile("quorel.dat", {"[CONFIG]", "BGM=0", "BIT=32", "GAMEWAIT=250"});
  game.platform.displayImpl.desktopDepth = 32;
  ASSERT_TRUE(game.start({"w"}));
  EXPECT_FALSE(game.form().settings.bgm);
  EXPECT_EQ(game.form().settings.gameWait, 250);
  EXPECT_TRUE(shownTexts(game).empty()) << "BIT 32 on a 32-bit desktop asks nothing";
}

// --- the stage files of the working folder ---

TEST(StageFiles, TwentyEightOrMoreFilesWarnAndTheFirst27InNameOrderAreKept) {
  for (const int files : {27, 28, 31}) {
    GameHarness game;
    for (int i = files; i >= 1; --i) {
      game.writeFile((i < 10 ? "set0" : "set") + std::to_string(i) + ".qrl", stageSetLines(1));
    }
    game.writeFile("notes.txt", {"not a stage file"});
    ASSERT_TRUE(game.start());
    TForm1& form = game.form();
    if (files >= 28) {
      EXPECT_THAT(shownTexts(game),
                  ElementsAre("QUORELステージファイル(*.qrl) が28個以上あるので、一部読み込めませんでした"));
    } else {
      EXPECT_TRUE(shownTexts(game).empty());
    }
    EXPECT_EQ(form.stageFileCount, 27);
    ASSERT_EQ(form.stageFileNames.size(), 30u);
    EXPECT_EQ(form.stageFileNames[0], "set01.qrl");
    EXPECT_EQ(form.stageFileNames[26], "set27.qrl");
    EXPECT_EQ(form.stageFileNames[27], "");
    EXPECT_EQ(form.stageFileLabels[0], "set01                    ");
  }
}

TEST(StageFiles, LabelsDropTheExtensionAndAreCutTo25Characters) {
  GameHarness game;
  game.writeFile("B.QRL", stageSetLines(1));
  game.writeFile("a-very-long-name-for-a-stage-file.qrl", stageSetLines(1));
  game.writeFile("caf\xC3\xA9\xFF.qrl", stageSetLines(1));
  ASSERT_TRUE(game.start());
  TForm1& form = game.form();
  ASSERT_EQ(form.stageFileCount, 3);
  EXPECT_EQ(form.stageFileNames[0], "a-very-long-name-for-a-stage-file.qrl");
  EXPECT_EQ(form.stageFileLabels[0], "a-very-long-name-for-a-st");
  EXPECT_EQ(form.stageFileNames[1], "B.QRL");
  EXPECT_EQ(form.stageFileLabels[1], "B                        ");
  // A name is bytes: each character the font cannot show, a UTF-8 one or a stray byte, is a "?".
  EXPECT_EQ(form.stageFileNames[2], "caf\xC3\xA9\xFF.qrl");
  EXPECT_EQ(form.stageFileLabels[2], "caf??                    ");
}

// --- test play ---

TEST(TestPlay, AStageOfTheTemporaryFileStartsAtItsIntro) {
  GameHarness game;
  game.writeTemporaryStageFile(stageSetLines(3));
  ASSERT_TRUE(game.start({"2"}));
  TForm1& form = game.form();
  EXPECT_TRUE(form.testPlay);
  EXPECT_TRUE(form.userStage);
  EXPECT_EQ(form.sceneNumber, kSceneIntro);
  EXPECT_EQ(form.currentStage, 2);
  EXPECT_EQ(form.stageSet.stageLimit, 4);
  EXPECT_EQ(form.stageSet.board[2][3][3], 12);
  EXPECT_EQ(form.userRecords.userContinue, 99);
  for (int s = 1; s <= 29; ++s) EXPECT_EQ(form.userRecords.userMinRecord[s], 1) << s;
}

TEST(TestPlay, AFileOrStageThatCannotBePlayedIsReportedAndNothingIsWritten) {
  struct Case {
    const char* name;
    std::vector<std::string> fileLines;  // empty: no file
    std::string parameter;
    std::string expected;
  };
  const Case cases[] = {
      {"no file", {}, "1", "$$$qrl$$$.tmp"},
      {"malformed", {"3", "tester", "1", "1", "x"}, "1", "$$$qrl$$$.tmp:5"},
      {"stage past the last", stageSetLines(3), "4", "stage 4 is not in "},
      {"stage 0", stageSetLines(3), "00", "stage 00 is not in "},
  };
  for (const Case& c : cases) {
    GameHarness game;
    if (!c.fileLines.empty()) game.writeTemporaryStageFile(c.fileLines);
    EXPECT_FALSE(game.start({c.parameter})) << c.name;
    const auto texts = shownTexts(game);
    ASSERT_EQ(texts.size(), 1u) << c.name;
    EXPECT_THAT(texts[0], HasSubstr(c.expected)) << c.name;
    EXPECT_EQ(game.form().exitStatus, 1) << c.name;
    EXPECT_EQ(game.form().run(), 1) << c.name;
    EXPECT_FALSE(game.platform.displayImpl.openedFullScreen.has_value()) << c.name;
    EXPECT_FALSE(fileExists(game.folder() + "quorel.dat")) << c.name;
  }
}

// --- shutdown ---

TEST(Shutdown, AFirstRunWritesQuorelDatWithItsDefaultsOnce) {
  GameHarness game;
  ASSERT_TRUE(game.start());
  TForm1& form = game.form();
  // Closed during the Ending, whose own pictures are still loaded.
  form.pictures.endingback = form.screen->loadPicture("endingback");
  form.pictures.endingfont = form.screen->loadPicture("endingfont");
  game.keyDown(kF9);
  EXPECT_EQ(game.runPasses(10), 1);
  EXPECT_TRUE(form.closed());
  EXPECT_EQ(form.run(), 0);
  EXPECT_EQ(form.pictures.font, nullptr);
  EXPECT_EQ(form.pictures.map, nullptr);
  EXPECT_EQ(form.pictures.endingback, nullptr);
  EXPECT_EQ(form.pictures.endingfont, nullptr);
  const std::string path = game.folder() + "quorel.dat";
  EXPECT_THAT(readFile(path), HasSubstr("SUM=6913"));

  std::filesystem::remove(path);
  form.FormClose();
  form.closeMainWindow();
  EXPECT_FALSE(form.runPass());
  EXPECT_FALSE(fileExists(path)) << "written once only";
}

TEST(Shutdown, SceneNumber99ClosesOnTheNextPass) {
  GameHarness game;
  ASSERT_TRUE(game.start());
  game.form().sceneNumber = kSceneClose;
  EXPECT_EQ(game.runPasses(5), 1);
  EXPECT_TRUE(game.form().closed());
  EXPECT_TRUE(fileExists(game.folder() + "quorel.dat"));
}

TEST(Shutdown, AWindowCloseRequestClosesLikeF9) {
  GameHarness game;
  ASSERT_TRUE(game.start());
  game.platform.displayImpl.pendingEvents.push_back({platform::Event::Kind::CloseRequest, 0});
  EXPECT_EQ(game.runPasses(5), 1);
  EXPECT_TRUE(fileExists(game.folder() + "quorel.dat"));
}

// A close asked for in the middle of a pass: the pass ends on live surfaces, then the window
// closes once and no further pass runs.
TEST(Shutdown, F9InsideAFrameWaitOrATransitionClosesAfterThePass) {
  struct Case {
    const char* name;
    std::function<void(TForm1&)> interruptedStep;
    int presentsOfThePass;
  };
  const Case cases[] = {
      {"frame wait",
       [](TForm1& form) {
         form.frameWait(50);  // after start-up the last wait ended long ago: this one only notes the time
         form.frameWait(50);
       },
       0},
      {"transition", [](TForm1& form) { form.tileTransition(kTransitionWhite); }, 1},
  };
  for (const Case& c : cases) {
    GameHarness game;
    ASSERT_TRUE(game.start());
    bool surfacesAliveToTheEnd = false;
    ProbeScene& probe = addProbe(game, [&](TForm1& form) {
      game.keyDown(kF9);
      c.interruptedStep(form);
      EXPECT_TRUE(form.closing()) << c.name;
      const std::uint32_t before = game.platform.clockImpl.now;
      form.frameWait(100);
      form.tileTransition(kTransitionBlack);
      EXPECT_EQ(game.platform.clockImpl.now, before) << c.name << ": waits return at once while closing";
      form.drawText(0, 0, "AFTER F9");
      form.present();
      surfacesAliveToTheEnd = form.pictures.font != nullptr && !form.closed();
    });
    const int presentsBefore = game.presents();
    EXPECT_EQ(game.runPasses(10), 1) << c.name;
    EXPECT_EQ(probe.passes, 1) << c.name;
    EXPECT_EQ(game.presents() - presentsBefore, c.presentsOfThePass) << c.name;
    EXPECT_TRUE(surfacesAliveToTheEnd) << c.name;
    EXPECT_TRUE(game.form().closed()) << c.name;
    EXPECT_THAT(readFile(game.folder() + "quorel.dat"), HasSubstr("SUM=6913")) << c.name;
  }
}

// --- the key handler ---

struct KeyCase {
  const char* name;
  int scene;
  int key;
  bool testPlay;
  int sceneAfter;
  bool closes;
};

TEST(FormKeyDown, ChecksInOrder) {
  const KeyCase cases[] = {
      {"F9 in the logo", kSceneLogo, kF9, false, kSceneLogo, true},
      {"F9 in play", kScenePlay, kF9, false, kScenePlay, true},
      {"F9 without a handler", 42, kF9, false, 42, true},
      {"Escape in the title", kSceneTitle, kEscape, false, kSceneTitle, true},
      {"Escape in play", kScenePlay, kEscape, false, kSceneRetry, false},
      {"Escape in the intro", kSceneIntro, kEscape, false, kSceneIntro, false},
      {"Escape in the retry menu", kSceneRetry, kEscape, false, kSceneRetry, false},
      {"F5 in the title", kSceneTitle, kF5, false, kSceneTitle, false},
      {"F5 in the clear", kSceneClear, kF5, false, kSceneClear, false},
      {"other keys", kScenePlay, 0x20, false, kScenePlay, false},
  };
  for (const KeyCase& c : cases) {
    GameHarness game;
    ASSERT_TRUE(game.start());
    TForm1& form = game.form();
    form.sceneNumber = c.scene;
    form.testPlay = c.testPlay;
    const int presentsBefore = game.presents();
    form.FormKeyDown(c.key);
    EXPECT_EQ(form.sceneNumber, c.sceneAfter) << c.name;
    EXPECT_EQ(form.closing(), c.closes) << c.name;
    EXPECT_FALSE(form.closed()) << c.name << ": the close waits for the loop";
    EXPECT_EQ(game.presents(), presentsBefore) << c.name;
    EXPECT_TRUE(game.music.empty()) << c.name;
  }
}

TEST(FormKeyDown, F5InPlayLeavesForTheTitleThroughAWhiteTransition) {
  for (const bool bgm : {true, false}) {
    GameHarness game;
    ASSERT_TRUE(game.start());
    TForm1& form = game.form();
    form.settings.bgm = bgm;
    form.sceneNumber = kScenePlay;
    form.playState.introWindow = false;
    const int presentsBefore = game.presents();
    game.form().onMusicStop = [&] {
      game.music.push_back({"stop", 0});
      EXPECT_EQ(game.presents(), presentsBefore) << "the music stops before the transition";
    };
    form.FormKeyDown(kF5);
    EXPECT_EQ(form.sceneNumber, kSceneTitle);
    EXPECT_EQ(game.presents() - presentsBefore, 56);
    std::vector<std::string> music;
    for (const auto& request : game.music) music.push_back(request.file);
    if (bgm) {
      EXPECT_THAT(music, ElementsAre("stop", "bgm/bgm02.mid"));
    } else {
      EXPECT_THAT(music, ElementsAre("stop"));
    }
    EXPECT_TRUE(form.playState.introWindow);
    EXPECT_FALSE(form.closing());
    // The screen ends covered with the white tile of the tile picture.
    const Surface& map = *form.pictures.map;
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{45, 77}, std::pair{639, 479}}) {
      const std::uint32_t tile = map.at(64 + x % 32, 32 + y % 32);
      if (tile != 0) {
        EXPECT_EQ(game.pixel(x, y), tile) << x << "," << y;
      }
    }
  }
}

TEST(FormKeyDown, F5InTestPlayClosesAfterStartingTheTitleMusic) {
  GameHarness game;
  game.writeTemporaryStageFile(stageSetLines(1));
  ASSERT_TRUE(game.start({"1"}));
  TForm1& form = game.form();
  form.sceneNumber = kScenePlay;
  game.keyDown(kF5);
  form.pumpMessages();
  ASSERT_EQ(game.music.size(), 2u);
  EXPECT_EQ(game.music[1].file, "bgm/bgm02.mid");
  EXPECT_TRUE(form.closing());
  EXPECT_FALSE(form.runPass());
  EXPECT_TRUE(fileExists(game.folder() + "quorel.dat"));
}

TEST(FormKeyDown, EscapeDuringAFrameWaitTakesEffectOnTheNextPass) {
  GameHarness game;
  ASSERT_TRUE(game.start());
  std::vector<int> scenesSeen;
  auto play = std::make_unique<ProbeScene>([&](TForm1& form) {
    scenesSeen.push_back(form.sceneNumber);
    form.frameWait(0);
    game.keyDown(kEscape);
    form.frameWait(20);
    scenesSeen.push_back(form.sceneNumber);
  });
  ProbeScene& probe = *play;
  game.form().registerScene(kScenePlay, std::move(play));
  game.form().sceneNumber = kScenePlay;
  game.runPasses(1);
  EXPECT_EQ(probe.passes, 1);
  EXPECT_EQ(game.form().sceneNumber, kSceneRetry);
  EXPECT_THAT(scenesSeen, ElementsAre(kScenePlay, kSceneRetry)) << "the handler finishes its pass";
  EXPECT_FALSE(game.form().closing());
}

// --- the scene loop ---

TEST(SceneLoop, EachPassRunsTheCurrentSceneOnceAndHandlesMessagesBetweenPasses) {
  GameHarness game;
  ASSERT_TRUE(game.start());
  int pollsAtPass = -1;
  ProbeScene& probe = addProbe(game, [&](TForm1&) { pollsAtPass = game.platform.displayImpl.pollCount; });
  const int pollsBefore = game.platform.displayImpl.pollCount;
  EXPECT_EQ(game.runPasses(3), 3);
  EXPECT_EQ(probe.passes, 3);
  EXPECT_EQ(pollsAtPass, pollsBefore + 2);
  game.form().sceneNumber = 4;  // no handler: passes go on doing nothing
  EXPECT_EQ(game.runPasses(3), 3);
  EXPECT_EQ(probe.passes, 3);
}

TEST(SceneLoop, EffectsAndMusicRequestsReachTheHooks) {
  GameHarness game;
  ASSERT_TRUE(game.start());
  addProbe(game, [](TForm1& form) {
    form.playEffect("move", -600);
    form.playMusic("bgm/bgm01.mid");
    form.stopMusic();
  });
  game.runPasses(2);
  ASSERT_EQ(game.effects.size(), 2u);
  EXPECT_EQ(game.effects[1].name, "move");
  EXPECT_EQ(game.effects[1].pan, -600);
  EXPECT_EQ(game.effects[1].pass, 1);
  ASSERT_EQ(game.music.size(), 4u);
  EXPECT_EQ(game.music[0].file, "bgm/bgm01.mid");
  EXPECT_EQ(game.music[1].file, "stop");
}

TEST(SceneLoop, TheBuiltInSetLoadsWithStageLimit21AndAFailedLoadKeepsTheSet) {
  GameHarness game;
  ASSERT_TRUE(game.start());
  TForm1& form = game.form();
  form.userStage = false;
  ASSERT_TRUE(form.loadStageSet("ignored.qrl"));
  EXPECT_EQ(form.stageSet.stageLimit, 21);
  EXPECT_EQ(form.stageSet.startX[1], 3);
  EXPECT_EQ(form.stageSet.startY[1], 5);
  EXPECT_EQ(form.stageSet.ngNumber[1], 6);

  const GameStageSlots before = form.stageSet;
  form.userStage = true;
  game.writeFile("broken.qrl", {"3", "tester", "1", "1", "5", "too short"});
  EXPECT_FALSE(form.loadStageSet(game.folder() + "broken.qrl"));
  EXPECT_FALSE(form.stageLoadError.text().empty());
  EXPECT_TRUE(static_cast<const GameStageSlots&>(form.stageSet) == before);
}

// Mosaics and voice choices can be pinned in a test: the numbers follow the platform's seed.
TEST(SceneLoop, RandomNumbersAreNonNegativeAndFollowThePlatformsSeed) {
  const auto numbers = [](std::uint32_t seed) {
    GameHarness game;
    game.platform.seed = seed;
    EXPECT_TRUE(game.start());
    std::vector<int> drawn;
    for (int i = 0; i < 200; ++i) drawn.push_back(game.form().randomNumber());
    return drawn;
  };
  const std::vector<int> first = numbers(7);
  EXPECT_EQ(numbers(7), first);
  EXPECT_NE(numbers(8), first);
  for (int n : first) EXPECT_GE(n, 0);
}

}  // namespace
}  // namespace quorel
