#pragma once
// Scene 3: the pause and retry menu over the Board as the attempt left it: RETRY restarts
// the stage from its intro, EXIT returns to the Title menu.
#include "game/shell/form.h"

namespace quorel {

class RetryMenu : public Scene {
 public:
  void pass(TForm1& form) override;

  bool menuLatch = true;  // while true, button 1 and the cursor inputs do nothing
  int retryCursor = 0;    // 0 RETRY, 1 EXIT

  // The Board as the attempt left it, the defeated player, the banner and the menu.
  void draw(TForm1& form);

 private:
  void moveCursor(TForm1& form);
  void retry(TForm1& form);
  void exitToTitle(TForm1& form);
};

}  // namespace quorel
