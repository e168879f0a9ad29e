#pragma once
// Scene 6: the player picks a user stage file and the stage to start from, and starts it with
// the set's own records; or, at stage 0, erases the records of a file.
#include "game/shell/form.h"

namespace quorel {

class UserSelect : public Scene {
 public:
  void pass(TForm1& form) override;

  bool userSelectReady = false;  // the set-up has run for this visit
  bool confirmLatch = true;      // button 1 or 2 has been seen pressed and not yet released
  int fileCursor = 0;            // the highlighted file; kept between visits
  int repeatStep = 1;            // Up and Down move the cursor when it leaves 0..2
  int pointerPhase = 0;          // the ">" pointer's offset to the right, 0 to 5
  int userStage = 1;             // the stage to start from; 0 is RANKING INIT

  static constexpr int kLastUserStage = 30;

  // One pass without its frame wait and present: the mosaic, the list, the stage line and the
  // pointer drawn, the controls acted on.
  void browse(TForm1& form);

 private:
  void setUp(TForm1& form);
  void noData(TForm1& form);
  void drawStageLine(TForm1& form);
  void changeStage(TForm1& form);
  void moveCursor(TForm1& form);
  void startFile(TForm1& form);
  void initRanking(TForm1& form);
  void leave(TForm1& form);
};

}  // namespace quorel
