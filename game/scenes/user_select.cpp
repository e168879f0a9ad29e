#include "game/scenes/user_select.h"

#include <algorithm>
#include <filesystem>

#include "game/presentation/screen.h"
#include "game/presentation/text.h"
#include "game/presentation/tile_transition.h"
#include "game/shell/scene_steps.h"
#include "game/shell/settings.h"

namespace quorel {

namespace {

constexpr int kListLeft = 20;
constexpr int kListTop = 30;
constexpr int kListPitch = 16;
constexpr Rect kHighlightBar{0, 0, 239, 18};
constexpr int kLastRepeatStep = 2;

// A dark red square: red 64 to 95, blue 0 to 63, the red drawn first.
std::uint32_t redSquare(TForm1& form) {
  const int red = 64 + form.randomNumber() % 32;
  return colourOf(red, 0, form.randomNumber() % 64);
}

void drawRedMosaic(TForm1& form, Surface& target) {
  coverWithMosaic(target, [&form] { return redSquare(form); });
}

int listRowY(int index) { return kListTop + kListPitch * index; }

}  // namespace

void UserSelect::pass(TForm1& form) {
  if (!userSelectReady) setUp(form);
  browse(form);
  form.frameWait(100);
  form.present();
  form.clear();
}

void UserSelect::setUp(TForm1& form) {
  if (Surface* work = form.pictures.work.get()) {
    form.colourFill(kScreenRect, *work, kColourBlack);
    if (form.settings.drawLevel) drawRedMosaic(form, *work);
  }
  form.tileTransition(kTransitionReveal);
  userSelectReady = true;
  form.buildStageFileList();
  if (fileCursor >= form.stageFileCount) fileCursor = 0;
}

void UserSelect::browse(TForm1& form) {
  if (form.settings.drawLevel) drawRedMosaic(form, form.screen->backBuffer());
  pointerPhase = pointerPhase >= 5 ? 0 : pointerPhase + 1;
  if (!form.input(kButton1) && !form.input(kButton2)) confirmLatch = false;
  for (int i = 0; i < form.stageFileCount; ++i) {
    form.drawText(kListLeft, listRowY(i), form.stageFileLabels[static_cast<std::size_t>(i)]);
  }
  if (form.stageFileCount == 0) {
    noData(form);
    return;
  }
  form.drawText(20, 0, "PLEASE SELECT USERS DATA");
  drawStageLine(form);
  changeStage(form);
  moveCursor(form);
  form.drawText(pointerPhase, listRowY(fileCursor), ">");
  if (form.input(kButton1) && !confirmLatch) {
    if (userStage >= 1) {
      startFile(form);
    } else {
      initRanking(form);
    }
  }
  const bool back = escapeDown(form) || form.input(kButton2);
  if (back && !confirmLatch) leave(form);
}

// Only button 1 is heard, and it leads back to the Title menu.
void UserSelect::noData(TForm1& form) {
  form.drawText(220, 220, "NO DATA!!");
  if (form.input(kButton1) && !confirmLatch) {
    form.sceneNumber = kSceneTitle;
    userSelectReady = false;
    form.tileTransition(kTransitionWhite);
    // Like every other way out: a press still held on the next visit chooses nothing.
    confirmLatch = true;
  }
}

void UserSelect::drawStageLine(TForm1& form) {
  if (userStage >= 1) {
    form.drawText(210, 464, "STAGE SELECT:" + formatNumber(userStage, 2));
  } else {
    form.blit(206, 462, kHighlightBar, form.pictures.cur.get());
    form.drawText(234, 464, "RANKING INIT");
  }
}

// Held, Left and Right step on every pass; the stages above the set's last are offered too,
// the start is limited later by the set's continue value.
void UserSelect::changeStage(TForm1& form) {
  if (form.input(kInputLeft) && userStage > 0) {
    userStage -= 1;
    form.playEffect("sdw", stagePan(userStage));
  }
  if (form.input(kInputRight) && userStage < kLastUserStage) {
    userStage += 1;
    form.playEffect("sup", stagePan(userStage));
  }
}

// A held direction moves the cursor every third pass; the list wraps at both ends.
void UserSelect::moveCursor(TForm1& form) {
  if (form.input(kInputUp)) repeatStep -= 1;
  if (form.input(kInputDown)) repeatStep += 1;
  if (repeatStep < 0) {
    fileCursor -= 1;
    repeatStep = kLastRepeatStep;
    form.playEffect("tcmove", 0);
  } else if (repeatStep > kLastRepeatStep) {
    fileCursor += 1;
    repeatStep = 0;
    form.playEffect("tcmove", 0);
  }
  if (fileCursor < 0) fileCursor = form.stageFileCount - 1;
  if (fileCursor > form.stageFileCount - 1) fileCursor = 0;
}

void UserSelect::startFile(TForm1& form) {
  const std::string name = form.stageFileNames[static_cast<std::size_t>(fileCursor)];
  const bool wasUserStage = form.userStage;
  form.userStage = true;
  // A file gone, unreadable or malformed leaves the set in memory as it was; the player reads
  // why and stays in the list.
  if (!form.loadStageSet((std::filesystem::path(form.workingFolder) / name).string())) {
    form.userStage = wasUserStage;
    form.platform.dialogs().message(form.stageLoadError.text(), kApplicationTitle);
    confirmLatch = true;
    return;
  }
  userSelectReady = false;
  form.userStageFileName = name;
  const int stageLimit = form.stageSet.stageLimit;
  readUserRecords(userRecordsPath(form.folder, name), stageLimit, form.userRecords);
  userStage = std::min(userStage, form.userRecords.userContinue);
  // A hand-made record file may hold any continue value: the start stays on a stage of the set.
  form.currentStage = std::clamp(userStage, 1, stageLimit - 1);
  form.sceneNumber = kSceneIntro;
  confirmLatch = true;
  userStage = 1;
  // The play music is heard whatever the BGM setting; opening it silences the title music at
  // once, and it starts once the screen has turned black.
  form.stopMusic();
  form.tileTransition(kTransitionWhite);
  form.tileTransition(kTransitionBlack);
  form.playMusic(kPlayMusic);
}

// The latch is left alone: while button 1 stays held the file is deleted, and "del" sounds, on
// every pass.
void UserSelect::initRanking(TForm1& form) {
  const std::string& name = form.stageFileNames[static_cast<std::size_t>(fileCursor)];
  (void)deleteUserRecords(userRecordsPath(form.folder, name));
  form.playEffect("del", 0);
}

void UserSelect::leave(TForm1& form) {
  waitForEscapeRelease(form);
  form.sceneNumber = kSceneTitle;
  userSelectReady = false;
  form.tileTransition(kTransitionWhite);
  confirmLatch = true;
}

}  // namespace quorel
