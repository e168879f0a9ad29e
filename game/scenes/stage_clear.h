#pragma once
// Scene 2: runs out the clearing step, keeps the record, shows the clear banner until
// button 1, then flies the player off and starts the next stage, or the Ending after the last.
#include "game/shell/form.h"

namespace quorel {

class StageClear : public Scene {
 public:
  void pass(TForm1& form) override;

  bool clearFirstFrame = true;  // the record check and "next" are due
  bool newRecord = false;
  bool clearLatch = true;  // a button has been held since the scene acted on it
  int flyFrames = 0;       // 0 while the clear display waits; 1 to 99 during the fly-off
  double flySpeed = 0.0;
  double bannerY = 86.0;

  static constexpr int kFlyOffEnds = 100;

  // The cleared Board with the player in the push pose, the clear banner and, after a new
  // record, the record banner.
  void drawClearDisplay(TForm1& form);

 private:
  void runOutStep(TForm1& form);
  void flyOff(TForm1& form);
  void clearDisplay(TForm1& form);
  void checkRecord(TForm1& form);
  void leaveStage(TForm1& form);
  void advanceBuiltInSet(TForm1& form);
  void advanceUserSet(TForm1& form);
  void startEnding(TForm1& form);
};

}  // namespace quorel
