#pragma once
#include <string>

namespace quorel {

// The temporary stage file through which the editor hands a stage set to the game for test
// play: the system temporary folder (TMPDIR, else /tmp) followed by "$$$qrl$$$.tmp".
std::string temporaryStageFilePath();

}  // namespace quorel
