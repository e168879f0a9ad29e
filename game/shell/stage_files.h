#pragma once
// The user stage files (*.qrl) of a folder and the labels under which they are offered.
#include <string>
#include <string_view>
#include <vector>

namespace quorel {

inline constexpr int kStageFileSlots = 30;     // entries of the two stage-file tables
inline constexpr int kStageFilesShown = 27;    // all that the User stage select can show
inline constexpr int kStageFileWarningAt = 28;  // from this many on, some were not read

struct StageFileList {
  std::vector<std::string> names;   // the first kStageFilesShown in name order
  std::vector<std::string> labels;  // stageFileLabel of each name
  int found = 0;                    // every stage file in the folder
};

StageFileList listStageFiles(const std::string& folder);
// The label of a stage file: its name less the extension, as the bitmap font shows it, padded
// with spaces or cut to 25 characters.
std::string stageFileLabel(const std::string& fileName);
// A file name in characters the bitmap font has: a name is bytes, and each character that is
// not printable ASCII (one UTF-8 sequence, or one byte that forms none) becomes one "?".
std::string shownFileName(std::string_view name);

}  // namespace quorel
