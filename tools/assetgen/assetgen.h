#pragma once
#include <string>

namespace assetgen {

// Each writes its files into `folder` and returns false on failure (with a message on stderr).
bool writePictures(const std::string& folder);
bool writeSounds(const std::string& folder);

// The desktop icons of the game, the editor and the stage set file type, at every size of the
// icon theme: FOLDER/SIZExSIZE/{apps,mimetypes}/NAME.png.
bool writeIcons(const std::string& folder);

// A PNG showing every picture at 1:1 with its name, for people to look at.
bool writeContactSheet(const std::string& pngPath);

}  // namespace assetgen
