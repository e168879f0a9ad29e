#pragma once
// Scene 10: after the last stage of a set, the congratulation, its texts flying apart, then the
// staff roll and the credit line typing itself (or, for a short user set, its designer's name),
// and back to the Title menu. A pass counter drives the whole timeline.
#include "game/shell/form.h"

namespace quorel {

class Ending : public Scene {
 public:
  void pass(TForm1& form) override;

  bool endingReady = false;  // the set-up has run for this visit
  int endingFrame = 0;       // the timeline's pass counter; -1 at the end, so the next visit starts at 0
  double spreadOffset = 0.0;
  double spreadSpeed = 0.0;
  int rollTop = 480;  // screen row of the roll's first line

  static constexpr int kSpreadEnds = 100;
  static constexpr int kRollEnds = 750;
  static constexpr int kCreditTyped = 775;
  static constexpr int kFinish = 900;

  // The roll's background and its 19 lines at rollTop.
  void drawStaffRoll(TForm1& form);

 private:
  void setUp(TForm1& form);
  void drawCongratulation(TForm1& form, double spread);
  void congratulate(TForm1& form);
  void spreadApart(TForm1& form, int t);
  void scrollRoll(TForm1& form, int t);
  void typeCredit(TForm1& form, int t);
  void showCredit(TForm1& form);
  void finish(TForm1& form);
};

// The line of 25 characters that types itself at the very end.
inline constexpr const char* kCreditLine = "PRESENTED BY TEAM QUOREL.";

}  // namespace quorel
