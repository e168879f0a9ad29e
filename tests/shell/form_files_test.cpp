// Start-up and shutdown of TForm1 when the files on disk are not what the game left there.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/shell/form.h"
#include "tests/support/game_harness.h"

namespace quorel {
namespace {

using testing::GameHarness;
using ::testing::ElementsAre;

std::vector<std::string> shownTexts(const GameHarness& game) {
  std::vector<std::string> texts;
  for (const auto& box : game.platform.dialogsImpl.shown) texts.push_back(box.text);
  return texts;
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
  for (const auto& entry : std::filesystem::directory_iterator(game.folder())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_THAT(names, ElementsAre("castle.dat"));
}

}  // namespace
}  // namespace quorel
