#include "editor/qt/tile_pictures.h"

#include <QPainter>

#include "common/tile_codes.h"
#include "editor/core/stage_data.h"

namespace quorel::editor {

namespace {

QRect cellRect(QPoint topLeft) { return {topLeft, QSize(kCellSize, kCellSize)}; }

}  // namespace

TilePictures::TilePictures() : tiles_(":/pictures/edtiles.bmp"), face_(":/pictures/edface.bmp") {}

void TilePictures::drawTile(QPainter& painter, QPoint topLeft, int code) const {
  if (const auto cell = tilePictureCell(code)) {
    painter.drawPixmap(topLeft, tiles_, QRect(cell->x, cell->y, kCellSize, kCellSize));
    return;
  }
  painter.fillRect(cellRect(topLeft), Qt::black);
  painter.setPen(Qt::white);
  const bool hasCharacter = code >= 0 && code <= kHighestCode && code != 10;
  painter.drawText(cellRect(topLeft), Qt::AlignCenter, hasCharacter ? QString(QChar(tileCharOf(code))) : "?");
}

void TilePictures::drawPlayerMarker(QPainter& painter, QPoint topLeft) const {
  painter.drawPixmap(topLeft, face_, QRect(kPlayerMarkerCell.x, kPlayerMarkerCell.y, kCellSize, kCellSize));
}

}  // namespace quorel::editor
