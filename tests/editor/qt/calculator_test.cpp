// TForm2, the remainder calculator, on the offscreen platform.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "editor/qt/calculator.h"
#include "tests/editor/fakes.h"

namespace quorel::editor::test {
namespace {

class CalculatorTest : public ::testing::Test {
 protected:
  ScriptedDialogs dialogs;
  TForm2 form{dialogs};

  void SetUp() override {
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }

  static void type(QLineEdit* edit, const char* text) {
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromUtf8(text));
  }
};

TEST_F(CalculatorTest, TheForm) {
  EXPECT_EQ(form.windowTitle(), "余り電卓");
  EXPECT_EQ(form.size(), QSize(216, 92));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  for (QLineEdit* edit : {form.Edit1, form.Edit2, form.Edit3}) EXPECT_EQ(edit->text(), "0");
  EXPECT_EQ(form.Edit1->geometry(), QRect(16, 16, 41, 20));
  EXPECT_EQ(form.Edit3->geometry(), QRect(144, 16, 41, 20));
  EXPECT_EQ(form.Label1->text(), "÷");
  EXPECT_EQ(form.Label2->text(), "＝");
  EXPECT_EQ(form.Button1->text(), "計算");
  EXPECT_EQ(form.Button2->text(), "閉じる");
  EXPECT_EQ(form.BitBtn1->geometry(), QRect(176, 56, 33, 25));
  EXPECT_FALSE(form.Edit3->isEnabled());
}

TEST_F(CalculatorTest, EnterInEitherBoxComputesTheRemainder) {
  const struct {
    const char* a;
    const char* b;
    bool enterInFirst;
    const char* result;
  } cases[] = {
      {"17", "5", false, "2"},  {"0", "5", true, "0"},   {"5", "17", false, "5"},
      {"-7", "3", true, "-1"},  {"7", "-3", false, "1"}, {"-2147483648", "-1", false, "0"},
  };
  for (const auto& c : cases) {
    type(form.Edit1, c.a);
    type(form.Edit2, c.b);
    QTest::keyClick(c.enterInFirst ? form.Edit1 : form.Edit2, Qt::Key_Return);
    EXPECT_EQ(form.Edit3->text(), c.result) << c.a << " % " << c.b;
  }
  EXPECT_TRUE(form.isVisible()) << "Enter presses no button";
  EXPECT_TRUE(dialogs.messages.empty());
  type(form.Edit1, "9");
  type(form.Edit2, "4");
  QTest::keyClick(form.Edit1, Qt::Key_Enter);
  EXPECT_EQ(form.Edit3->text(), "1");
}

TEST_F(CalculatorTest, WhatCannotBeComputedIsReportedAndTheResultStays) {
  type(form.Edit1, "17");
  type(form.Edit2, "5");
  QTest::mouseClick(form.Button1, Qt::LeftButton);
  ASSERT_EQ(form.Edit3->text(), "2");
  const struct {
    const char* a;
    const char* b;
    const char* message;
  } cases[] = {
      {"abc", "5", "'abc' is not a valid integer value"},
      {"5", "x1", "'x1' is not a valid integer value"},
      {"5", "0", "Division by zero"},
  };
  for (const auto& c : cases) {
    type(form.Edit1, c.a);
    type(form.Edit2, c.b);
    QTest::keyClick(form.Edit2, Qt::Key_Return);
    EXPECT_EQ(dialogs.lastMessage().text, c.message);
    EXPECT_EQ(dialogs.lastMessage().caption, "Quorelステージエディタ");
    EXPECT_EQ(form.Edit3->text(), "2");
  }
  EXPECT_EQ(dialogs.messages.size(), std::size(cases)) << "one box per Enter";
}

TEST_F(CalculatorTest, TabSkipsTheResultAndTheHelpButton) {
  form.Edit1->setFocus();
  const QWidget* expected[] = {form.Edit2, form.Button1, form.Button2, form.Edit1};
  for (const QWidget* next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next);
  }
}

TEST_F(CalculatorTest, TheHelpButtonExplainsAndCloseCloses) {
  QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
  EXPECT_EQ(dialogs.lastMessage().caption, "余り電卓");
  EXPECT_EQ(dialogs.lastMessage().buttons, Buttons::Ok);
  EXPECT_EQ(dialogs.lastMessage().text,
            "答えとしてでるのは余りです。お間違えのないように．．．\nマウスonlyな人は[TAB]キーを有効活用しましょう");
  QTest::mouseClick(form.Button2, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace quorel::editor::test
