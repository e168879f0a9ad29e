#pragma once
// Image1: the 20 x 14 grid of the stage shown, edited with the mouse, or for a while a clear of
// it replayed step by step.
#include <QTimer>
#include <QWidget>
#include <vector>

#include "editor/core/stage_check.h"

namespace quorel::editor {

class StageEditor;
class TilePictures;

class GridView : public QWidget {
  Q_OBJECT
 public:
  GridView(StageEditor& editor, const TilePictures& pictures, QWidget* parent);

  // Shows the frames one step at a time in place of the stage; the last stays a moment, then
  // the stage comes back. A click on the grid ends the replay at once, and edits nothing.
  void startReplay(std::vector<ReplayFrame> frames);
  void stopReplay();
  bool replaying() const { return !replay_.empty(); }
  int replayStep() const { return replayStep_; }  // the frame shown, 0 for the start
  // Whether the replay steps on its own; without, only stepReplay() moves it (for tests).
  void setReplayTimed(bool timed) { replayTimed_ = timed; }
  // Goes on to the next frame, or ends the replay after the last; the replay's timer calls it.
  void stepReplay();

 signals:
  void edited();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void paintReplay(QPainter& painter);

  StageEditor& editor_;
  const TilePictures& pictures_;
  std::vector<ReplayFrame> replay_;
  int replayStep_ = 0;
  QTimer replayTimer_;
  bool replayTimed_ = true;
};

}  // namespace quorel::editor
