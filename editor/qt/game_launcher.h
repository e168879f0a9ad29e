#pragma once
// Starts the game as a process of its own, beside the editor.
#include <QString>
#include <string>

#include "editor/core/dialogs.h"

namespace quorel::editor {

// The game the editor starts: `quorel` in the editor's own folder (a build folder, or the
// installed programs' folder), else the first `quorel` on PATH, else the one beside the editor
// (starting it then fails with its name and why).
std::string findGameProgram(const QString& editorFolder);

class ProcessLauncher : public GameLauncher {
 public:
  bool start(const std::string& program, const std::vector<std::string>& arguments, std::string& error) override;
};

}  // namespace quorel::editor
