#include "game/scenes/title_menu.h"

#include <algorithm>

#include "game/presentation/screen.h"
#include "game/presentation/text.h"
#include "game/presentation/tile_transition.h"
#include "game/shell/scene_steps.h"

namespace quorel {

namespace {

enum MenuEntry : int { kGameStart = 0, kUsersStage = 1, kOption = 2, kExit = 3 };

struct MenuText {
  const char* text;
  int y;
};
constexpr int kMenuX = 210;
// Leading and trailing spaces place each entry on the bar.
constexpr MenuText kMenuEntries[] = {
    {"   GAMESTART  ", 280},
    {"  USERS STAGE ", 300},
    {"    OPTION", 320},
    {"     EXIT", 340},
};
constexpr int kLastEntry = kExit;

// The leading spaces centre the credit line on the screen.
constexpr const char* kCredit = "    (C) 2026 TEAM QUOREL";
constexpr int kCreditX = 90, kCreditY = 460;

constexpr Rect kWholeScreen{0, 0, kScreenWidth, kScreenHeight};
constexpr Rect kTitleBand{0, 0, 640, 188};
constexpr Rect kMenuFrame{0, 0, 265, 89};
constexpr Rect kStageFrame{0, 0, 265, 23};
constexpr Rect kHighlightBar{0, 0, 239, 18};
constexpr int kStageLineX = 210, kStageLineY = 380;

constexpr int kBuiltInStages = static_cast<int>(kGameStageSlots) - 1;
constexpr std::uint32_t kSlideFramePeriod = 20;
constexpr std::uint32_t kMenuFramePeriod = 120;

bool stageSelectShown(const TForm1& form) { return form.settings.continueValue != 1; }

// The continue value, within the built-in set.
int highestSelectableStage(const TForm1& form) { return std::min(form.settings.continueValue, kBuiltInStages); }

}  // namespace

void TitleMenu::pass(TForm1& form) {
  if (!titleReady) setUp(form);
  if (!form.input(kButton1)) confirmLatch = false;
  if (slideCounter > 0) {
    slidePass(form);
  } else {
    menuPass(form);
  }
}

void TitleMenu::setUp(TForm1& form) {
  Surface* work = form.pictures.work.get();
  if (work != nullptr) form.colourFill(kWholeScreen, *work, kColourBlack);
  form.colourFill(kWholeScreen, form.screen->backBuffer(), kColourWhite);
  if (work != nullptr) keyedBlit(*work, 0, 0, kWholeScreen, form.pictures.titleback.get());
  form.tileTransition(kTransitionReveal);
  titleReady = true;
  slideCounter = kSlideFrames;
  composeRestingBackdrop(form);
}

void TitleMenu::slidePass(TForm1& form) {
  drawBackdrop(form, form.screen->backBuffer(), slideCounter);
  slideCounter -= 1;
  form.present();
  form.frameWait(kSlideFramePeriod);
  // A press only skips the slide-in; it chooses nothing.
  if (!confirmLatch && form.input(kButton1)) {
    slideCounter = 0;
    confirmLatch = true;
  }
}

// The title falls from far above, the menu frame comes in from the right and the stage select
// frame from the left.
void TitleMenu::drawBackdrop(TForm1& form, Surface& target, int n) {
  const Pictures& p = form.pictures;
  keyedBlit(target, 0, 0, kWholeScreen, p.titleback.get());
  keyedBlit(target, 0, 10 - n * n, kTitleBand, p.title.get());
  keyedBlit(target, 198 + n * n / 3, 272 - n, kMenuFrame, p.window1.get());
  if (stageSelectShown(form)) keyedBlit(target, 196 - n * n / 3, 376 + n, kStageFrame, p.window3.get());
}

// A background that covers the whole screen without a transparent pixel hides every earlier
// frame, so the resting title graphics over it are the same on every menu frame: they are
// composed once a visit and copied. Any other background is drawn piece by piece.
void TitleMenu::composeRestingBackdrop(TForm1& form) {
  const Surface* background = form.pictures.titleback.get();
  const bool opaque = background != nullptr && background->width() == kScreenWidth &&
                      background->height() == kScreenHeight && std::ranges::find(background->pixels(), 0u) ==
                                                                   background->pixels().end();
  if (!opaque) {
    restingBackdrop_.reset();
    return;
  }
  if (!restingBackdrop_) restingBackdrop_ = form.screen->createSurface(kScreenWidth, kScreenHeight);
  drawBackdrop(form, *restingBackdrop_, 0);
}

void TitleMenu::drawRestingBackdrop(TForm1& form) {
  if (restingBackdrop_) {
    form.screen->copy(0, 0, kWholeScreen, restingBackdrop_.get());
  } else {
    drawBackdrop(form, form.screen->backBuffer(), 0);
  }
}

void TitleMenu::menuPass(TForm1& form) {
  slideCounter = 0;
  drawRestingBackdrop(form);
  drawEntries(form);
  moveCursor(form);
  drawHighlight(form);
  if (stageSelectShown(form)) {
    // The line shows the stage before this pass's change, which the next frame shows.
    drawStageLine(form);
    selectStage(form);
  }
  if (!confirmLatch && form.input(kButton1)) choose(form);
  form.frameWait(kMenuFramePeriod);
  form.present();
}

void TitleMenu::drawMenu(TForm1& form) {
  if (!restingBackdrop_) composeRestingBackdrop(form);
  drawRestingBackdrop(form);
  drawEntries(form);
  drawHighlight(form);
  if (stageSelectShown(form)) drawStageLine(form);
}

void TitleMenu::drawEntries(TForm1& form) {
  form.drawText(kCreditX, kCreditY, kCredit);
  for (const MenuText& entry : kMenuEntries) form.drawText(kMenuX, entry.y, entry.text);
}

// Over the entry's text: the bar is an outline.
void TitleMenu::drawHighlight(TForm1& form) {
  form.blit(kMenuX, 279 + 20 * menuCursor, kHighlightBar, form.pictures.cur.get());
}

void TitleMenu::drawStageLine(TForm1& form) {
  form.drawText(kStageLineX, kStageLineY, "STAGE SELECT:" + formatNumber(selectedStage, 2));
}

// The cursor stops at both ends; a held direction repeats with every menu frame.
void TitleMenu::moveCursor(TForm1& form) {
  if (form.input(kInputUp) && menuCursor >= 1) {
    menuCursor -= 1;
    form.playEffect("tcmove", 0);
  }
  if (form.input(kInputDown) && menuCursor < kLastEntry) {
    menuCursor += 1;
    form.playEffect("tcmove", 0);
  }
}

void TitleMenu::selectStage(TForm1& form) {
  if (form.input(kInputLeft) && selectedStage > 1) {
    selectedStage -= 1;
    form.playEffect("sdw", stagePan(selectedStage));
  }
  if (form.input(kInputRight) && selectedStage < highestSelectableStage(form)) {
    selectedStage += 1;
    form.playEffect("sup", stagePan(selectedStage));
  }
}

void TitleMenu::choose(TForm1& form) {
  switch (menuCursor) {
    case kGameStart:
      startBuiltInSet(form);
      break;
    case kUsersStage:
      form.sceneNumber = kSceneUserSelect;
      break;
    case kOption:
      form.sceneNumber = kSceneOptions;
      selectedStage = 1;
      break;
    case kExit:
      form.tileTransition(kTransitionWhite);
      form.tileTransition(kTransitionBlack);
      form.sceneNumber = kSceneClose;
      break;
    default:
      break;
  }
  confirmLatch = true;
  titleReady = false;
}

void TitleMenu::startBuiltInSet(TForm1& form) {
  form.userStage = false;
  form.sceneNumber = kSceneIntro;
  form.currentStage = selectedStage;
  form.loadStageSet("");
  form.tileTransition(kTransitionWhite);
  form.tileTransition(kTransitionBlack);
  if (form.settings.bgm) form.playMusic(kPlayMusic);
}

}  // namespace quorel
