#include "editor/core/stage_check.h"

#include <cstddef>
#include <cstdint>
#include <utility>

#include "editor/core/texts.h"
#include "game/rules/move_rules.h"

namespace quorel::editor {

namespace {

constexpr int kCheckMinutes = 10;
constexpr std::size_t kCheckMemoryMiB = 2048;
constexpr int kReplayStage = 1;  // any slot: the replay has its own play state

class NoEffects : public EffectSink {
 public:
  void playEffect(std::string_view, int) override {}
};

// "1,234,567": counts of positions run into the millions.
std::string grouped(std::uint64_t number) {
  std::string digits = std::to_string(number);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), ",");
  return digits;
}

std::string stopText(solver::StopReason stop) {
  switch (stop) {
    case solver::StopReason::TimeLimit: return std::string(texts::kCheckStoppedByTime);
    case solver::StopReason::MemoryLimit: return std::string(texts::kCheckStoppedByMemory);
    case solver::StopReason::StateLimit: return std::string(texts::kCheckStoppedByStates);
    case solver::StopReason::Cancelled: return std::string(texts::kCheckCancelled);
    case solver::StopReason::UnsupportedBoard: return std::string(texts::kCheckUnsupportedTile);
    case solver::StopReason::None: break;
  }
  return {};
}

}  // namespace

CheckWarnings warningsBeforeSearch(const solver::Stage& stage) {
  CheckWarnings warnings;
  switch (solver::startPlace(stage)) {
    case solver::StartPlace::NotFloor: warnings.lines.emplace_back(texts::kCheckStartNotFloor); break;
    case solver::StartPlace::OffGrid: warnings.lines.emplace_back(texts::kCheckStartOffGrid); break;
    case solver::StartPlace::Floor: break;
  }
  const solver::ValuesCheck values = solver::checkValues(stage);
  if (values.blocks < 2) {
    warnings.lines.emplace_back(texts::kCheckTooFewBlocks);
    warnings.unclearable = true;
  } else if (values.decided && !values.clearable) {
    warnings.lines.emplace_back(texts::kCheckValuesUnclearable);
    warnings.unclearable = true;
  }
  return warnings;
}

solver::Limits checkLimits() {
  solver::Limits limits;
  limits.time = std::chrono::minutes(kCheckMinutes);
  limits.memoryBytes = kCheckMemoryMiB << 20;
  return limits;
}

std::string progressText(const solver::Progress& progress) {
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(progress.elapsed).count();
  return std::string(texts::kCheckSearching) + "\n\n調べた局面: " + grouped(progress.statesExpanded) +
         "\n最短でも " + std::to_string(progress.lowerBound) + " 手\n経過: " + std::to_string(seconds) + " 秒";
}

CheckReport reportOf(const solver::Result& result) {
  const std::string moves = std::to_string(result.moves.size());
  switch (result.answer) {
    case solver::Answer::Solved:
      return {"最短 " + moves + " 手（ブロックを動かす回数）でクリアできます。", true};
    case solver::Answer::NoSolution:
      return {std::string(texts::kCheckNoSolution), false};
    case solver::Answer::Unknown: break;
  }
  std::string text = stopText(result.stop) + "\n" + std::string(texts::kCheckUnknown);
  if (result.stop != solver::StopReason::UnsupportedBoard) {
    text += "\n最短でも " + std::to_string(result.counts.lowerBound) + " 手かかります。";
  }
  if (!result.moves.empty()) text += "\n" + moves + " 手のクリア手順が見つかっています（最短とは限りません）。";
  return {text, !result.moves.empty()};
}

std::vector<ReplayFrame> replayFrames(const solver::Stage& stage, std::string_view lurd) {
  PlayState state;
  Board board = stage.board;
  NoEffects effects;
  startAttempt(state, kReplayStage, stage.startX, stage.startY);
  MoveRules rules{state, board, kReplayStage, stage.ngNumber, effects};
  std::vector<ReplayFrame> frames{{board, state.playerX, state.playerY, 0, false}};
  for (const char letter : lurd) {
    const int dx = letter == 'l' || letter == 'L' ? -1 : letter == 'r' || letter == 'R' ? 1 : 0;
    const int dy = letter == 'u' || letter == 'U' ? -1 : letter == 'd' || letter == 'D' ? 1 : 0;
    if (dx == 0 && dy == 0) break;
    state.prevX = state.playerX;
    state.prevY = state.playerY;
    const StepOutcome outcome = rules.beginStep(dx, dy);
    while (state.stepFramesLeft > 0) continueStep(state, board);
    frames.push_back({board, state.playerX, state.playerY, state.blockMoves[kReplayStage], outcome.blockMoved()});
    if (outcome.kind == StepKind::Merge && outcome.result != StageResult::Playing) break;
  }
  return frames;
}

BackgroundSolve::BackgroundSolve(const solver::Stage& stage, const solver::Limits& limits,
                                 solver::ProgressCallback progress, Finished finished) {
  solver::Control control;
  control.limits = limits;
  control.cancel = &cancel_;
  control.progress = std::move(progress);
  thread_ = std::thread([stage, control = std::move(control), finished = std::move(finished)] {
    finished(solver::solve(stage, control));
  });
}

BackgroundSolve::~BackgroundSolve() {
  cancel();
  thread_.join();
}

}  // namespace quorel::editor
