#pragma once
// The editor without its widgets: the set being edited, the stage shown, the palette, the
// player setting, the mouse on the grid and every menu operation. The window shows what this
// holds and hands it the user's actions; boxes and the game's start go through Dialogs and
// GameLauncher.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/core/dialogs.h"
#include "editor/core/edit_history.h"
#include "editor/core/menu.h"
#include "editor/core/stage_check.h"
#include "editor/core/stage_data.h"

namespace quorel::editor {

enum class MouseButton { Left, Right, Middle };

class StageEditor {
 public:
  // `gameProgram`: the game's executable, which test play and "start the game" run.
  StageEditor(Dialogs& dialogs, GameLauncher& launcher, std::string gameProgram);
  ~StageEditor();
  StageEditor(const StageEditor&) = delete;
  StageEditor& operator=(const StageEditor&) = delete;

  // Opens the first argument when it names a stage file.
  void openCommandLine(const std::vector<std::string>& arguments);

  const EditorSet& stages() const { return document_.set; }
  const std::string& fileName() const { return document_.fileName; }
  const std::string& gameProgram() const { return gameProgram_; }
  int currentStage() const { return currentStage_; }
  int lastStage() const { return document_.set.stageLimit - 1; }
  // True while the set differs from its file (from the empty set it started as, when unnamed).
  bool modified() const;
  // The window's caption: the file name, followed by "*" while modified.
  std::string caption() const;
  std::string stageLabel() const;  // "STAGE:12"
  std::string ngLabel() const;     // "NG:3"

  void showStage(int stage);  // kept within 1 to lastStage()
  int palettePosition() const { return palettePosition_; }
  void choosePalette(int position);
  int paletteCode() const { return paletteTileCode(palettePosition_); }
  bool playerSetting() const { return playerSetting_; }
  void setPlayerSetting(bool on) { playerSetting_ = on; }

  // The mouse on the grid, in pixels of the grid. A press starts a stroke; moving with the
  // button held works on every cell the pointer crosses, by the rules of a press; the release
  // ends the stroke, which is one undo step.
  void press(MouseButton button, Point pixel);
  void drag(Point pixel);
  void release();

  void run(Command command);
  bool canUndo() const { return history_.canUndo(); }
  bool canRedo() const { return history_.canRedo(); }

  // The question before the window closes; true when the window may close.
  bool closeQuery();
  // Files dropped on the window: the last one is opened when it names a stage file.
  void dropFiles(const std::vector<std::string>& names);

  // The menu operations.
  void openFile();
  void newSet();
  bool save();
  bool saveAs();
  void startGame();
  void testPlay();
  void resetStage();
  void swapStages();
  void setNgNumber();
  void setStageCount();
  void setDesigner();
  void showVersion();
  // Warns of what is plain at once, else searches the stage shown and reports the answer; a
  // clear the designer asks to see is left for takeReplay().
  void checkStage();
  std::vector<ReplayFrame> takeReplay() { return std::exchange(replay_, {}); }
  void undo();
  void redo();

 private:
  enum class SaveOutcome { Saved, Cancelled, Failed };
  struct Stroke;

  template <typename Edit>
  void change(Edit&& edit);
  bool load(const std::string& path, bool undoable);
  SaveOutcome saveAsFile();
  bool write(const std::string& path);
  void launchGame(const std::vector<std::string>& arguments);
  void visit(Point pixel);
  void paintAt(Point cell);
  std::optional<int> askNumber(const std::string& prompt, const std::string& defaultText);
  Answer ask(std::string_view question, Buttons buttons);
  void tell(std::string text, Icon icon);
  void keepStageInRange();

  Dialogs& dialogs_;
  GameLauncher& launcher_;
  std::string gameProgram_;
  Document document_;
  EditHistory history_;
  // What each file held when this editor last read or wrote it; under "" the set that an
  // unnamed set started as. The changed marker compares with it.
  std::map<std::string, EditorSet> savedContent_;
  bool captionIsFileName_ = false;
  int currentStage_ = 1;
  int palettePosition_ = 0;
  bool playerSetting_ = false;
  std::unique_ptr<Stroke> stroke_;
  std::vector<ReplayFrame> replay_;
};

}  // namespace quorel::editor
