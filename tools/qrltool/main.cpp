// qrltool: checks, shows and solves stage files from the command line.
//   qrltool check FILE          exit 0 and a one-line summary, or exit 1 and the fault with its line
//   qrltool show FILE [STAGE]   one stage as a text grid (STAGE defaults to 1)
//   qrltool solve [OPTIONS] FILE [STAGE]   the fewest block moves of each stage (see the usage)
// Bad arguments print the usage and exit 2.
#include <charconv>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/printable_text.h"
#include "common/program_info.h"
#include "common/stage_set.h"
#include "common/tile_codes.h"
#include "tools/qrltool/solve.h"
#include "tools/qrltool/stage_loading.h"

namespace {

using quorel::EditorStageSlots;
using quorel::qrltool::LoadedSet;

constexpr int kExitOk = 0;
constexpr int kExitBadFile = 1;
constexpr int kExitUsage = 2;
constexpr int kGameStages = 20;

constexpr const char* kUsage =
    "usage: qrltool check FILE\n"
    "       qrltool show FILE [STAGE]\n"
    "       qrltool solve [--time SECONDS] [--memory MIB] [--states N] [--threads N] FILE [STAGE]\n"
    "\n"
    "check  reads a stage file and prints the number of stages and the designer,\n"
    "       or the first fault with its line\n"
    "show   prints one stage (default 1): '#' wall, '.' floor, letters blocks as in the\n"
    "       file, '@' the player's start\n"
    "solve  finds the fewest block moves (pushes and merges) that clear each stage, or\n"
    "       only STAGE, and proves it by search; FILE may be the word \"builtin\" for the\n"
    "       game's own stages. One line per stage:\n"
    "         stage 3: 17 block moves, optimal: rrRRuuLdd...\n"
    "         stage 4: no solution\n"
    "         stage 5: unknown after 2000000 states\n"
    "       The moves are the player's steps: l u r d walk, L U R D move a block.\n"
    "       \"unknown\" means a limit was reached first; a clear found on the way but not\n"
    "       proved the fewest follows it: \"; a clear in 27 block moves: ...\"\n"
    "       The limits hold per stage:\n"
    "       --time SECONDS  stop after this long (default: no limit)\n"
    "       --memory MIB    stop when the search's tables reach this size (default 4096)\n"
    "       --states N      stop after keeping N positions (default: no limit)\n"
    "       --threads N     search with N threads (default: one per core)\n"
    "       Progress goes to standard error while a stage takes longer than a second.\n"
    "       Exit status 0 when every stage was analysed, whatever the answers.\n"
    "\n"
    "      --help     display this help and exit\n"
    "      --version  output version information and exit\n";

int usage(std::string_view complaint = {}) {
  if (!complaint.empty()) std::fprintf(stderr, "qrltool: %.*s\n", static_cast<int>(complaint.size()), complaint.data());
  std::fputs(kUsage, stderr);
  return kExitUsage;
}

// STAGE as given on the command line, or the complaint about it.
std::optional<int> stageNumber(std::string_view text, std::string& complaint) {
  complaint = "STAGE must be a stage number from 1";
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    complaint = "STAGE " + std::string(text) + " is out of range";
    return std::nullopt;
  }
  if (error != std::errc{} || value < 1) return std::nullopt;
  return value;
}

// An option's value: a whole number from 1.
std::optional<int> optionValue(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || value < 1) return std::nullopt;
  return value;
}

std::optional<LoadedSet> load(const std::string& path) { return quorel::qrltool::loadSet(path); }

int stageCount(const EditorStageSlots& set) { return set.stageLimit - 1; }

std::string summary(const std::string& path, const LoadedSet& loaded) {
  const int stages = stageCount(loaded.set);
  // The designer line is free text from the file: its bytes must not reach the terminal raw.
  std::string line = quorel::printableFileName(path) + ": " + std::to_string(stages) +
                     (stages == 1 ? " stage" : " stages") + ", designer \"" +
                     quorel::printableBytes(loaded.set.designer) + "\"";
  if (loaded.stagesAnnounced > stages) {
    line += "; line 1 announces " + std::to_string(loaded.stagesAnnounced) + ", only the first " +
            std::to_string(stages) + " are read";
  }
  if (stages > kGameStages) line += "; more than the game's " + std::to_string(kGameStages) + ", it plays stages 1 to 20";
  return line;
}

char cellChar(int code) {
  if (code == quorel::kFloor) return '.';
  if (code == quorel::kWall) return '#';
  return quorel::tileCharOf(code);
}

std::string describeCell(int code) {
  if (code == quorel::kWall) return "a wall";
  if (quorel::isBlock(code)) return std::string("block ") + quorel::tileCharOf(code);
  return "tile " + std::to_string(code) + ", which is not floor";
}

bool insideGrid(int x, int y) { return x >= 0 && x < quorel::kBoardColumns && y >= 0 && y < quorel::kBoardRows; }

