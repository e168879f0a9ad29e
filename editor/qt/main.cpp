// The stage editor: the file named on the command line, if any, opens in the window.
#include <QApplication>
#include <QStringList>

#include "editor/qt/application.h"
#include "editor/qt/game_launcher.h"
#include "editor/qt/main_window.h"
#include "editor/qt/qt_dialogs.h"
#include "editor/qt/text.h"

int main(int argc, char** argv) {
  using namespace quorel::editor;
  QApplication application(argc, argv);
  setUpApplication(application);

  QtDialogs dialogs;
  ProcessLauncher launcher;
  // The game is the one built or installed beside the editor.
  const std::string game = plainFileName(QApplication::applicationDirPath() + "/quorel");
  TForm1 form(dialogs, launcher, game);
  dialogs.setParent(&form);

  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  form.openCommandLine(arguments);
  form.show();
  return QApplication::exec();
}
