// Stage sets come from any file the player drops in the game's folder and from the editor's
// temporary file, in the game's 21 slots and the editor's 31.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/stage_set.h"
#include "fuzz/property.h"

namespace quorel {
namespace {

using fuzz::requireThat;

// Every slot differs from the defaults, so a refused parse that touched anything shows.
template <std::size_t Slots>
std::unique_ptr<const StageSlots<Slots>> earlierSet() {
  auto set = std::make_unique<StageSlots<Slots>>();
  set->stageLimit = 4;
  set->designer = "earlier";
  for (std::size_t s = 0; s < Slots; ++s) {
    set->startX[s] = static_cast<int>(s);
    set->startY[s] = static_cast<int>(s % kBoardRows);
    set->ngNumber[s] = 7;
    for (auto& column : set->board[s]) column.fill(kFirstBlockCode + static_cast<int>(s % 25));
  }
  return set;
}

template <std::size_t Slots>
bool storedCellsAreTileCodes(const StageSlots<Slots>& set) {
  for (int s = 1; s < set.stageLimit; ++s) {
    for (const auto& column : set.board[static_cast<std::size_t>(s)]) {
      for (const int code : column) {
        const auto back = tileCodeOf(tileCharOf(code));
        if (!back || *back != code) return false;
      }
    }
  }
  return true;
}

template <std::size_t Slots>
void checkParse(const std::vector<std::string>& lines) {
  using Set = StageSlots<Slots>;
  static const std::unique_ptr<const Set> before = earlierSet<Slots>();
  auto set = std::make_unique<Set>(*before);
  const StageLoadResult result = parseStageSet(lines, "fuzz.qrl", *set);

  if (!result) {
    requireThat(*set == *before, "a refused stage set left the loaded set unchanged");
    requireThat(result.error.line >= 1 && result.error.line <= static_cast<int>(lines.size()) + 1,
                "a refusal names a line of the file or the one after its end");
    requireThat(!result.error.what.empty(), "a refusal says what is wrong");
    // The report quotes the file, which may be any bytes; it goes to a message box or a terminal.
    const auto isControl = [](char c) {
      const auto byte = static_cast<unsigned char>(c);
      return byte < 0x20 || byte == 0x7F;
    };
    requireThat(std::ranges::none_of(result.error.what, isControl), "a refusal's text holds no control characters");
    return;
  }
  requireThat(set->stageLimit >= 2 && set->stageLimit <= Set::kSlots, "the stage limit fits the storage");
  requireThat(set->stageLimit - 1 == std::min(result.stagesAnnounced, Set::kMaxStages),
              "the stages kept are those announced, cut to the storage");
  requireThat(storedCellsAreTileCodes(*set), "every loaded cell holds a tile code");

  auto again = std::make_unique<Set>(*before);
  const StageLoadResult reread = parseStageSet(stageSetLines(*set), "written.qrl", *again);
  requireThat(reread.ok, "a loaded set, written back, loads again");
  requireThat(*again == *set, "a loaded set, written back, loads as the same set");
}

}  // namespace
}  // namespace quorel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = quorel::splitLines(text);
  quorel::checkParse<21>(lines);
  quorel::checkParse<31>(lines);
  return 0;
}
