#include "game/shell/scene_steps.h"

#include "game/platform/virtual_keys.h"
#include "game/presentation/screen.h"
#include "game/presentation/tile_transition.h"
#include "game/shell/form.h"

namespace quorel {

namespace {

constexpr int kMosaicSquare = 32;

}  // namespace

void backToTitle(TForm1& form, MusicOnLeaving music) {
  if (music == MusicOnLeaving::StopBeforeTransition) form.stopMusic();
  form.tileTransition(kTransitionWhite);
  if (music == MusicOnLeaving::StopAfterTransition) form.stopMusic();
  form.sceneNumber = kSceneTitle;
  form.playState.introWindow = true;
  if (form.settings.bgm) form.playMusic(kTitleMusic);
  if (form.testPlay) form.closeMainWindow();
}

int stagePan(int stage) { return stage * 900 - 9000; }

std::span<int> playedSetRecords(TForm1& form) {
  if (form.userStage) return form.userRecords.userMinRecord;
  return form.settings.minRecord;
}

std::span<const int> playedSetRecords(const TForm1& form) {
  if (form.userStage) return form.userRecords.userMinRecord;
  return form.settings.minRecord;
}

bool escapeDown(TForm1& form) { return form.platform.input().asyncKeyState(vk::kEscape); }

void waitForEscapeRelease(TForm1& form) {
  while (!form.closing() && escapeDown(form)) {
    form.pumpMessages();
    form.platform.clock().idle();
  }
}

void coverWithMosaic(TForm1& form, Surface& target, const std::function<std::uint32_t()>& squareColour) {
  for (int x = 0; x < kScreenWidth; x += kMosaicSquare) {
    for (int y = 0; y < kScreenHeight; y += kMosaicSquare) {
      form.colourFill({x, y, x + kMosaicSquare, y + kMosaicSquare}, target, squareColour());
    }
  }
}

}  // namespace quorel
