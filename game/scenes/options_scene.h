#pragma once
// Scene 7: the settings, the play speed, the reset of the built-in set's records and the way
// back to the Title menu, over a shimmering mosaic when DRAWLEVEL is HI.
#include "game/shell/form.h"

namespace quorel {

class OptionsScene : public Scene {
 public:
  void pass(TForm1& form) override;

  bool optionsReady = false;  // the set-up has run for this visit
  bool confirmLatch = true;   // Left, Right or button 1 has been held since an entry last acted
  int optionCursor = 0;       // the highlighted entry; back to 0 on leaving
  bool joystickChoice = true;  // shown and flipped here; the JOY STICK setting takes it on leaving

  static constexpr int kEntries = 8;

  // The frame of a pass: the mosaic (DRAWLEVEL HI), the entries with their values and the bar.
  void draw(TForm1& form);

 private:
  void setUp(TForm1& form);
  void moveCursor(TForm1& form);
  void changeGameWait(TForm1& form);
  void act(TForm1& form);
  void initRanking(TForm1& form);
  void leave(TForm1& form);
  void drawPage(TForm1& form);
  void drawHighlight(TForm1& form);
};

}  // namespace quorel
