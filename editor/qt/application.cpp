#include "editor/qt/application.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

namespace quorel::editor {

namespace {

// A proportional Gothic at the size of the old 9-point form font.
constexpr const char* kFontFamily = "IPAPGothic";
constexpr int kFontPixels = 12;

}  // namespace

void setUpApplication(QApplication& application) {
  QApplication::setApplicationName("quorel-editor");
  QFont font(kFontFamily);
  font.setPixelSize(kFontPixels);
  font.setStyleHint(QFont::SansSerif);
  QApplication::setFont(font);
  // The menus are Japanese whatever the locale, so Qt's file dialogs and buttons are too.
  auto* translator = new QTranslator(&application);
  if (translator->load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator);
  }
}

}  // namespace quorel::editor
