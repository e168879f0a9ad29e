#include "editor/qt/game_launcher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include "editor/qt/text.h"

namespace quorel::editor {

std::string findGameProgram(const QString& editorFolder) {
  const QString beside = QDir(editorFolder).filePath("quorel");
  const QFileInfo besideInfo(beside);
  if (besideInfo.isFile() && besideInfo.isExecutable()) return plainFileName(beside);
  const QString onPath = QStandardPaths::findExecutable("quorel");
  return plainFileName(onPath.isEmpty() ? beside : onPath);
}

bool ProcessLauncher::start(const std::string& program, const std::vector<std::string>& arguments, std::string& error) {
  QProcess process;
  process.setProgram(qtFileName(program));
  QStringList qtArguments;
  for (const std::string& argument : arguments) qtArguments << qtText(argument);
  process.setArguments(qtArguments);
  process.setWorkingDirectory(QDir::currentPath());
  if (process.startDetached()) return true;
  error = plainText(process.errorString());
  return false;
}

}  // namespace quorel::editor
