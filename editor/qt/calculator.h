#pragma once
// TForm2: the remainder calculator. Two whole numbers in, the remainder of their division out.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quorel::editor {

class Dialogs;

class TForm2 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm2(Dialogs& dialogs, QWidget* parent = nullptr);

  QLineEdit* Edit1 = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* Edit3 = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* BitBtn1 = nullptr;

 private:
  void Button1Click();
  void BitBtn1Click();

  Dialogs& dialogs_;
};

}  // namespace quorel::editor
