#pragma once
// The editor's boxes as Qt shows them: message boxes that answer to Y, N and Escape, input
// boxes, the file choosers and the calculator.
#include "editor/core/dialogs.h"

class QWidget;

namespace quorel::editor {

class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }

  Answer message(const Message& message) override;
  std::string input(const std::string& caption, const std::string& prompt, const std::string& defaultText) override;
  std::optional<std::string> openFileName() override;
  std::optional<std::string> saveFileName(const std::string& current) override;
  void showCalculator() override;
  solver::Result searchStage(const solver::Stage& stage) override;

 private:
  QWidget* parent_;
};

}  // namespace quorel::editor