// What is odd about a stage's start cell, or nothing when the player starts on floor. The format
// allows any start; the editor only ever writes one on the grid.
std::optional<std::string> startProblem(const EditorStageSlots& set, int stage) {
  const auto slot = static_cast<std::size_t>(stage);
  const int x = set.startX[slot];
  const int y = set.startY[slot];
  const std::string cell = "the start cell (" + std::to_string(x) + ", " + std::to_string(y) + ")";
  if (!insideGrid(x, y)) {
    return cell + " lies outside the " + std::to_string(quorel::kBoardColumns) + " x " +
           std::to_string(quorel::kBoardRows) + " grid";
  }
  const int code = set.board[slot][static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
  if (code != quorel::kFloor) return cell + " is on " + describeCell(code);
  return std::nullopt;
}

void printStage(const EditorStageSlots& set, int stage) {
  const auto slot = static_cast<std::size_t>(stage);
  const int startX = set.startX[slot];
  const int startY = set.startY[slot];
  std::printf("stage %d of %d: start column %d, row %d; NG number %d\n", stage, stageCount(set), startX, startY,
              set.ngNumber[slot]);
  const std::optional<std::string> problem = startProblem(set, stage);
  const quorel::Board& board = set.board[slot];
  for (int row = 0; row < quorel::kBoardRows; ++row) {
    std::string line;
    for (int column = 0; column < quorel::kBoardColumns; ++column) {
      const bool start = column == startX && row == startY && !problem;
      line += start ? '@' : cellChar(board[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)]);
    }
    std::printf("%s\n", line.c_str());
  }
  if (problem) std::printf("note: %s\n", problem->c_str());
}

// A start the game cannot use well is worth a warning, not a refusal: the format allows it.
int check(const std::string& path) {
  const auto loaded = load(path);
  if (!loaded) return kExitBadFile;
  std::printf("%s\n", summary(path, *loaded).c_str());
  std::fflush(stdout);  // the summary comes first also when both streams share one pipe
  for (int stage = 1; stage <= stageCount(loaded->set); ++stage) {
    if (const auto problem = startProblem(loaded->set, stage)) {
      std::fprintf(stderr, "warning: stage %d: %s\n", stage, problem->c_str());
    }
  }
  return kExitOk;
}

int show(const std::string& path, std::optional<std::string_view> stageArgument) {
  std::string complaint;
  const auto stage = stageArgument ? stageNumber(*stageArgument, complaint) : std::optional<int>(1);
  if (!stage) return usage(complaint);
  const auto loaded = load(path);
  if (!loaded) return kExitBadFile;
  const int stages = stageCount(loaded->set);
  if (*stage > stages) {
    return usage(quorel::printableFileName(path) + " has stages 1 to " + std::to_string(stages) + ", not " + std::to_string(*stage));
  }
  printStage(loaded->set, *stage);
  return kExitOk;
}

constexpr std::size_t kDefaultMemoryMiB = 4096;

// qrltool solve's arguments: options with a value each, then FILE and an optional STAGE.
int solve(const std::vector<std::string>& args) {
  quorel::qrltool::SolveOptions options;
  options.limits.memoryBytes = kDefaultMemoryMiB << 20;
  std::vector<std::string> operands;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!arg.starts_with("--")) {
      operands.push_back(arg);
      continue;
    }
    if (i + 1 == args.size()) return usage(arg + " needs a value");
    const auto value = optionValue(args[++i]);
    if (!value) return usage(arg + " needs a whole number from 1");
    if (arg == "--time") {
      options.limits.time = std::chrono::seconds(*value);
    } else if (arg == "--memory") {
      options.limits.memoryBytes = static_cast<std::size_t>(*value) << 20;
    } else if (arg == "--states") {
      options.limits.states = static_cast<std::uint64_t>(*value);
    } else if (arg == "--threads") {
      options.limits.threads = *value;
    } else {
      return usage("unknown option " + arg);
    }
  }
  if (operands.empty() || operands.size() > 2) return usage();
  if (operands.size() == 2) {
    std::string complaint;
    options.stage = stageNumber(operands[1], complaint);
    if (!options.stage) return usage(complaint);
  }
  return quorel::qrltool::solveStages(operands[0], options);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "-h" || args[0] == "help")) {
    std::fputs(kUsage, stdout);
    return kExitOk;
  }
  if (const auto status = quorel::answerInfoRequest(quorel::infoRequest(args), "qrltool", kUsage)) return *status;
  if (args.size() == 2 && args[0] == "check") return check(args[1]);
  if ((args.size() == 2 || args.size() == 3) && args[0] == "show") {
    return show(args[1], args.size() == 3 ? std::optional<std::string_view>(args[2]) : std::nullopt);
  }
  if (!args.empty() && args[0] == "solve") return solve(args);
  return usage();
}
