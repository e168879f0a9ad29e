// The widget tests run in one QApplication on Qt's offscreen platform, without a desktop theme.
#include <gtest/gtest.h>

#include <QApplication>

#include "editor/qt/application.h"

namespace {

// The offscreen platform cannot pass size hints on; saying so for every window is noise.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith("This plugin does not support")) return;
  qt_message_output(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(quietHandler);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qunsetenv("QT_QPA_PLATFORMTHEME");
  QApplication application(argc, argv);
  quorel::editor::setUpApplication(application);
  QApplication::setQuitOnLastWindowClosed(false);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
