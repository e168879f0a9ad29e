#include "game/shell/scene_steps.h"

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

std::span<int> playedSetRecords(TForm1& form) {
  if (form.userStage) return form.userRecords.userMinRecord;
  return form.settings.minRecord;
}

std::span<const int> playedSetRecords(const TForm1& form) {
  if (form.userStage) return form.userRecords.userMinRecord;
  return form.settings.minRecord;
}

}  // namespace quorel
