#pragma once
// Image5: the palette tile chosen with TrackBar1.
#include <QWidget>

namespace quorel::editor {

class StageEditor;
class TilePictures;

class TilePreview : public QWidget {
  Q_OBJECT
 public:
  TilePreview(const StageEditor& editor, const TilePictures& pictures, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const StageEditor& editor_;
  const TilePictures& pictures_;
};

}  // namespace quorel::editor
