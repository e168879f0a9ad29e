#pragma once
// What the program and its widget tests set up alike before the first window: the names, a
// Japanese font that set-up installs, and Japanese texts in Qt's own dialogs.
class QApplication;

namespace quorel::editor {

void setUpApplication(QApplication& application);

}  // namespace quorel::editor
