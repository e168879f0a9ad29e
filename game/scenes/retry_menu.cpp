#include "game/scenes/retry_menu.h"

#include "game/presentation/screen.h"
#include "game/presentation/tile_transition.h"
#include "game/scenes/board_drawing.h"
#include "game/rules/move_rules.h"
#include "game/shell/scene_steps.h"

namespace quorel {

namespace {

constexpr int kRetry = 0;
constexpr int kExit = 1;
constexpr Rect kRetryBanner{0, 305, 640, 400};
constexpr Rect kMenuFrame{0, 0, 265, 44};
constexpr int kDefeatedPoseRow = 8;
constexpr int kCursorPan = 3000;

}  // namespace

void RetryMenu::pass(TForm1& form) {
  if (!form.input(kInputLeft) && !form.input(kInputRight) && !form.input(kButton1)) menuLatch = false;
  moveCursor(form);
  draw(form);
  if (form.input(kButton1) && !menuLatch) {
    if (retryCursor == kRetry) {
      retry(form);
    } else {
      exitToTitle(form);
    }
  }
  form.present();
}

void RetryMenu::moveCursor(TForm1& form) {
  // No repeat: a held direction only moves the cursor towards the other entry.
  if (form.input(kInputLeft) && retryCursor == kExit && !menuLatch) {
    retryCursor = kRetry;
    form.playEffect("sdw", -kCursorPan);
  }
  if (form.input(kInputRight) && retryCursor == kRetry && !menuLatch) {
    retryCursor = kExit;
    form.playEffect("sup", kCursorPan);
  }
}

void RetryMenu::draw(TForm1& form) {
  PlayState& s = form.playState;
  drawBoard(form, kWholeBoard);
  form.blit(s.spriteX, s.spriteY + kBoardTop, faceFrame(facingOf(s), kDefeatedPoseRow), form.pictures.face.get());
  form.blit(0, 86, kRetryBanner, form.pictures.title.get());
  form.blit(198, 252, kMenuFrame, form.pictures.window2.get());
  const int highlightX = 130 * retryCursor;
  form.colourFill({220 + highlightX, 264, 310 + highlightX, 284}, form.screen->backBuffer(), kColourYellow);
  form.drawText(226, 266, "RETRY");
  form.drawText(360, 266, "EXIT");
}

void RetryMenu::retry(TForm1& form) {
  if (Surface* work = form.pictures.work.get()) {
    form.colourFill({0, 0, kScreenWidth, kScreenHeight}, *work, kColourBlack);
    keyedBlit(*work, 0, 86, kRetryBanner, form.pictures.title.get());
  }
  form.sceneNumber = kSceneIntro;
  menuLatch = true;
  form.tileTransition(kTransitionReveal);
}

void RetryMenu::exitToTitle(TForm1& form) {
  backToTitle(form, MusicOnLeaving::StopAfterTransition);
  menuLatch = true;
  retryCursor = kRetry;
}

}  // namespace quorel
