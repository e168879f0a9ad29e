#include "editor/qt/grid_view.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <optional>

#include "editor/core/stage_editor.h"
#include "editor/core/texts.h"
#include "editor/qt/text.h"
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

// Walks go by quickly, pushes slowly enough to follow, and the clear stays a moment.
constexpr int kWalkMilliseconds = 70;
constexpr int kPushMilliseconds = 220;
constexpr int kLastFrameMilliseconds = 1500;

Point pixelOf(const QMouseEvent& event) {
  const QPointF at = event.position();
  return {static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y()))};
}

}  // namespace

GridView::GridView(StageEditor& editor, const TilePictures& pictures, QWidget* parent)
    : QWidget(parent), editor_(editor), pictures_(pictures) {
  setFixedSize(kGridWidth, kGridHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
  replayTimer_.setSingleShot(true);
  connect(&replayTimer_, &QTimer::timeout, this, &GridView::stepReplay);
}

void GridView::startReplay(std::vector<ReplayFrame> frames) {
  replay_ = std::move(frames);
  replayStep_ = 0;
  if (replay_.empty()) return;
  if (replayTimed_) replayTimer_.start(kPushMilliseconds);
  update();
}

void GridView::stopReplay() {
  replayTimer_.stop();
  if (replay_.empty()) return;
  replay_.clear();
  replayStep_ = 0;
  update();
}

void GridView::stepReplay() {
  if (replay_.empty()) return;
  if (replayStep_ + 1 >= static_cast<int>(replay_.size())) {
    stopReplay();
    return;
  }
  ++replayStep_;
  const bool last = replayStep_ + 1 == static_cast<int>(replay_.size());
  const bool pushed = replay_[static_cast<std::size_t>(replayStep_)].blockMoved;
  if (replayTimed_) replayTimer_.start(last ? kLastFrameMilliseconds : pushed ? kPushMilliseconds : kWalkMilliseconds);
  update();
}

void GridView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (replaying()) {
    paintReplay(painter);
    return;
  }
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

void GridView::paintReplay(QPainter& painter) {
  const ReplayFrame& frame = replay_[static_cast<std::size_t>(replayStep_)];
  for (int x = 0; x < kBoardColumns; ++x) {
    for (int y = 0; y < kBoardRows; ++y) {
      pictures_.drawTile(painter, {x * kCellSize, y * kCellSize},
                         frame.board[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)]);
    }
  }
  pictures_.drawPlayerMarker(painter, {frame.playerX * kCellSize, frame.playerY * kCellSize});
  // Which block move this is, of how many, in a box at the grid's lower left.
  const QString text = qtText(std::string(texts::kCheckReplay) + "  " + std::to_string(frame.blockMoves) + " / " +
                              std::to_string(replay_.back().blockMoves) + " 手");
  const QFontMetrics metrics(font());
  const QRect box(4, kGridHeight - metrics.height() - 12, metrics.horizontalAdvance(text) + 16, metrics.height() + 8);
  painter.fillRect(box, QColor(0, 0, 0, 180));
  painter.setPen(Qt::white);
  painter.drawText(box, Qt::AlignCenter, text);
}

void GridView::mousePressEvent(QMouseEvent* event) {
  if (replaying()) {
    stopReplay();
    return;
  }
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
