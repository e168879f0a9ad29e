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

// PREFIX/share/quorel for an executable installed as PREFIX/bin/quorel, found from the
// executable's own place so that a package installed under any prefix finds its data.
std::string dataFolderOf(const std::string& executablePath);
// True when the executable sits in an installed layout: its data folder is there. An installed
// game keeps nothing of its own beside the executable.
bool isInstalled(const std::string& executablePath);

}  // namespace quorel
