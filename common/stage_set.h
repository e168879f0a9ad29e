#pragma once
// The stage set text format (line 1 stage limit N, line 2 designer, then per stage start
// column, start row, NG number and a 280-character grid line) and its in-memory form.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/tile_codes.h"

namespace quorel {

// board[x][y] holds the Tile code of column x, row y.
using Board = std::array<std::array<int, kBoardRows>, kBoardColumns>;

// A stage set with `Slots` slots; slot 0 holds no stage, so it keeps Slots - 1 stages.
template <std::size_t Slots>
struct StageSlots {
  static constexpr int kSlots = static_cast<int>(Slots);
  static constexpr int kMaxStages = kSlots - 1;

  int stageLimit = 0;  // number of stages + 1
  std::string designer;
  std::array<Board, Slots> board{};
  std::array<int, Slots> startX{};
  std::array<int, Slots> startY{};
  std::array<int, Slots> ngNumber{};

  bool operator==(const StageSlots&) const = default;
};

inline constexpr std::size_t kGameStageSlots = 21;    // the game plays at most 20 stages
inline constexpr std::size_t kEditorStageSlots = 31;  // the editor keeps at most 30

using GameStageSlots = StageSlots<kGameStageSlots>;
using EditorStageSlots = StageSlots<kEditorStageSlots>;

struct StageLoadError {
  std::string file;  // as the caller named it; "(built-in)" for the built-in text
  int line = 0;      // 1-based; 0 when the fault is not on one line (an unreadable file)
  std::string what;
  std::string text() const;  // "FILE:LINE: WHAT", or "FILE: WHAT" when line is 0
};

struct StageLoadResult {
  bool ok = true;
  StageLoadError error;
  int stagesAnnounced = 0;  // line 1 - 1, before any cut to the storage (0 when line 1 is unreadable)
  explicit operator bool() const { return ok; }
};

// Splits text into lines at CR LF, LF or CR.
std::vector<std::string> splitLines(std::string_view text);

// Reads a whole file as lines. Fails (ok false) when the file cannot be opened or read.
StageLoadResult readLines(const std::string& path, std::vector<std::string>& lines);

// Parses stage set lines into `set`. On failure `set` is left exactly as it was. A set that
// announces more stages than the storage holds keeps its first kMaxStages stages and the
// stage limit becomes kMaxStages + 1.
template <std::size_t Slots>
StageLoadResult parseStageSet(const std::vector<std::string>& lines, std::string_view fileName,
                              StageSlots<Slots>& set);

// Reads the file at `path` and parses it (see parseStageSet).
template <std::size_t Slots>
StageLoadResult loadStageFile(const std::string& path, StageSlots<Slots>& set);

// The lines of a stage set as the editor writes them (without line ends).
template <std::size_t Slots>
std::vector<std::string> stageSetLines(const StageSlots<Slots>& set);

// Writes the set with CR LF line ends, replacing the file safely. False on failure.
template <std::size_t Slots>
bool writeStageFile(const std::string& path, const StageSlots<Slots>& set, std::string* error = nullptr);

}  // namespace quorel
