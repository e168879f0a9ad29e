#include "editor/core/edit_history.h"

#include <utility>

namespace quorel::editor {

void EditHistory::record(const Document& before, const Document& now, int stage) {
  Step step;
  step.stage = stage;
  step.stageLimit = before.set.stageLimit;
  step.designer = before.set.designer;
  if (before.fileName != now.fileName) step.fileName = before.fileName;
  for (int s = 0; s < EditorSet::kSlots; ++s) {
    const auto i = static_cast<std::size_t>(s);
    const EditorSet& old = before.set;
    if (old.board[i] != now.set.board[i] || old.startX[i] != now.set.startX[i] ||
        old.startY[i] != now.set.startY[i] || old.ngNumber[i] != now.set.ngNumber[i]) {
      step.touched.push_back({s, old.board[i], old.startX[i], old.startY[i], old.ngNumber[i]});
    }
  }
  const bool changed = !step.touched.empty() || step.fileName || before.set.stageLimit != now.set.stageLimit ||
                       before.set.designer != now.set.designer;
  if (!changed) return;
  undo_.push_back(std::move(step));
  if (undo_.size() > kMaxSteps) undo_.pop_front();
  redo_.clear();
}

std::optional<int> EditHistory::undo(Document& document) { return move(undo_, redo_, document); }

std::optional<int> EditHistory::redo(Document& document) { return move(redo_, undo_, document); }

void EditHistory::clear() {
  undo_.clear();
  redo_.clear();
}

void EditHistory::swapWith(Step& step, Document& document) {
  EditorSet& set = document.set;
  for (Slot& slot : step.touched) {
    const auto i = static_cast<std::size_t>(slot.stage);
    std::swap(slot.board, set.board[i]);
    std::swap(slot.startX, set.startX[i]);
    std::swap(slot.startY, set.startY[i]);
    std::swap(slot.ngNumber, set.ngNumber[i]);
  }
  std::swap(step.stageLimit, set.stageLimit);
  std::swap(step.designer, set.designer);
  if (step.fileName) std::swap(*step.fileName, document.fileName);
}

std::optional<int> EditHistory::move(std::deque<Step>& from, std::deque<Step>& to, Document& document) {
  if (from.empty()) return std::nullopt;
  Step step = std::move(from.back());
  from.pop_back();
  swapWith(step, document);
  const int stage = step.stage;
  to.push_back(std::move(step));
  return stage;
}

}  // namespace quorel::editor
