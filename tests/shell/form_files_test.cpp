// Start-up and shutdown of TForm1 when the files on disk are not what the game left there.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quorel
