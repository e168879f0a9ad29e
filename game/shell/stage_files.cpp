#include "game/shell/stage_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace quorel {

namespace {

constexpr std::size_t kLabelLength = 25;

char lowerChar(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool hasStageFileExtension(const std::string& name) {
  static constexpr std::string_view kExtension = ".qrl";
  if (name.size() < kExtension.size()) return false;
  return std::ranges::equal(name.substr(name.size() - kExtension.size()), kExtension,
                            [](char a, char b) { return lowerChar(a) == b; });
}

// Name order as a file list shows it: letters compared without regard to case.
bool comesBefore(const std::string& a, const std::string& b) {
  const bool lessIgnoringCase = std::ranges::lexicographical_compare(
      a, b, [](char x, char y) { return lowerChar(x) < lowerChar(y); });
  const bool moreIgnoringCase = std::ranges::lexicographical_compare(
      b, a, [](char x, char y) { return lowerChar(x) < lowerChar(y); });
  if (lessIgnoringCase != moreIgnoringCase) return lessIgnoringCase;
  return a < b;
}

// The bytes a character takes when `text` starts with a well-formed UTF-8 sequence of more than
// one byte; 0 otherwise.
std::size_t utf8SequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = 0;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  if (length == 0 || text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

}  // namespace

std::string shownFileName(std::string_view name) {
  std::string shown;
  while (!name.empty()) {
    const char c = name[0];
    const bool printableAscii = c >= 0x20 && c < 0x7F;
    const std::size_t length = printableAscii ? 1 : std::max<std::size_t>(utf8SequenceLength(name), 1);
    shown += printableAscii ? c : '?';
    name.remove_prefix(length);
  }
  return shown;
}

std::string stageFileLabel(const std::string& fileName) {
  std::string label = shownFileName(std::string_view(fileName).substr(0, fileName.size() >= 4 ? fileName.size() - 4 : 0));
  label.append(30, ' ');
  label.resize(kLabelLength);
  return label;
}

StageFileList listStageFiles(const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), error), end;
       !error && it != end; it.increment(error)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    std::string name = it->path().filename().string();
    if (hasStageFileExtension(name)) names.push_back(std::move(name));
  }
  std::ranges::sort(names, comesBefore);

  StageFileList list;
  list.found = static_cast<int>(names.size());
  if (names.size() > kStageFilesShown) names.resize(kStageFilesShown);
  for (const std::string& name : names) list.labels.push_back(stageFileLabel(name));
  list.names = std::move(names);
  return list;
}

}  // namespace quorel
