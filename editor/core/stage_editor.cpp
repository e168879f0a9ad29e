#include "editor/core/stage_editor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "common/temp_path.h"
#include "editor/core/file_names.h"
#include "editor/core/number_text.h"
#include "editor/core/texts.h"

namespace quorel::editor {

namespace {

std::size_t slot(int stage) { return static_cast<std::size_t>(stage); }

std::string absolutePath(const std::string& path) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

// The file format has one designer line; a line break would shift every line after it.
std::string oneLine(std::string text) {
  std::ranges::replace(text, '\r', ' ');
  std::ranges::replace(text, '\n', ' ');
  return text;
}

}  // namespace

struct StageEditor::Stroke {
  MouseButton button = MouseButton::Left;
  std::unique_ptr<Document> before;
  int stage = 1;
  Point lastPixel;
  std::optional<Point> lastCell;
};

StageEditor::StageEditor(Dialogs& dialogs, GameLauncher& launcher, std::string gameProgram)
    : dialogs_(dialogs), launcher_(launcher), gameProgram_(std::move(gameProgram)) {
  document_.set = defaultSet();
  savedContent_.emplace("", document_.set);
}

StageEditor::~StageEditor() = default;

void StageEditor::openCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.empty() || !hasStageFileExtension(arguments.front())) return;
  load(absolutePath(arguments.front()), false);
}

// --- what the window shows ---

bool StageEditor::modified() const {
  const auto saved = savedContent_.find(document_.fileName);
  return saved == savedContent_.end() || !sameFileContent(document_.set, saved->second);
}

std::string StageEditor::caption() const {
  std::string text = captionIsFileName_ ? document_.fileName : std::string(texts::kNewFileCaption);
  if (modified()) text += '*';
  return text;
}

std::string StageEditor::stageLabel() const { return "STAGE:" + std::to_string(currentStage_); }

std::string StageEditor::ngLabel() const {
  return "NG:" + std::to_string(document_.set.ngNumber[slot(currentStage_)]);
}

void StageEditor::showStage(int stage) {
  currentStage_ = stage;
  keepStageInRange();
}

void StageEditor::choosePalette(int position) { palettePosition_ = std::clamp(position, 0, kPaletteSize - 1); }

void StageEditor::keepStageInRange() { currentStage_ = std::clamp(currentStage_, 1, std::max(1, lastStage())); }

// --- the mouse ---

void StageEditor::press(MouseButton button, Point pixel) {
  if (stroke_) return;
  stroke_ = std::make_unique<Stroke>();
  stroke_->button = button;
  stroke_->before = std::make_unique<Document>(document_);
  stroke_->stage = currentStage_;
  stroke_->lastPixel = pixel;
  visit(pixel);
}

void StageEditor::drag(Point pixel) {
  if (!stroke_) return;
  // Every pixel on the way, so that a fast move leaves no cell out.
  const Point from = stroke_->lastPixel;
  const int dx = pixel.x - from.x;
  const int dy = pixel.y - from.y;
  const int steps = std::max(std::abs(dx), std::abs(dy));
  for (int i = 1; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    visit({from.x + static_cast<int>(std::lround(dx * t)), from.y + static_cast<int>(std::lround(dy * t))});
  }
  stroke_->lastPixel = pixel;
}

void StageEditor::release() {
  if (!stroke_) return;
  history_.record(*stroke_->before, document_, stroke_->stage);
  stroke_.reset();
}

void StageEditor::visit(Point pixel) {
  const auto cell = cellAt(pixel);
  if (cell == stroke_->lastCell) return;
  stroke_->lastCell = cell;
  if (cell) paintAt(*cell);
}

void StageEditor::paintAt(Point cell) {
  EditorSet& set = document_.set;
  const auto s = slot(currentStage_);
  int& tile = set.board[s][slot(cell.x)][slot(cell.y)];
  if (stroke_->button != MouseButton::Left) {
    tile = kFloor;
  } else if (playerSetting_) {
    set.startX[s] = cell.x;
    set.startY[s] = cell.y;
  } else {
    tile = paletteCode();
  }
}

// --- the menu ---

