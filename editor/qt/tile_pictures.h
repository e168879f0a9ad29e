#pragma once
// The tile picture and the face picture of the editor, and the drawing of one grid cell.
#include <QPixmap>
#include <QPoint>

class QPainter;

namespace quorel::editor {

class TilePictures {
 public:
  TilePictures();
  // The cell of a Tile code at `topLeft`. A code the tile picture has no cell for is drawn as
  // a dark cell with its file character, so that what a file holds stays visible.
  void drawTile(QPainter& painter, QPoint topLeft, int code) const;
  void drawPlayerMarker(QPainter& painter, QPoint topLeft) const;

 private:
  QPixmap tiles_;
  QPixmap face_;
};

}  // namespace quorel::editor
