#include "common/stage_set.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <memory>

#include "common/printable_text.h"
#include "common/regular_file.h"
#include "common/safe_file.h"

namespace quorel {

namespace {

// A real set is a few dozen kilobytes; the cap only keeps a wrong path (a device, a huge log)
// from eating memory.
constexpr std::size_t kMaxFileBytes = std::size_t{16} << 20;

// Error texts quote what they found, cut short and made printable.
std::string quoted(std::string_view text) {
  constexpr std::size_t kShown = 24;
  return "\"" + printableBytes(text.substr(0, kShown)) + (text.size() > kShown ? "\"..." : "\"");
}

enum class NumberFault { none, notPlainDecimal, outOfRange };

struct PlainDecimal {
  int value = 0;
  NumberFault fault = NumberFault::none;
};

// Digits only, as the editor writes numbers: no sign, no spaces.
PlainDecimal plainDecimal(std::string_view text) {
  if (text.empty() || !std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; })) {
    return {0, NumberFault::notPlainDecimal};
  }
  PlainDecimal number;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number.value);
  if (error == std::errc::result_out_of_range) return {0, NumberFault::outOfRange};
  if (error != std::errc{} || end != text.data() + text.size()) return {0, NumberFault::notPlainDecimal};
  return number;
}

// Why `text` is no number for `item`.
std::string numberFault(std::string_view item, NumberFault fault, std::string_view text) {
  const std::string why = fault == NumberFault::outOfRange
                              ? " is out of range (the largest number is " +
                                    std::to_string(std::numeric_limits<int>::max()) + "): "
                              : " is not a plain decimal number: ";
  return std::string(item) + why + quoted(text);
}

int linesNeededFor(int stages) { return 2 + 4 * stages; }

std::string counted(std::size_t n, std::string_view thing) {
  return std::to_string(n) + " " + std::string(thing) + (n == 1 ? "" : "s");
}

// Walks the lines of a set and records the first fault it meets.
class StageSetReader {
 public:
  StageSetReader(const std::vector<std::string>& lines, std::string_view fileName)
      : lines_(lines) {
    result_.error.file = std::string(fileName);
  }

  void fail(int line, std::string what) {
    result_.ok = false;
    result_.error.line = line;
    result_.error.what = std::move(what);
  }
  StageLoadResult& result() { return result_; }

  // Reads line 1. The number of stages to read follows from it and the storage size.
  bool stageLimit(int slots, int& limit) {
    if (lines_.empty()) {
      fail(1, "the file is empty; line 1 should give the stage limit");
      return false;
    }
    const PlainDecimal value = plainDecimal(lines_[0]);
    if (value.fault != NumberFault::none) {
      fail(1, numberFault("the stage limit", value.fault, lines_[0]));
      return false;
    }
    if (value.value < 2) {
      fail(1, "the stage limit is " + std::to_string(value.value) + "; it must be 2 or more (one stage or more)");
      return false;
    }
    limit = value.value;
    result_.stagesAnnounced = limit - 1;
    storedStages_ = std::min(limit, slots) - 1;
    return true;
  }

  int storedStages() const { return storedStages_; }

  const std::string* line(int number, std::string_view item) {
    if (number <= static_cast<int>(lines_.size())) return &lines_[static_cast<std::size_t>(number - 1)];
    const int needed = linesNeededFor(storedStages_);
    fail(number, "the file ends before " + std::string(item) + " (it has " + counted(lines_.size(), "line") + "; " +
                     counted(static_cast<std::size_t>(storedStages_), "stage") + " need" +
                     (storedStages_ == 1 ? "s " : " ") + std::to_string(needed) + ")");
    return nullptr;
  }

  bool number(int lineNumber, const std::string& item, int& out) {
    const std::string* text = line(lineNumber, item);
    if (!text) return false;
    const PlainDecimal value = plainDecimal(*text);
    if (value.fault != NumberFault::none) {
      fail(lineNumber, numberFault(item, value.fault, *text));
      return false;
    }
    out = value.value;
    return true;
  }

  bool grid(int lineNumber, const std::string& item, Board& board) {
    const std::string* text = line(lineNumber, item);
    if (!text) return false;
    if (text->size() != static_cast<std::size_t>(kBoardCells)) {
      fail(lineNumber, item + " has " + counted(text->size(), "character") + "; it needs exactly " +
                           std::to_string(kBoardCells));
      return false;
    }
    for (int k = 0; k < kBoardCells; ++k) {
      const char c = (*text)[static_cast<std::size_t>(k)];
      const auto code = tileCodeOf(c);
      const int column = k % kBoardColumns;
      const int row = k / kBoardColumns;
      if (!code) {
        // Column and row count from 0 as in the format; the character position from 1 as a
        // text editor shows it.
        fail(lineNumber, item + " has " + quoted(std::string_view(&c, 1)) + " at column " + std::to_string(column) +
                             ", row " + std::to_string(row) + " (character " + std::to_string(k + 1) +
                             "); cells are digits or capital letters");
        return false;
      }
      board[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)] = *code;
    }
    return true;
  }

 private:
  const std::vector<std::string>& lines_;
  StageLoadResult result_;
  int storedStages_ = 0;
};