void StageEditor::run(Command command) {
  release();  // a key pressed in the middle of a stroke ends it first
  switch (command) {
    case Command::Open: return openFile();
    case Command::NewSet: return newSet();
    case Command::Save: save(); return;
    case Command::SaveAs: saveAs(); return;
    case Command::StartGame: return startGame();
    case Command::TestPlay: return testPlay();
    case Command::ResetStage: return resetStage();
    case Command::Undo: return undo();
    case Command::Redo: return redo();
    case Command::SwapStages: return swapStages();
    case Command::NgNumber: return setNgNumber();
    case Command::StageCount: return setStageCount();
    case Command::Designer: return setDesigner();
    case Command::Calculator: return dialogs_.showCalculator();
    case Command::CheckStage: return checkStage();
    case Command::Version: return showVersion();
    case Command::Exit:  // the window closes itself and asks closeQuery()
    case Command::None: return;
  }
}

template <typename Edit>
void StageEditor::change(Edit&& edit) {
  const auto before = std::make_unique<Document>(document_);
  const int stage = currentStage_;
  edit(document_);
  history_.record(*before, document_, stage);
  keepStageInRange();
}

void StageEditor::undo() {
  release();
  if (const auto stage = history_.undo(document_)) showStage(*stage);
}

void StageEditor::redo() {
  release();
  if (const auto stage = history_.redo(document_)) showStage(*stage);
}

void StageEditor::openFile() {
  if (const auto chosen = dialogs_.openFileName()) load(*chosen, true);
}

// Opening replaces the whole set without a question, so it is a step of its own that undo
// takes back.
bool StageEditor::load(const std::string& path, bool undoable) {
  auto loaded = std::make_unique<EditorSet>(document_.set);
  const StageLoadResult result = loadStageFile(path, *loaded);
  if (!result) {
    tell(std::string(texts::kCannotOpen) + "\n" + result.error.text(), Icon::Error);
    return false;
  }
  const auto replace = [&](Document& document) {
    document.set = *loaded;
    document.fileName = path;
  };
  if (undoable) {
    change(replace);
  } else {
    replace(document_);
    keepStageInRange();
  }
  savedContent_.insert_or_assign(path, document_.set);
  captionIsFileName_ = true;
  if (result.stagesAnnounced > kMaxStages) {
    tell(path + "\n" + std::to_string(result.stagesAnnounced) + " ステージのうち、最初の " +
             std::to_string(kMaxStages) + " ステージだけを読み込みました。",
         Icon::Information);
  }
  return true;
}

void StageEditor::newSet() {
  if (ask(texts::kAskNewSet, Buttons::YesNo) != Answer::Yes) return;
  change([](Document& document) {
    // The designer's name carries over to the new set.
    std::string designer = std::move(document.set.designer);
    document.set = defaultSet();
    document.set.designer = std::move(designer);
    document.fileName.clear();
  });
  savedContent_.insert_or_assign("", document_.set);
  captionIsFileName_ = true;
}

bool StageEditor::save() {
  if (document_.fileName.empty()) return saveAs();
  if (!write(document_.fileName)) return false;
  captionIsFileName_ = true;
  return true;
}

bool StageEditor::saveAs() { return saveAsFile() == SaveOutcome::Saved; }

StageEditor::SaveOutcome StageEditor::saveAsFile() {
  const auto chosen = dialogs_.saveFileName(document_.fileName);
  if (!chosen) return SaveOutcome::Cancelled;
  const std::string path = withStageFileExtension(*chosen);
  if (!write(path)) return SaveOutcome::Failed;
  document_.fileName = path;
  captionIsFileName_ = true;
  return SaveOutcome::Saved;
}

bool StageEditor::write(const std::string& path) {
  std::string error;
  if (!writeStageFile(path, document_.set, &error)) {
    tell(std::string(texts::kCannotSave) + "\n" + error, Icon::Error);
    return false;
  }
  savedContent_.insert_or_assign(path, document_.set);
  return true;
}

void StageEditor::startGame() {
  if (saveAs()) launchGame({});
}

void StageEditor::testPlay() {
  const std::string path = temporaryStageFilePath();
  std::string error;
  if (!writeStageFile(path, document_.set, &error)) {
    tell(std::string(texts::kCannotWriteTestPlay) + "\n" + error, Icon::Error);
    return;
  }
  launchGame({std::to_string(currentStage_)});
}

void StageEditor::launchGame(const std::vector<std::string>& arguments) {
  std::string error;
  if (!launcher_.start(gameProgram_, arguments, error)) {
    tell(std::string(texts::kCannotStartGame) + "\n" + gameProgram_ + "\n" + error, Icon::Error);
  }
}

