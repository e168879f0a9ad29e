// The real boxes: captions, the keys that answer them, and input boxes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include "editor/qt/qt_dialogs.h"
#include "tests/editor/qt/widget_helpers.h"

namespace quorel::editor::test {
namespace {

// Presses `key` where the keyboard is once the box is up, and notes the box's caption.
void pressInBox(Qt::Key key, QString* caption = nullptr) {
  whenModal([key, caption](QWidget* box) {
    if (caption) *caption = box->windowTitle();
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus && box->isAncestorOf(focus) ? focus : box, key);
  });
}

TEST(QtDialogs, QuestionsAnswerToYNAndEscape) {
  const struct {
    Buttons buttons;
    Qt::Key key;
    Answer answer;
  } cases[] = {
      {Buttons::YesNoCancel, Qt::Key_Y, Answer::Yes},    {Buttons::YesNoCancel, Qt::Key_N, Answer::No},
      {Buttons::YesNoCancel, Qt::Key_Escape, Answer::Cancel}, {Buttons::YesNo, Qt::Key_Y, Answer::Yes},
      {Buttons::YesNo, Qt::Key_N, Answer::No},           {Buttons::YesNo, Qt::Key_Escape, Answer::No},
      {Buttons::YesNo, Qt::Key_Return, Answer::Yes},     {Buttons::Ok, Qt::Key_Return, Answer::Ok},
  };
  QtDialogs dialogs;
  for (const auto& c : cases) {
    QString caption;
    pressInBox(c.key, &caption);
    const Answer answer = dialogs.message({"Quorelステージエディタ", "終了する前に保存しますか？", c.buttons, Icon::Question});
    EXPECT_EQ(answer, c.answer) << static_cast<int>(c.buttons) << " " << c.key;
    EXPECT_EQ(caption, "Quorelステージエディタ");
  }
}

TEST(QtDialogs, AnInputBoxGivesTheTypedTextAndItsDefaultWhenCancelled) {
  QtDialogs dialogs;
  QString caption;
  whenModal([&caption](QWidget* box) {
    caption = box->windowTitle();
    auto* edit = box->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, "12");
    QTest::keyClick(edit, Qt::Key_Return);
  });
  EXPECT_EQ(dialogs.input("Quorelステージエディタ", "ＮＧの数を入力してください", "5"), "12");
  EXPECT_EQ(caption, "Quorelステージエディタ");

  pressInBox(Qt::Key_Escape);
  EXPECT_EQ(dialogs.input("Quorelステージエディタ", "ＮＧの数を入力してください", "5"), "5");

  // A name from an old file that is no UTF-8 comes back untouched when it is not edited.
  const std::string shiftJis = "\x83\x65\x83\x58\x83\x67";
  pressInBox(Qt::Key_Return);
  EXPECT_EQ(dialogs.input("Quorelステージエディタ", "制作者", shiftJis), shiftJis);
}

}  // namespace
}  // namespace quorel::editor::test
