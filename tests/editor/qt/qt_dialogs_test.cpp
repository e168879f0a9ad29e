// The real boxes: captions, the keys that answer them, and input boxes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>

#include "editor/qt/qt_dialogs.h"
#include "tests/editor/qt/widget_helpers.h"
#include "tests/rules/board_fixtures.h"

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

TEST(QtDialogs, TheReportOffersReplay) {
  QtDialogs dialogs;
  whenModal([](QWidget* box) {
    QPushButton* replay = nullptr;
    for (auto* button : box->findChildren<QPushButton*>()) {
      if (button->text() == "再生") replay = button;
    }
    ASSERT_NE(replay, nullptr);
    replay->click();
  });
  EXPECT_EQ(dialogs.message({"ステージを検証", "最短 1 手", Buttons::OkReplay, Icon::Information}), Answer::Replay);
  pressInBox(Qt::Key_Return);
  EXPECT_EQ(dialogs.message({"ステージを検証", "最短 1 手", Buttons::OkReplay, Icon::Information}), Answer::Ok);
}

// The search runs on its own thread while the progress dialog waits in the window's event loop.
TEST(QtDialogs, TheSearchAnswersBehindAProgressDialogThatCancels) {
  QtDialogs dialogs;
  const solver::Stage small{boardOf({"111111", "10BD01", "111111"}), 1, 1, 25};
  EXPECT_EQ(dialogs.searchStage(small).answer, solver::Answer::Solved);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the dialog is gone with the answer";

  const solver::Stage wide{boardOf({"11111111111111111111", "10000000000000000001", "10BCDEFGHIJKLMNOPQ01",
                                    "10000000000000000001", "10QPONMLKJIHGFEDCB01", "10000000000000000001",
                                    "11111111111111111111"}),
                           1, 1, 25};
  QString caption;
  whenModal([&caption](QWidget* box) {
    caption = box->windowTitle();
    auto* progress = qobject_cast<QProgressDialog*>(box);
    ASSERT_NE(progress, nullptr);
    QTest::keyClick(progress, Qt::Key_Escape);
    // It stays up, the window blocked, until the search has stopped and answered.
    EXPECT_TRUE(progress->isVisible());
    EXPECT_EQ(progress->labelText(), "探索を中止しています…");
  });
  const solver::Result result = dialogs.searchStage(wide);
  EXPECT_EQ(caption, "ステージを検証");
  EXPECT_EQ(result.answer, solver::Answer::Unknown);
  EXPECT_EQ(result.stop, solver::StopReason::Cancelled);
}

}  // namespace
}  // namespace quorel::editor::test
