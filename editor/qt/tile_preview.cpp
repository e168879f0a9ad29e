#include "editor/qt/tile_preview.h"

#include <QPainter>

#include "editor/core/stage_editor.h"
#include "editor/qt/tile_pictures.h"

namespace quorel::editor {

TilePreview::TilePreview(const StageEditor& editor, const TilePictures& pictures, QWidget* parent)
    : QWidget(parent), editor_(editor), pictures_(pictures) {
  setFixedSize(kCellSize, kCellSize);
}

void TilePreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  pictures_.drawTile(painter, {0, 0}, editor_.paletteCode());
}

}  // namespace quorel::editor
