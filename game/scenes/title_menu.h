#pragma once
// Scene 5: the hub of the game. The title slides into place over its background; then a menu
// starts the built-in set (from any stage the continue value allows), the User stage select,
// the Options, or closes the program.
#include "game/shell/form.h"

namespace quorel {

class TitleMenu : public Scene {
 public:
  void pass(TForm1& form) override;

  bool titleReady = false;   // the set-up has run for this visit
  bool confirmLatch = true;  // button 1 has been held since it last acted (or since the logo)
  int slideCounter = 0;      // frames left of the slide-in
  int menuCursor = 0;        // 0 GAMESTART, 1 USERS STAGE, 2 OPTION, 3 EXIT; kept between visits
  int selectedStage = 1;     // the stage GAMESTART starts

  static constexpr int kSlideFrames = 40;

  // The resting menu: the background and title graphics, the credit line, the entries, the
  // highlight bar and the stage select line, without reading any input.
  void drawMenu(TForm1& form);

 private:
  void setUp(TForm1& form);
  void slidePass(TForm1& form);
  void menuPass(TForm1& form);
  // The background and the title graphics at slide-in counter `n` (0 at rest) onto `target`.
  void drawBackdrop(TForm1& form, Surface& target, int n);
  void composeRestingBackdrop(TForm1& form);
  void drawRestingBackdrop(TForm1& form);
  void drawEntries(TForm1& form);
  void drawHighlight(TForm1& form);
  void drawStageLine(TForm1& form);
  void moveCursor(TForm1& form);
  void selectStage(TForm1& form);
  void choose(TForm1& form);
  void startBuiltInSet(TForm1& form);

  SurfacePtr restingBackdrop_;  // empty when the background must be drawn piece by piece
};

}  // namespace quorel
