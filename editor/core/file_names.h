#pragma once
// The name rules of stage files: which files the editor opens when named on the command line or
// dropped, and the extension Save as adds.
#include <string>

namespace quorel::editor {

// True when the file name's extension (from its last dot) contains ".qrl", in exactly that case.
bool hasStageFileExtension(const std::string& path);
// The name with ".qrl" appended, unless it holds ".qrl" anywhere already.
std::string withStageFileExtension(const std::string& name);

}  // namespace quorel::editor
