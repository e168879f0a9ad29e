#pragma once
// Starts the game as a process of its own, beside the editor.
#include "editor/core/dialogs.h"

namespace quorel::editor {

class ProcessLauncher : public GameLauncher {
 public:
  bool start(const std::string& program, const std::vector<std::string>& arguments, std::string& error) override;
};

}  // namespace quorel::editor
