#pragma once
#include <string>

namespace assetgen {

// Each writes its files into `folder` and returns false on failure (with a message on stderr).
bool writePictures(const std::string& folder);
bool writeSounds(const std::string& folder);

}  // namespace assetgen
