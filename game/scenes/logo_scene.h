#pragma once
// Scene 12: the first scene of a normal start. A presenter line types itself onto a black
// screen, the logo assembles itself from its pixel rows, and the Title menu takes over with the
// title music. A fresh press of button 1 skips it.
#include "game/shell/form.h"

namespace quorel {

class LogoScene : public Scene {
 public:
  void pass(TForm1& form) override;

  int logoFrame = 0;         // passes made so far; the scene runs once a program run
  bool confirmLatch = true;  // button 1 has been held since the program started or it acted

  static constexpr int kLogoEnds = 150;

  // What the pass at `t` draws.
  void draw(TForm1& form, int t);

 private:
  void handOver(TForm1& form);
};

}  // namespace quorel