void StageEditor::resetStage() {
  if (ask(texts::kAskResetStage, Buttons::YesNo) != Answer::Yes) return;
  change([this](Document& document) { clearSlot(document.set, currentStage_); });
}

void StageEditor::swapStages() {
  const auto other = askNumber(std::string(texts::kAskSwapWith), "");
  if (!other || *other < 1 || *other > lastStage()) return;
  change([&](Document& document) { swapSlots(document.set, *other, currentStage_); });
}

void StageEditor::setNgNumber() {
  const auto ng = askNumber(std::string(texts::kAskNgNumber), std::to_string(document_.set.ngNumber[slot(currentStage_)]));
  if (!ng || *ng < kLowestNgNumber || *ng > kHighestNgNumber) return;
  change([&](Document& document) { document.set.ngNumber[slot(currentStage_)] = *ng; });
}

void StageEditor::setStageCount() {
  const std::string prompt = std::string(texts::kAskStageCount) + std::to_string(kMaxStages) + ")";
  const auto count = askNumber(prompt, std::to_string(lastStage()));
  if (!count) return;
  // Stages beyond the count stay in memory and come back when it is raised again.
  const long long limit = static_cast<long long>(*count) + 1;
  const bool held = limit >= 2 && limit <= EditorSet::kSlots;
  change([&](Document& document) { document.set.stageLimit = held ? static_cast<int>(limit) : kDefaultStageLimit; });
}

void StageEditor::setDesigner() {
  const std::string name = dialogs_.input(std::string(texts::kApplicationTitle), std::string(texts::kAskDesigner),
                                          document_.set.designer);
  if (name.empty()) return;
  change([&](Document& document) { document.set.designer = oneLine(name); });
}

void StageEditor::showVersion() {
  const Message version{std::string(texts::kVersionCaption), std::string(texts::kVersionText), Buttons::YesNo,
                        Icon::Information};
  if (dialogs_.message(version) != Answer::Yes) return;
  dialogs_.message({std::string(texts::kNoteCaption), std::string(texts::kNoteText), Buttons::Ok, Icon::None});
}

void StageEditor::checkStage() {
  const solver::Stage stage = solver::stageOf(document_.set, currentStage_);
  const std::string caption(texts::kCheckCaption);
  const CheckWarnings warnings = warningsBeforeSearch(stage);
  if (!warnings.lines.empty()) {
    std::string text;
    for (const std::string& line : warnings.lines) text += (text.empty() ? "" : "\n\n") + line;
    dialogs_.message({caption, text, Buttons::Ok, Icon::Warning});
  }
  if (warnings.unclearable) return;
  const solver::Result result = dialogs_.searchStage(stage);
  const CheckReport report = reportOf(result);
  const Message message{caption, report.text, report.replayable ? Buttons::OkReplay : Buttons::Ok, Icon::Information};
  if (dialogs_.message(message) == Answer::Replay) replay_ = replayFrames(stage, result.lurd);
}

// --- closing and dropping ---

bool StageEditor::closeQuery() {
  release();
  const Answer answer = ask(texts::kAskSaveBeforeClose, Buttons::YesNoCancel);
  std::error_code ignored;
  std::filesystem::remove(temporaryStageFilePath(), ignored);
  switch (answer) {
    // A file that could not be written keeps the window open: closing would lose the set.
    case Answer::Yes: return saveAsFile() != SaveOutcome::Failed;
    case Answer::No: return true;
    default: return false;
  }
}

void StageEditor::dropFiles(const std::vector<std::string>& names) {
  if (names.empty() || !hasStageFileExtension(names.back())) return;
  release();
  load(names.back(), true);
}

// --- boxes ---

std::optional<int> StageEditor::askNumber(const std::string& prompt, const std::string& defaultText) {
  const std::string answer = dialogs_.input(std::string(texts::kApplicationTitle), prompt, defaultText);
  if (answer.empty()) return std::nullopt;
  const auto number = integerOf(answer);
  if (!number) tell(notAnIntegerMessage(answer), Icon::Error);
  return number;
}

Answer StageEditor::ask(std::string_view question, Buttons buttons) {
  return dialogs_.message({std::string(texts::kApplicationTitle), std::string(question), buttons, Icon::Question});
}

void StageEditor::tell(std::string text, Icon icon) {
  dialogs_.message({std::string(texts::kApplicationTitle), std::move(text), Buttons::Ok, icon});
}

}  // namespace quorel::editor
