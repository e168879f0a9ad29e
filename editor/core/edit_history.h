#pragma once
// Undo and redo of changes to the set, kept as what each change replaced. Undoing a step swaps
// its content back into the document, and the swap leaves in the step what was undone, ready
// for redo; so one copy per step serves both ways.
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "editor/core/stage_data.h"

namespace quorel::editor {

// What undo and redo restore: the set and the file it belongs to.
struct Document {
  EditorSet set;
  std::string fileName;
};

class EditHistory {
 public:
  static constexpr std::size_t kMaxSteps = 1000;

  // Records the change that turned `before` into `now`, made while `stage` was shown. A change
  // that changed nothing makes no step. A new step drops everything that could be redone.
  void record(const Document& before, const Document& now, int stage);
  // Undo or redo the latest step on `document`; the stage the step was made on, or nothing
  // when there is no step.
  std::optional<int> undo(Document& document);
  std::optional<int> redo(Document& document);
  bool canUndo() const { return !undo_.empty(); }
  bool canRedo() const { return !redo_.empty(); }
  void clear();

 private:
  struct Slot {
    int stage = 0;
    Board board{};
    int startX = 0;
    int startY = 0;
    int ngNumber = 0;
  };
  struct Step {
    std::vector<Slot> touched;  // only the slots the change touched
    int stageLimit = 0;
    std::string designer;
    std::optional<std::string> fileName;  // only when the change renamed the document
    int stage = 0;
  };

  static void swapWith(Step& step, Document& document);
  static std::optional<int> move(std::deque<Step>& from, std::deque<Step>& to, Document& document);

  std::deque<Step> undo_;
  std::deque<Step> redo_;
};

}  // namespace quorel::editor
