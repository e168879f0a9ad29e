// Start-up and shutdown of TForm1 when the machine is not what the game expects: a FIFO for
// quorel.dat, a read-only quorel.dat, no folder to write in, temporary files of a killed write,
// raw bytes in a stage file, no display.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "game/shell/form.h"
#include "game/shell/ini_file.h"
#include "tests/support/fifo.h"
#include "tests/support/game_harness.h"

namespace quorel {
namespace {

namespace fs = std::filesystem;
using testing::GameHarness;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr int kF9 = 120;
const char* const kNotSaved = "The settings and the records of the built-in stages could not be saved.";

std::vector<std::string> shownTexts(const GameHarness& game) {
  std::vector<std::string> texts;
  for (const auto& box : game.platform.dialogsImpl.shown) texts.push_back(box.text);
  return texts;
}

struct Closed {
  int status = -1;
  std::vector<std::string> shown;  // message box texts, start-up's included
  std::string stderrText;
};

// Closes a started game with F9 and runs it to its end.
Closed closeWithF9(GameHarness& game) {
  game.keyDown(kF9);
  ::testing::internal::CaptureStderr();
  Closed closed;
  closed.status = game.form().run();
  closed.stderrText = ::testing::internal::GetCapturedStderr();
  closed.shown = shownTexts(game);
  return closed;
}

TEST(OddFiles, AFifoForQuorelDatStartsWithTheDefaultsAndIsReportedNotReplacedAtClose) {
  GameHarness game;
  const testing::Fifo fifo(game.folder() + "quorel.dat");
  bool started = false;
  ASSERT_TRUE(fifo.returnsWithin([&] { started = game.start(); })) << "start-up waited on the FIFO";
  ASSERT_TRUE(started);
  EXPECT_EQ(game.form().settings, Settings{});
  const Closed closed = closeWithF9(game);
  EXPECT_EQ(closed.status, 0);
  const std::string why = fifo.path() + " is not a regular file; it was left as it is";
  EXPECT_THAT(closed.shown, ElementsAre(std::string(kNotSaved) + "\n" + why));
  EXPECT_EQ(closed.stderrText, "quorel: " + std::string(kNotSaved) + "\nquorel: " + why + "\n");
  EXPECT_TRUE(fifo.isStillAFifo());
}

TEST(OddFiles, AReadOnlyQuorelDatIsKeptAndTheCloseSaysSo) {
  GameHarness game;
  game.writeFile("quorel.dat", {"[CONFIG]", "BGM=0"});
  const std::string path = game.folder() + "quorel.dat";
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  ASSERT_TRUE(game.start());
  game.form().settings.bgm = true;
  const Closed closed = closeWithF9(game);
  EXPECT_EQ(closed.status, 0);
  EXPECT_THAT(closed.shown, ElementsAre(HasSubstr(path + " is read-only; it was left as it is")));
  EXPECT_THAT(closed.stderrText, HasSubstr(path + " is read-only"));
  EXPECT_FALSE(IniFile::load(path).readBool("CONFIG", "BGM", true));
}

TEST(OddFiles, WithNoFolderToWriteInTheCloseNamesEveryPlaceTried) {
  const GameHarness scratch;  // only for its folder
  const std::string folder = scratch.folder();
  std::optional<std::string> previousDataHome;
  if (const char* value = std::getenv("XDG_DATA_HOME")) previousDataHome = value;
  scratch.writeFile("plain-file", {});
  ::setenv("XDG_DATA_HOME", (folder + "plain-file/data").c_str(), 1);

  platform::TestPlatform platform;
  {
    TForm1 form(platform, folder + "nowhere/quorel");
    form.workingFolder = folder;
    ASSERT_TRUE(form.FormCreate({"w"}));
    platform.displayImpl.pendingEvents.push_back({platform::Event::Kind::CloseRequest, 0});
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(form.run(), 0);
    const std::string stderrText = ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(platform.dialogsImpl.shown.size(), 1u);
    const std::string& text = platform.dialogsImpl.shown[0].text;
    EXPECT_EQ(text, std::string(kNotSaved) + "\ncannot write " + folder +
                        "nowhere/quorel.dat: cannot create a temporary file in " + folder +
                        "nowhere: No such file or directory\ncannot create the folder " + folder +
                        "plain-file/data/quorel/: Not a directory");
    EXPECT_THAT(stderrText, HasSubstr("quorel: cannot create the folder " + folder + "plain-file/data/quorel/"));
  }
  if (previousDataHome) {
    ::setenv("XDG_DATA_HOME", previousDataHome->c_str(), 1);
  } else {
    ::unsetenv("XDG_DATA_HOME");
  }
}

TEST(OddFiles, RawBytesOfATestPlayFileAreShownEscaped) {
  GameHarness game;
  game.writeTemporaryStageFile({"\xEF\xBB\xBF" "2", "\x83\x4E"});
  EXPECT_FALSE(game.start({"1"}));
  EXPECT_THAT(shownTexts(game), ElementsAre(game.folder() + "$$$qrl$$$.tmp:1: the stage limit is not a plain "
                                                            "decimal number: \"\\xEF\\xBB\\xBF2\""));
}

// A write killed between creating its temporary file and renaming it leaves the file behind,
// unlocked; the next start clears them away.
TEST(OddFiles, TemporariesOfKilledWritesAreGoneAfterTheNextStart) {
  GameHarness game;
  game.writeFile(".quorel.dat.quorel-tmp-Ab12Cd", {"killed"});
  game.writeFile(".castle.dat.quorel-tmp-Zz99zz", {"killed"});
  game.writeFile("castle.dat", {"[CONFIG]"});
  ASSERT_TRUE(game.start());
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(game.folder())) names.push_back(entry.path().filename().string());
  EXPECT_THAT(names, ElementsAre("castle.dat"));
}

TEST(OddFiles, AWindowedStartWithoutADisplayReportsTheDisplayAndAsksNothing) {
  GameHarness game;
  game.platform.displayImpl.desktopDepth = 0;  // no display to measure
  game.platform.displayImpl.openSucceeds = false;
  EXPECT_FALSE(game.start({"w"}));
  EXPECT_THAT(shownTexts(game), ElementsAre("DirectDrawの初期化に失敗しました"));
  EXPECT_EQ(game.form().exitStatus, -1);
}

}  // namespace
}  // namespace quorel
