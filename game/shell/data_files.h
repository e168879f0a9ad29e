#pragma once
// Where the game finds the files it reads beside its pictures: the music.
#include <string>
#include <vector>

namespace quorel {

// The folders searched for music, in order: the working folder, the executable's folder, the
// installed data folder.
std::vector<std::string> musicFolders(const std::string& workingFolder, const std::string& executablePath);

// The first folder holding `relative` ("bgm/bgm01.mid"; "\" is read as "/"), joined with it;
// `relative` itself when no folder holds it.
std::string findDataFile(const std::string& relative, const std::vector<std::string>& folders);

}  // namespace quorel
