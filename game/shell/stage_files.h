#pragma once
// The user stage files (*.qrl) of a folder and the labels under which they are offered.
#include <string>
#include <vector>

namespace quorel {

inline constexpr int kStageFileSlots = 30;     // entries of the two stage-file tables
inline constexpr int kStageFilesShown = 27;    // all that the User stage select can show
inline constexpr int kStageFileWarningAt = 28;  // from this many on, some were not read

struct StageFileList {
  std::vector<std::string> names;   // the first kStageFilesShown in name order
  std::vector<std::string> labels;  // the name less its extension, padded and cut to 25 characters
  int found = 0;                    // every stage file in the folder
};

StageFileList listStageFiles(const std::string& folder);
std::string stageFileLabel(const std::string& fileName);

}  // namespace quorel
