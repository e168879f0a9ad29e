// The editor's window on the offscreen platform: menus, the grid under the mouse, Player
// Setting, the sliders and labels, shortcuts, the caption and dropped files.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QSlider>
#include <QTest>
#include <QUrl>

#include "editor/qt/grid_view.h"
#include "editor/qt/main_window.h"
#include "editor/qt/tile_preview.h"
#include "tests/editor/fakes.h"
#include "tests/editor/qt/widget_helpers.h"

namespace quorel::editor::test {
namespace {

using quorel::test::joined;
using quorel::test::setLines;

class WindowTest : public ::testing::Test {
 protected:
  TemporaryFolder temp;
  ScriptedDialogs dialogs;
  RecordingLauncher launcher;
  TForm1 form{dialogs, launcher, "/opt/quorel/quorel"};

  void SetUp() override {
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }

  void openSet(int stages) {
    dialogs.openNames.push_back(temp.folder.write("set.qrl", joined(setLines(stages), "\r\n")));
    QTest::keyClick(&form, Qt::Key_F2);
  }
  int tile(int x, int y) const {
    const StageEditor& editor = const_cast<TForm1&>(form).editor();
    return editor.stages().board[static_cast<std::size_t>(editor.currentStage())][static_cast<std::size_t>(x)]
                                [static_cast<std::size_t>(y)];
  }
  QImage shownCell(int x, int y) { return cellOf(form.Image1->grab().toImage(), x * 32, y * 32); }
  static QImage tileCell(int column, int row) { return cellOf(tilePicture(), column * 32, row * 32); }
  static QImage markerCell() { return cellOf(facePicture(), 0, 64); }
};

struct ExpectedItem {
  const char* name;
  const char* caption;  // empty for a separator
  const char* shortcut;
};
struct ExpectedMenu {
  const char* name;
  const char* caption;
  std::vector<ExpectedItem> items;
};

TEST_F(WindowTest, TheFormItsMenusAndItsFont) {
  const ExpectedMenu menus[] = {
      {"file",
       "ファイル(&F)",
       {{"selectfile", "ファイルを開く(&L)", "F2"},
        {"New1", "ゲームの新規作成(&N)", "Ctrl+C"},
        {"KK1", "上書き保存する(&S)", "Ctrl+S"},
        {"save", "名前を付けて保存する(&A)", "F9"},
        {"N2", "", ""},
        {"Game", "ゲーム本体を起動する(&G)", "F5"},
        {"K1", "今編集しているステージを起動する(&I)", "Ctrl+F5"},
        {"N1", "", ""},
        {"K4", "このステージの新規作成", "Ctrl+N"},
        {"N5", "", ""},
        {"exit", "終了(&X)", "F12"}}},
      {"Edit1", "編集(&E)", {{"Undo1", "元に戻す(&U)", "Ctrl+Z"}, {"Redo1", "やり直し(&R)", "Ctrl+Y"}}},
      {"Setting1",
       "設定(&S)",
       {{"stageswap", "２ステージ入れ替え(&C)", "F7"},
        {"N4", "", ""},
        {"KS1", "ステージのＮＧナンバー設定(&S)", "F8"},
        {"K3", "このゲームの最大ステージの設定(&M)", "F11"},
        {"name", "制作者の名前(&N)", "F4"}}},
      {"KT1", "ツール(&T)", {{"K5", "余り電卓", "F3"}, {"check", "ステージを検証", "F6"}}},
      {"version", "バージョン情報(&V)", {{"ver", "バージョン情報(&V)", ""}}},
  };
  const QList<QAction*> bar = form.menuBar()->actions();
  ASSERT_EQ(bar.size(), std::ssize(menus));
  for (std::size_t m = 0; m < std::size(menus); ++m) {
    const QMenu* menu = bar[static_cast<qsizetype>(m)]->menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title().toStdString(), menus[m].caption);
    EXPECT_EQ(menu->objectName().toStdString(), menus[m].name);
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), std::ssize(menus[m].items)) << menus[m].name;
    for (std::size_t i = 0; i < menus[m].items.size(); ++i) {
      const QAction* item = items[static_cast<qsizetype>(i)];
      const ExpectedItem& expected = menus[m].items[i];
      EXPECT_EQ(item->objectName().toStdString(), expected.name);
      EXPECT_EQ(item->isSeparator(), *expected.caption == '\0') << expected.name;
      if (item->isSeparator()) continue;
      EXPECT_EQ(item->text().toStdString(), expected.caption);
      EXPECT_EQ(item->shortcut().toString(QKeySequence::PortableText).toStdString(), expected.shortcut);
    }
  }

  EXPECT_EQ(form.centralWidget()->size(), QSize(640, 494));
  EXPECT_EQ(form.Image1->geometry(), QRect(0, 0, 640, 448));
  EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "a fixed border";
  EXPECT_EQ(form.Label2->pos(), QPoint(416, 452));
  EXPECT_EQ(form.LabelNg->pos(), QPoint(480, 452));
  EXPECT_EQ(form.PlayerSetting->text(), "Player Setting");
  EXPECT_EQ(form.windowTitle(), "New file");
  // The menus are shown in the Japanese font that set-up installs, not in a stand-in.
  EXPECT_EQ(QFontInfo(form.menuBar()->font()).family(), "IPAPGothic");
}

