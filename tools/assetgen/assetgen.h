#pragma once
#include <string>

namespace assetgen {

// Each writes its files into `folder` and returns false on failure (with a message on stderr).
bool writePictures(const std::string& folder);
bool writeSounds(const std::string& folder);

// A PNG showing every picture at 1:1 with its name, for people to look at.
bool writeContactSheet(const std::string& pngPath);

}  // namespace assetgen
