#include "game/shell/command_line.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace quorel {

namespace {

std::string lowerCase(std::string text) {
  std::ranges::transform(text, text.begin(), [](char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  });
  return text;
}

// A decimal integer as the editor writes a stage number: an optional sign and digits only.
bool isDecimalInteger(const std::string& text) {
  const std::size_t digitsFrom = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (digitsFrom == text.size()) return false;
  return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(digitsFrom), text.end(),
                     [](char c) { return c >= '0' && c <= '9'; });
}

int stageNumberOf(const std::string& text) {
  const char* first = text.data() + (text[0] == '+' ? 1 : 0);
  int value = 0;
  const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size() ? value : 0;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& parameters) {
  CommandLine line;
  if (parameters.empty()) return line;
  for (const std::string& parameter : parameters) {
    const std::string lower = lowerCase(parameter);
    if (lower.find('w') != std::string::npos) line.fullScreen = false;
    if (lower.find('b') != std::string::npos) line.beepMode = true;
    line.stageText += lower;
  }
  // Text that is no number (a lone "b") cannot name a stage: the game starts normally.
  line.testPlay = line.stageText != "0" && line.fullScreen && isDecimalInteger(line.stageText);
  if (line.testPlay) line.stage = stageNumberOf(line.stageText);
  return line;
}

}  // namespace quorel
