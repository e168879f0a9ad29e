// The game the editor starts: the one beside it, else the one on PATH.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "editor/qt/game_launcher.h"
#include "editor/qt/text.h"

namespace quorel::editor {
namespace {

class SearchPath {
 public:
  explicit SearchPath(const QString& path) : previous_(qgetenv("PATH")) { qputenv("PATH", QFile::encodeName(path)); }
  ~SearchPath() { qputenv("PATH", previous_); }
  SearchPath(const SearchPath&) = delete;
  SearchPath& operator=(const SearchPath&) = delete;

 private:
  QByteArray previous_;
};

void makeProgram(const QString& path, bool executable) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("#!/bin/sh\n");
  file.close();
  const auto readWrite = QFile::ReadOwner | QFile::WriteOwner;
  ASSERT_TRUE(file.setPermissions(executable ? readWrite | QFile::ExeOwner : readWrite));
}

TEST(GameProgram, BesideTheEditorElseOnThePathElseBesideTheEditorStill) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const QDir dir(root.path());
  ASSERT_TRUE(dir.mkpath("editor-folder") && dir.mkpath("on-path"));
  const QString editorFolder = dir.filePath("editor-folder");
  const QString besideGame = dir.filePath("editor-folder/quorel");
  const QString pathGame = dir.filePath("on-path/quorel");
  const SearchPath path(dir.filePath("on-path"));

  EXPECT_EQ(findGameProgram(editorFolder), plainFileName(besideGame)) << "nowhere: named where it was looked for";
  makeProgram(pathGame, true);
  EXPECT_EQ(findGameProgram(editorFolder), plainFileName(pathGame));
  makeProgram(besideGame, false);
  EXPECT_EQ(findGameProgram(editorFolder), plainFileName(pathGame)) << "a file beside that cannot run is passed over";
  makeProgram(besideGame, true);
  EXPECT_EQ(findGameProgram(editorFolder), plainFileName(besideGame));
}

}  // namespace
}  // namespace quorel::editor