std::string stageItem(int stage, std::string_view what) {
  return "the " + std::string(what) + " of stage " + std::to_string(stage);
}

std::string gridLineOf(const Board& board) {
  std::string line;
  line.reserve(kBoardCells);
  for (int row = 0; row < kBoardRows; ++row) {
    for (int column = 0; column < kBoardColumns; ++column) {
      line += tileCharOf(board[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)]);
    }
  }
  return line;
}

}  // namespace

std::string StageLoadError::text() const {
  const std::string name = printableFileName(file);
  if (line <= 0) return name + ": " + what;
  return name + ":" + std::to_string(line) + ": " + what;
}

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    start = end + (crLf ? 2 : 1);
  }
  return lines;
}

StageLoadResult readLines(const std::string& path, std::vector<std::string>& lines) {
  StageLoadResult result;
  RegularFileRead read = readRegularFile(path, kMaxFileBytes);
  if (!read) {
    result.ok = false;
    result.error.file = path;
    result.error.what = std::move(read.error);
    return result;
  }
  lines = splitLines(read.contents);
  return result;
}

template <std::size_t Slots>
StageLoadResult parseStageSet(const std::vector<std::string>& lines, std::string_view fileName,
                              StageSlots<Slots>& set) {
  StageSetReader in(lines, fileName);
  int announcedLimit = 0;
  if (!in.stageLimit(StageSlots<Slots>::kSlots, announcedLimit)) return in.result();
  const std::string* designer = in.line(2, "the designer line");
  if (!designer) return in.result();

  // Slots that the file does not name keep what they held: the editor brings back stages
  // beyond a lowered count when the count is raised again.
  auto fresh = std::make_unique<StageSlots<Slots>>(set);
  fresh->designer = *designer;
  for (int s = 1; s <= in.storedStages(); ++s) {
    const auto slot = static_cast<std::size_t>(s);
    if (!in.number(4 * s - 1, stageItem(s, "start column"), fresh->startX[slot]) ||
        !in.number(4 * s, stageItem(s, "start row"), fresh->startY[slot]) ||
        !in.number(4 * s + 1, stageItem(s, "NG number"), fresh->ngNumber[slot]) ||
        !in.grid(4 * s + 2, stageItem(s, "grid line"), fresh->board[slot])) {
      return in.result();
    }
  }
  fresh->stageLimit = in.storedStages() + 1;
  set = *fresh;
  return in.result();
}

template <std::size_t Slots>
StageLoadResult loadStageFile(const std::string& path, StageSlots<Slots>& set) {
  std::vector<std::string> lines;
  StageLoadResult read = readLines(path, lines);
  if (!read) return read;
  return parseStageSet(lines, path, set);
}

template <std::size_t Slots>
std::vector<std::string> stageSetLines(const StageSlots<Slots>& set) {
  // A limit above the storage would announce stages that are not there; write what is held.
  const int limit = std::min(set.stageLimit, StageSlots<Slots>::kSlots);
  std::vector<std::string> lines;
  lines.push_back(std::to_string(limit));
  lines.push_back(set.designer);
  for (int s = 1; s < limit; ++s) {
    const auto slot = static_cast<std::size_t>(s);
    lines.push_back(std::to_string(set.startX[slot]));
    lines.push_back(std::to_string(set.startY[slot]));
    lines.push_back(std::to_string(set.ngNumber[slot]));
    lines.push_back(gridLineOf(set.board[slot]));
  }
  return lines;
}

template <std::size_t Slots>
bool writeStageFile(const std::string& path, const StageSlots<Slots>& set, std::string* error) {
  std::string text;
  for (const std::string& line : stageSetLines(set)) {
    text += line;
    text += "\r\n";
  }
  return replaceFile(path, text, error);
}

template StageLoadResult parseStageSet(const std::vector<std::string>&, std::string_view, StageSlots<kGameStageSlots>&);
template StageLoadResult parseStageSet(const std::vector<std::string>&, std::string_view, StageSlots<kEditorStageSlots>&);
template StageLoadResult loadStageFile(const std::string&, StageSlots<kGameStageSlots>&);
template StageLoadResult loadStageFile(const std::string&, StageSlots<kEditorStageSlots>&);
template std::vector<std::string> stageSetLines(const StageSlots<kGameStageSlots>&);
template std::vector<std::string> stageSetLines(const StageSlots<kEditorStageSlots>&);
template bool writeStageFile(const std::string&, const StageSlots<kGameStageSlots>&, std::string*);
template bool writeStageFile(const std::string&, const StageSlots<kEditorStageSlots>&, std::string*);

}  // namespace quorel
