// The stage editor: the file named on the command line, if any, opens in the window.
#include <QApplication>
#include <QStringList>
#include <string>
#include <vector>

#include "common/program_info.h"
#include "editor/qt/application.h"
#include "editor/qt/game_launcher.h"
#include "editor/qt/main_window.h"
#include "editor/qt/qt_dialogs.h"
#include "editor/qt/text.h"

namespace {

constexpr const char* kUsage =
    "Usage: quorel-editor [FILE.qrl]\n"
    "Makes and changes quorel stage sets; FILE.qrl, if given, opens at once.\n"
    "\n"
    "  FILE.qrl   a stage set to open (a file dropped on the window opens too)\n"
    "      --help     display this help and exit\n"
    "      --version  output version information and exit\n"
    "\n"
    "Ctrl+F5 plays the stage shown in the game, F5 saves and starts the game,\n"
    "F3 opens the remainder calculator, F6 finds the fewest block moves of the\n"
    "stage shown and replays them. The game is the quorel beside the editor,\n"
    "else the first quorel on PATH.\n";

}  // namespace

int main(int argc, char** argv) {
  using namespace quorel::editor;
  // Answered before Qt starts, so that they work without a display.
  const std::vector<std::string> parameters(argv + (argc > 0 ? 1 : 0), argv + argc);
  if (const auto status = quorel::answerInfoRequest(quorel::infoRequest(parameters), "quorel-editor", kUsage)) {
    return *status;
  }

  QApplication application(argc, argv);
  setUpApplication(application);

  QtDialogs dialogs;
  ProcessLauncher launcher;
  TForm1 form(dialogs, launcher, findGameProgram(QApplication::applicationDirPath()));
  dialogs.setParent(&form);

  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  form.openCommandLine(arguments);
  form.show();
  return QApplication::exec();
}
