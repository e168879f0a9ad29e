#include "editor/qt/calculator.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStyle>

#include "editor/core/dialogs.h"
#include "editor/core/number_text.h"
#include "editor/core/texts.h"
#include "editor/qt/text.h"

namespace quorel::editor {

namespace {

constexpr QSize kClientSize{216, 92};

QLineEdit* edit(QWidget* parent, const QRect& place) {
  auto* e = new QLineEdit("0", parent);
  e->setGeometry(place);
  return e;
}

QLabel* label(QWidget* parent, const QPoint& at, const char* text) {
  auto* l = new QLabel(QString::fromUtf8(text), parent);
  l->move(at);
  l->adjustSize();
  return l;
}

// Enter belongs to the two boxes: no button may take it as the dialog's default.
QPushButton* button(QWidget* parent, const QRect& place, const QString& text) {
  auto* b = new QPushButton(text, parent);
  b->setGeometry(place);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

TForm2::TForm2(Dialogs& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs) {
  setWindowTitle(qtText(texts::kCalculatorCaption));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(kClientSize);

  Edit1 = edit(this, {16, 16, 41, 20});
  Label1 = label(this, {60, 24}, "÷");
  Edit2 = edit(this, {80, 16, 41, 20});
  Label2 = label(this, {124, 24}, "＝");
  Edit3 = edit(this, {144, 16, 41, 20});
  Edit3->setEnabled(false);
  // Disabled keeps the result out of reach of the keyboard, not out of sight: full-strength text.
  QPalette result = Edit3->palette();
  result.setColor(QPalette::Disabled, QPalette::Text, result.color(QPalette::Active, QPalette::Text));
  Edit3->setPalette(result);
  Button1 = button(this, {16, 56, 75, 25}, QString::fromUtf8("計算"));
  Button2 = button(this, {96, 56, 75, 25}, QString::fromUtf8("閉じる"));
  BitBtn1 = button(this, {176, 56, 33, 25}, " ");
  BitBtn1->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
  BitBtn1->setIconSize({16, 16});
  BitBtn1->setFocusPolicy(Qt::ClickFocus);
  setTabOrder(Edit1, Edit2);
  setTabOrder(Edit2, Button1);
  setTabOrder(Button1, Button2);

  connect(Edit1, &QLineEdit::returnPressed, this, &TForm2::Button1Click);
  connect(Edit2, &QLineEdit::returnPressed, this, &TForm2::Button1Click);
  connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
}

void TForm2::Button1Click() {
  const Remainder result = remainderOf(plainText(Edit1->text()), plainText(Edit2->text()));
  if (!result.value) {
    dialogs_.message({std::string(texts::kApplicationTitle), result.error, Buttons::Ok, Icon::Error});
    return;
  }
  Edit3->setText(QString::number(*result.value));
}

void TForm2::BitBtn1Click() {
  dialogs_.message({std::string(texts::kCalculatorCaption), std::string(texts::kCalculatorHelp)});
}

}  // namespace quorel::editor
