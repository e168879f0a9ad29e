#pragma once
// Image1: the 20 x 14 grid of the stage shown, edited with the mouse.
#include <QWidget>

namespace quorel::editor {

class StageEditor;
class TilePictures;

class GridView : public QWidget {
  Q_OBJECT
 public:
  GridView(StageEditor& editor, const TilePictures& pictures, QWidget* parent);

 signals:
  void edited();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  StageEditor& editor_;
  const TilePictures& pictures_;
};

}  // namespace quorel::editor