TEST_F(WindowTest, ClicksOnGridPixelsPaintTheirCellsAndARightClickMakesFloor) {
  form.TrackBar1->setValue(2);  // block of value 1
  const struct {
    QPoint pixel;
    int x, y;
  } cases[] = {{{0, 1}, 0, 0}, {{31, 31}, 0, 0}, {{32, 5}, 1, 0}, {{300, 200}, 9, 6}, {{639, 447}, 19, 13}};
  for (const auto& c : cases) {
    QTest::mouseClick(form.Image1, Qt::LeftButton, {}, c.pixel);
    EXPECT_EQ(tile(c.x, c.y), kFirstBlockCode) << c.x << "," << c.y;
    EXPECT_EQ(shownCell(c.x, c.y), tileCell(0, 0)) << "the block's picture, copied pixel for pixel";
  }
  EXPECT_EQ(tile(1, 1), kWall);
  QTest::mouseClick(form.Image1, Qt::RightButton, {}, {300, 200});
  EXPECT_EQ(tile(9, 6), kFloor);
  EXPECT_EQ(shownCell(9, 6), tileCell(0, 1));
  EXPECT_EQ(shownCell(2, 2), tileCell(1, 1));
  EXPECT_EQ(form.windowTitle(), "New file*");
}

TEST_F(WindowTest, DraggingWithAButtonHeldPaintsOneUndoStep) {
  QTest::mousePress(form.Image1, Qt::RightButton, {}, {10, 40});
  for (int x = 10; x <= 205; x += 39) {
    QMouseEvent move(QEvent::MouseMove, QPointF(x, 40), form.Image1->mapToGlobal(QPointF(x, 40)), Qt::NoButton,
                     Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(form.Image1, &move);
  }
  QTest::mouseRelease(form.Image1, Qt::RightButton, {}, {205, 40});
  for (int x = 0; x <= 6; ++x) EXPECT_EQ(tile(x, 1), kFloor) << x;
  EXPECT_EQ(tile(7, 1), kWall);
  EXPECT_TRUE(form.action(Command::Undo)->isEnabled());
  QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
  for (int x = 0; x <= 6; ++x) EXPECT_EQ(tile(x, 1), kWall) << x;
  EXPECT_FALSE(form.action(Command::Undo)->isEnabled());
  EXPECT_TRUE(form.action(Command::Redo)->isEnabled());
  QTest::keyClick(&form, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(tile(6, 1), kFloor);
}

TEST_F(WindowTest, PlayerSettingMovesTheMarkerAndLeavesTheTile) {
  EXPECT_EQ(shownCell(1, 1), markerCell());
  QTest::mouseClick(form.PlayerSetting, Qt::LeftButton, {}, QPoint(6, form.PlayerSetting->height() / 2));
  ASSERT_TRUE(form.PlayerSetting->isChecked());
  QTest::mouseClick(form.Image1, Qt::LeftButton, {}, {8 * 32 + 3, 9 * 32 + 3});
  EXPECT_EQ(form.editor().stages().startX[1], 8);
  EXPECT_EQ(form.editor().stages().startY[1], 9);
  EXPECT_EQ(tile(8, 9), kWall);
  EXPECT_EQ(shownCell(8, 9), markerCell());
  EXPECT_EQ(shownCell(1, 1), tileCell(1, 1));

  QTest::mouseClick(form.PlayerSetting, Qt::LeftButton, {}, QPoint(6, form.PlayerSetting->height() / 2));
  ASSERT_FALSE(form.PlayerSetting->isChecked());
  form.TrackBar1->setValue(0);
  QTest::mouseClick(form.Image1, Qt::LeftButton, {}, {8 * 32 + 3, 9 * 32 + 3});
  EXPECT_EQ(tile(8, 9), kFloor);
  EXPECT_EQ(shownCell(8, 9), markerCell()) << "the marker stays on top";
}

TEST_F(WindowTest, SlidersChooseTheTileAndTheStageAndTheLabelsFollow) {
  EXPECT_EQ(form.TrackBar1->minimum(), 0);
  EXPECT_EQ(form.TrackBar1->maximum(), 26);
  EXPECT_EQ(form.TrackBar2->maximum(), 15);
  openSet(6);
  EXPECT_EQ(form.TrackBar2->minimum(), 1);
  EXPECT_EQ(form.TrackBar2->maximum(), 6);

  form.TrackBar2->setValue(3);
  EXPECT_EQ(form.Label2->text(), "STAGE:3");
  EXPECT_EQ(form.LabelNg->text(), "NG:4");
  EXPECT_EQ(shownCell(4, 2), tileCell(2, 0)) << "stage 3 holds a block of value 3 at (4, 2)";
  form.TrackBar2->setFocus();
  QTest::keyClick(form.TrackBar2, Qt::Key_Right);
  EXPECT_EQ(form.Label2->text(), "STAGE:4");
  EXPECT_EQ(form.editor().currentStage(), 4);

  for (const auto& [position, column, row] : {std::tuple{0, 0, 1}, {1, 1, 1}, {2, 0, 0}, {26, 24, 0}}) {
    form.TrackBar1->setValue(position);
    EXPECT_EQ(cellOf(form.Image5->grab().toImage(), 0, 0), tileCell(column, row)) << position;
  }
  QTest::mouseClick(form.Image1, Qt::LeftButton, {}, {5, 5});
  EXPECT_EQ(tile(0, 0), 35);
}

TEST_F(WindowTest, ShortcutsReachTheirActions) {
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    std::string firstCall;
  } cases[] = {
      {Qt::Key_F2, Qt::NoModifier, "open"},
      {Qt::Key_C, Qt::ControlModifier, "message: 全ステージを新規作成します"},
      {Qt::Key_S, Qt::ControlModifier, "save"},
      {Qt::Key_F9, Qt::NoModifier, "save"},
      {Qt::Key_F5, Qt::NoModifier, "save"},
      {Qt::Key_N, Qt::ControlModifier, "message: このステージのみを新規作成します"},
      {Qt::Key_F12, Qt::NoModifier, "message: 終了する前に保存しますか？"},
      {Qt::Key_F7, Qt::NoModifier, "input: 現ステージと入れ替えるところを入力してください"},
      {Qt::Key_F8, Qt::NoModifier, "input: ＮＧの数を入力してください"},
      {Qt::Key_F11, Qt::NoModifier, "input: ステージの合計を入力してください(1-30)"},
      {Qt::Key_F4, Qt::NoModifier, "input: 制作者の名前を入力してください（半角１６文字まで）"},
      {Qt::Key_F3, Qt::NoModifier, "calculator"},
      {Qt::Key_F6, Qt::NoModifier,
       "message: プレイヤーの開始位置が床ではありません。\n\nブロックが２個以上ないので、このステージはクリアできません。"},
  };
  for (const auto& c : cases) {
    dialogs.log.clear();
    dialogs.answers = {Answer::Cancel};  // the close question stays open; the others take it as no
    QTest::keyClick(&form, c.key, c.modifiers);
    ASSERT_FALSE(dialogs.log.empty()) << c.firstCall;
    EXPECT_EQ(dialogs.log.front(), c.firstCall);
  }
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(launcher.starts.empty());

  QTest::keyClick(&form, Qt::Key_F5, Qt::ControlModifier);
  ASSERT_EQ(launcher.starts.size(), 1u);
  EXPECT_EQ(launcher.starts[0].program, "/opt/quorel/quorel");
  EXPECT_EQ(launcher.starts[0].arguments, std::vector<std::string>{"1"});

  dialogs.log.clear();
  dialogs.answers = {Answer::No};
  form.action(Command::Version)->trigger();
  EXPECT_EQ(dialogs.messages.back().caption, "Version");
}

TEST_F(WindowTest, F12ThenNoClosesTheWindow) {
  dialogs.answers = {Answer::No};
  QTest::keyClick(&form, Qt::Key_F12);
  EXPECT_FALSE(form.isVisible());
}

TEST_F(WindowTest, ADroppedStageFileOpensAndOthersAreIgnored) {
  const std::string file = temp.folder.write("dropped.qrl", joined(setLines(4), "\r\n"));
  const auto drop = [&](const QString& name) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(name)});
    const QPoint at(100, 100);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &dropped);
  };
  drop(QString::fromStdString(temp.folder.write("notes.txt", "16\r\n")));
  EXPECT_EQ(form.windowTitle(), "New file");
  drop(QString::fromStdString(file));
  EXPECT_EQ(form.windowTitle().toStdString(), file);
  EXPECT_EQ(form.TrackBar2->maximum(), 4);
}

