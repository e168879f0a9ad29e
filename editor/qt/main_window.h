#pragma once
// TForm1 of the editor: the menu bar, the grid, the two sliders with the palette preview and
// the stage labels, and the "Player Setting" box, all showing a StageEditor.
#include <QMainWindow>
#include <map>
#include <string>

#include "editor/core/stage_editor.h"
#include "editor/qt/tile_pictures.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QSlider;

namespace quorel::editor {

class GridView;
class TilePreview;

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 640;
  static constexpr int kClientHeight = 494;

  TForm1(Dialogs& dialogs, GameLauncher& launcher, const std::string& gameProgram, QWidget* parent = nullptr);

  StageEditor& editor() { return editor_; }
  // Opens a stage file named first on the command line.
  void openCommandLine(const QStringList& arguments);
  QAction* action(Command command) const;
  // Brings every control up to date with the editor.
  void showEditor();

  // The form's controls, under the names the form designer gave them.
  GridView* Image1 = nullptr;
  QSlider* TrackBar1 = nullptr;
  QSlider* TrackBar2 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* LabelNg = nullptr;
  QFrame* Panel1 = nullptr;
  TilePreview* Image5 = nullptr;
  QCheckBox* PlayerSetting = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void buildMenus();
  void buildControls();
  void menuClick(Command command);
  void TrackBar1Change(int position);
  void TrackBar2Change(int position);
  void PlayerSettingClick(bool checked);

  StageEditor editor_;
  TilePictures pictures_;
  std::map<Command, QAction*> actions_;
};

}  // namespace quorel::editor
