#pragma once
// Helpers of the widget tests: acting on a modal box once it is up, and the pictures the
// editor draws from, read straight from the files assetgen wrote.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace quorel::editor::test {

// Runs `act` on the modal box that the code about to run will show (polling, with a deadline).
inline void whenModal(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  auto started = std::make_shared<QElapsedTimer>();
  started->start();
  QObject::connect(timer, &QTimer::timeout, [timer, started, act = std::move(act)] {
    if (QWidget* box = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      act(box);
    } else if (started->elapsed() > 10000) {
      timer->stop();
      timer->deleteLater();
      ADD_FAILURE() << "no modal box came up";
    }
  });
  timer->start(10);
}

inline const QImage& tilePicture() {
  static const QImage picture(QUOREL_ASSET_DIR "/edtiles.bmp");
  return picture;
}

inline const QImage& facePicture() {
  static const QImage picture(QUOREL_ASSET_DIR "/edface.bmp");
  return picture;
}

// The 32 x 32 cell of `image` at (x, y), in one pixel format for comparing.
inline QImage cellOf(const QImage& image, int x, int y) {
  return image.copy(x, y, 32, 32).convertToFormat(QImage::Format_RGB32);
}

}  // namespace quorel::editor::test