TEST_F(WindowTest, TheCommandLineOpensAStageFile) {
  const std::string file = temp.folder.write("named.qrl", joined(setLines(3), "\r\n"));
  form.openCommandLine({QString::fromStdString(file)});
  EXPECT_EQ(form.windowTitle().toStdString(), file);
  EXPECT_EQ(form.TrackBar2->maximum(), 3);
  EXPECT_EQ(form.LabelNg->text(), "NG:2");
}

TEST_F(WindowTest, F6ReportsTheFewestMovesAndReplaysThemOnTheGrid) {
  // Floor at (1..4, 1), a B at (2, 1) and a D at (3, 1), the start at (1, 1): one push clears it.
  StageEditor& editor = form.editor();
  form.Image1->setReplayTimed(false);
  for (const auto& [x, position] : {std::pair{1, 0}, {2, 3}, {3, 5}, {4, 0}}) {
    editor.choosePalette(position);
    QTest::mouseClick(form.Image1, Qt::LeftButton, {}, {x * 32 + 16, 48});
  }
  dialogs.answers = {Answer::Replay};
  QTest::keyClick(&form, Qt::Key_F6);
  EXPECT_EQ(dialogs.log.back(), "message: 最短 1 手（ブロックを動かす回数）でクリアできます。");
  ASSERT_TRUE(form.Image1->replaying());
  EXPECT_EQ(form.Image1->replayStep(), 0);
  EXPECT_EQ(shownCell(1, 1), markerCell());

  form.Image1->stepReplay();
  EXPECT_EQ(form.Image1->replayStep(), 1);
  EXPECT_EQ(shownCell(2, 1), markerCell()) << "the player pushed from (1, 1)";
  EXPECT_EQ(shownCell(3, 1), tileCell(0, 1)) << "the merge left floor";
  EXPECT_EQ(tile(3, 1), blockCode(4)) << "the stage itself is untouched";
  form.Image1->stepReplay();
  EXPECT_FALSE(form.Image1->replaying()) << "after the last step the stage comes back";
  EXPECT_EQ(shownCell(3, 1), tileCell(3, 0));

  // Escape and a click on the grid end a replay at once; the click edits nothing.
  dialogs.answers = {Answer::Replay};
  QTest::keyClick(&form, Qt::Key_F6);
  ASSERT_TRUE(form.Image1->replaying());
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_FALSE(form.Image1->replaying());
  dialogs.answers = {Answer::Replay};
  QTest::keyClick(&form, Qt::Key_F6);
  editor.choosePalette(1);
  QTest::mouseClick(form.Image1, Qt::LeftButton, {}, {4 * 32 + 16, 48});
  EXPECT_FALSE(form.Image1->replaying());
  EXPECT_EQ(tile(4, 1), kFloor);
}

}  // namespace
}  // namespace quorel::editor::test
