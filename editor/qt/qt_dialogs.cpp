#include "editor/qt/qt_dialogs.h"

#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QMetaObject>
#include <QProgressDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "editor/core/stage_check.h"
#include "editor/core/texts.h"
#include "editor/qt/calculator.h"
#include "editor/qt/text.h"

namespace quorel::editor {

namespace {

QMessageBox::Icon qtIcon(Icon icon) {
  switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Error: return QMessageBox::Critical;
    case Icon::None: break;
  }
  return QMessageBox::NoIcon;
}

// The button texts carry their access keys: a box answers to Y and N as the keys alone, and
// Escape picks Cancel (or No where there is no Cancel).
const QString kYes = QString::fromUtf8("はい(&Y)");
const QString kNo = QString::fromUtf8("いいえ(&N)");
const QString kCancel = QString::fromUtf8("キャンセル");
const QString kOk = QStringLiteral("OK");

// Escape and the close button stop the search as Cancel does, and the dialog stays, keeping the
// window blocked, until the search has answered: the stage cannot change under a running check.
class SearchProgress : public QProgressDialog {
 public:
  using QProgressDialog::QProgressDialog;
  void reject() override { stop(); }

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    stop();
  }

 private:
  void stop() {
    if (!wasCanceled()) emit canceled();
  }
};

}  // namespace

Answer QtDialogs::message(const Message& message) {
  QMessageBox box(qtIcon(message.icon), qtText(message.caption), qtText(message.text), QMessageBox::NoButton, parent_);
  QPushButton* ok = nullptr;
  QPushButton* yes = nullptr;
  QPushButton* no = nullptr;
  QPushButton* cancel = nullptr;
  QPushButton* replay = nullptr;
  if (message.buttons == Buttons::Ok || message.buttons == Buttons::OkReplay) {
    if (message.buttons == Buttons::OkReplay) replay = box.addButton(qtText(texts::kCheckReplay), QMessageBox::ActionRole);
    ok = box.addButton(kOk, QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
  } else {
    yes = box.addButton(kYes, QMessageBox::YesRole);
    no = box.addButton(kNo, QMessageBox::NoRole);
    if (message.buttons == Buttons::YesNoCancel) cancel = box.addButton(kCancel, QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel ? cancel : no);
  }
  box.exec();
  const QAbstractButton* clicked = box.clickedButton();
  if (clicked == yes && yes) return Answer::Yes;
  if (clicked == no && no) return Answer::No;
  if (clicked == replay && replay) return Answer::Replay;
  if (ok) return Answer::Ok;
  return cancel ? Answer::Cancel : Answer::No;
}

std::string QtDialogs::input(const std::string& caption, const std::string& prompt, const std::string& defaultText) {
  QInputDialog dialog(parent_);
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setWindowTitle(qtText(caption));
  dialog.setLabelText(qtText(prompt));
  const QString shown = qtText(defaultText);
  dialog.setTextValue(shown);
  dialog.setOkButtonText(kOk);
  dialog.setCancelButtonText(kCancel);
  // An untouched default comes back byte for byte, even when it is no UTF-8 (an old file's name).
  if (dialog.exec() != QDialog::Accepted || dialog.textValue() == shown) return defaultText;
  return plainText(dialog.textValue());
}

std::optional<std::string> QtDialogs::openFileName() {
  const QString name = QFileDialog::getOpenFileName(parent_, QString(), QDir::currentPath(), qtText(texts::kStageFileFilter));
  if (name.isEmpty()) return std::nullopt;
  return plainFileName(name);
}

std::optional<std::string> QtDialogs::saveFileName(const std::string& current) {
  const QString start = current.empty() ? QDir::currentPath() : qtFileName(current);
  const QString name = QFileDialog::getSaveFileName(parent_, QString(), start, qtText(texts::kStageFileFilter), nullptr,
                                                    QFileDialog::DontConfirmOverwrite);
  if (name.isEmpty()) return std::nullopt;
  return plainFileName(name);
}

void QtDialogs::showCalculator() {
  TForm2 calculator(*this, parent_);
  calculator.exec();
}

// The solver reports from its own thread; every report reaches the widgets as a queued call on
// the window's thread, tied to the object it touches so that none outlives it. The search is
// declared last: it is cancelled and joined before the dialog and the loop go away.
solver::Result QtDialogs::searchStage(const solver::Stage& stage) {
  SearchProgress progress(qtText(texts::kCheckSearching), kCancel, 0, 0, parent_);
  progress.setWindowTitle(qtText(texts::kCheckCaption));
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  progress.setMinimumDuration(0);
  progress.setMinimumWidth(progress.fontMetrics().horizontalAdvance(QString(28, QChar(0x3042))));
  QEventLoop loop;
  solver::Result result;
  BackgroundSolve search(
      stage, checkLimits(),
      [&progress](const solver::Progress& counts) {
        QMetaObject::invokeMethod(
            &progress, [&progress, text = qtText(progressText(counts))] {
              if (!progress.wasCanceled()) progress.setLabelText(text);
            },
            Qt::QueuedConnection);
      },
      [&loop, &result](const solver::Result& answer) {
        QMetaObject::invokeMethod(
            &loop, [&loop, &result, answer] {
              result = answer;
              loop.quit();
            },
            Qt::QueuedConnection);
      });
  QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&progress, &search] {
    search.cancel();
    progress.setLabelText(qtText(texts::kCheckStopping));
    progress.show();  // cancelling hid it; it waits for the answer
  });
  progress.show();
  loop.exec();
  return result;
}

}  // namespace quorel::editor
