#include "editor/qt/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalBlocker>
#include <QSlider>
#include <QUrl>
#include <vector>

#include "editor/qt/grid_view.h"
#include "editor/qt/text.h"
#include "editor/qt/tile_preview.h"

namespace quorel::editor {

namespace {

// Places in the client area.
constexpr QPoint kLabel2At{416, 452};
constexpr QPoint kLabelNgAt{480, 452};
constexpr QRect kTrackBar1{48, 464, 217, 28};
constexpr QRect kTrackBar2{392, 466, 241, 26};
constexpr QRect kPanel1{8, 456, 34, 34};
constexpr QPoint kImage5At{1, 1};
constexpr QPoint kPlayerSettingAt{272, 472};

QSlider* slider(QWidget* parent, const QRect& place, int minimum, int maximum) {
  auto* s = new QSlider(Qt::Horizontal, parent);
  s->setGeometry(place);
  s->setRange(minimum, maximum);
  s->setTickPosition(QSlider::TicksBelow);
  s->setTickInterval(1);
  s->setPageStep(2);
  return s;
}

}  // namespace

TForm1::TForm1(Dialogs& dialogs, GameLauncher& launcher, const std::string& gameProgram, QWidget* parent)
    : QMainWindow(parent), editor_(dialogs, launcher, gameProgram) {
  // A fixed single border with the system menu and the minimise box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setAcceptDrops(true);
  buildMenus();
  buildControls();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  showEditor();
}

void TForm1::buildMenus() {
  for (const Menu& menu : mainMenu()) {
    QMenu* items = menuBar()->addMenu(qtText(menu.caption));
    items->setObjectName(qtText(menu.name));
    for (const MenuItem& item : menu.items) {
      if (item.command == Command::None) {
        items->addSeparator()->setObjectName(qtText(item.name));
        continue;
      }
      QAction* action = items->addAction(qtText(item.caption));
      action->setObjectName(qtText(item.name));
      if (!item.shortcut.empty()) action->setShortcut(QKeySequence(qtText(item.shortcut), QKeySequence::PortableText));
      connect(action, &QAction::triggered, this, [this, command = item.command] { menuClick(command); });
      actions_[item.command] = action;
    }
  }
}

void TForm1::buildControls() {
  auto* client = new QWidget(this);
  client->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client);

  Image1 = new GridView(editor_, pictures_, client);
  Image1->move(0, 0);
  connect(Image1, &GridView::edited, this, &TForm1::showEditor);

  Label2 = new QLabel(client);
  Label2->move(kLabel2At);
  LabelNg = new QLabel(client);
  LabelNg->move(kLabelNgAt);

  TrackBar1 = slider(client, kTrackBar1, 0, kPaletteSize - 1);
  connect(TrackBar1, &QSlider::valueChanged, this, &TForm1::TrackBar1Change);
  TrackBar2 = slider(client, kTrackBar2, 1, editor_.lastStage());
  connect(TrackBar2, &QSlider::valueChanged, this, &TForm1::TrackBar2Change);

  Panel1 = new QFrame(client);
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel1->setGeometry(kPanel1);
  Image5 = new TilePreview(editor_, pictures_, Panel1);
  Image5->move(kImage5At);

  PlayerSetting = new QCheckBox("Player Setting", client);
  PlayerSetting->move(kPlayerSettingAt);
  PlayerSetting->adjustSize();
  connect(PlayerSetting, &QCheckBox::toggled, this, &TForm1::PlayerSettingClick);
}

void TForm1::openCommandLine(const QStringList& arguments) {
  std::vector<std::string> names;
  for (const QString& argument : arguments) names.push_back(plainFileName(argument));
  editor_.openCommandLine(names);
  showEditor();
}

QAction* TForm1::action(Command command) const {
  const auto found = actions_.find(command);
  return found == actions_.end() ? nullptr : found->second;
}

void TForm1::showEditor() {
  const QSignalBlocker blockPalette(TrackBar1);
  const QSignalBlocker blockStage(TrackBar2);
  const QSignalBlocker blockPlayer(PlayerSetting);
  TrackBar1->setValue(editor_.palettePosition());
  TrackBar2->setRange(1, editor_.lastStage());
  TrackBar2->setValue(editor_.currentStage());
  PlayerSetting->setChecked(editor_.playerSetting());
  Label2->setText(qtText(editor_.stageLabel()));
  Label2->adjustSize();
  LabelNg->setText(qtText(editor_.ngLabel()));
  LabelNg->adjustSize();
  setWindowTitle(qtFileName(editor_.caption()));
  action(Command::Undo)->setEnabled(editor_.canUndo());
  action(Command::Redo)->setEnabled(editor_.canRedo());
  Image1->stopReplay();  // whatever changed, the grid shows the stage again
  Image1->update();
  Image5->update();
}

void TForm1::menuClick(Command command) {
  if (command == Command::Exit) {
    close();
    return;
  }
  editor_.run(command);
  showEditor();
  if (command == Command::CheckStage) Image1->startReplay(editor_.takeReplay());
}

void TForm1::TrackBar1Change(int position) {
  editor_.choosePalette(position);
  showEditor();
}

void TForm1::TrackBar2Change(int position) {
  editor_.showStage(position);
  showEditor();
}

void TForm1::PlayerSettingClick(bool checked) { editor_.setPlayerSetting(checked); }

void TForm1::closeEvent(QCloseEvent* event) {
  if (editor_.closeQuery()) {
    event->accept();
  } else {
    event->ignore();
  }
  showEditor();
}

void TForm1::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && Image1->replaying()) {
    Image1->stopReplay();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  std::vector<std::string> names;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) names.push_back(plainFileName(url.toLocalFile()));
  }
  event->acceptProposedAction();
  editor_.dropFiles(names);
  showEditor();
}

}  // namespace quorel::editor
