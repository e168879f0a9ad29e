#include "editor/qt/grid_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <optional>

#include "editor/core/stage_editor.h"
#include "editor/qt/tile_pictures.h"

namespace quorel::editor {

namespace {

std::optional<MouseButton> editorButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    default: return std::nullopt;
  }
}

Point pixelOf(const QMouseEvent& event) {
  const QPointF at = event.position();
  return {static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y()))};
}

}  // namespace

GridView::GridView(StageEditor& editor, const TilePictures& pictures, QWidget* parent)
    : QWidget(parent), editor_(editor), pictures_(pictures) {
  setFixedSize(kGridWidth, kGridHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void GridView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const EditorSet& set = editor_.stages();
  const auto s = static_cast<std::size_t>(editor_.currentStage());
  for (int x = 0; x < kBoardColumns; ++x) {
    for (int y = 0; y < kBoardRows; ++y) {
      pictures_.drawTile(painter, {x * kCellSize, y * kCellSize},
                         set.board[s][static_cast<std::size_t>(x)][static_cast<std::size_t>(y)]);
    }
  }
  // The marker lies on top of whatever tile the start cell holds.
  pictures_.drawPlayerMarker(painter, {set.startX[s] * kCellSize, set.startY[s] * kCellSize});
}

void GridView::mousePressEvent(QMouseEvent* event) {
  const auto button = editorButton(event->button());
  if (!button) return;
  editor_.press(*button, pixelOf(*event));
  emit edited();
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() == Qt::NoButton) return;
  editor_.drag(pixelOf(*event));
  emit edited();
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->buttons() != Qt::NoButton) return;
  editor_.release();
  emit edited();
}

}  // namespace quorel::editor
