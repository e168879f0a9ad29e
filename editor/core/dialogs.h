#pragma once
// What the editor asks of its window: boxes, file choosers, the calculator, and starting the
// game. The Qt window answers for real; tests answer with scripts.
#include <optional>
#include <string>
#include <vector>

#include "solver/solver.h"

namespace quorel::editor {

enum class Buttons { Ok, YesNo, YesNoCancel, OkReplay };
enum class Icon { None, Information, Question, Warning, Error };
enum class Answer { Ok, Yes, No, Cancel, Replay };

struct Message {
  std::string caption;
  std::string text;
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::None;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual Answer message(const Message& message) = 0;
  // An input box. Cancelling gives the default text back, as if it had been typed.
  virtual std::string input(const std::string& caption, const std::string& prompt,
                            const std::string& defaultText) = 0;
  // The open dialog for stage files; nothing when cancelled.
  virtual std::optional<std::string> openFileName() = 0;
  // The save dialog for stage files, starting at `current` (may be empty); nothing when cancelled.
  virtual std::optional<std::string> saveFileName(const std::string& current) = 0;
  // Shows the remainder calculator until it is closed.
  virtual void showCalculator() = 0;
  // Searches for the stage's fewest block moves away from the window's thread, showing the
  // progress with a Cancel button until the answer is in; a cancelled search answers "unknown".
  virtual solver::Result searchStage(const solver::Stage& stage) = 0;
};

class GameLauncher {
 public:
  virtual ~GameLauncher() = default;
  // Starts `program` with `arguments` in the editor's own working folder and does not wait for
  // it. False with a reason in `error` when it cannot be started.
  virtual bool start(const std::string& program, const std::vector<std::string>& arguments, std::string& error) = 0;
};

}  // namespace quorel::editor
