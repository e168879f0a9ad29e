#include "game/shell/scene_steps.h"

#include "game/platform/virtual_keys.h"
#include "game/presentation/tile_transition.h"
#include "game/shell/form.h"

namespace quorel {

namespace {

const char* const kTitleMusic = "bgm/bgm02.mid";

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

bool escapeKeyDown(TForm1& form) { return form.platform.input().asyncKeyState(vk::kEscape); }

void waitForEscapeRelease(TForm1& form) {
  while (!form.closing() && escapeKeyDown(form)) {
    form.pumpMessages();
    form.platform.clock().idle();
  }
}

std::span<int> playedSetRecords(TForm1& form) {
  if (form.userStage) return form.userRecords.userMinRecord;
  return form.settings.minRecord;
}

std::span<const int> playedSetRecords(const TForm1& form) {
  if (form.userStage) return form.userRecords.userMinRecord;
  return form.settings.minRecord;
}

}  // namespace quorel
