#pragma once
// Scene 0: starts an attempt at the current stage: the information window, the Board's
// reveal and the status line sliding into place.
#include "game/shell/form.h"

namespace quorel {

class StageIntro : public Scene {
 public:
  void pass(TForm1& form) override;

  int introTimer = 0;       // 0: the next pass starts a new attempt
  bool introLatch = true;  // a button has been held since it last acted here

  static constexpr int kWindowCloses = 148;
  static constexpr int kBoardRevealed = 150;
  static constexpr int kIntroEnds = 222;

  // The information window at introTimer.
  void drawWindow(TForm1& form);
  // The Board as the attempt starts and the player standing on it, onto `work` for the reveal.
  void composeReveal(TForm1& form, Surface& work);

 private:
  void startAttempt(TForm1& form);
  void windowFrame(TForm1& form);
  void revealBoard(TForm1& form);
  void slideStatusLine(TForm1& form);
};

}  // namespace quorel
