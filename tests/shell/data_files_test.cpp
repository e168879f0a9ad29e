#include "game/shell/data_files.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace quorel {
namespace {

namespace fs = std::filesystem;

struct DataFilesFixture : ::testing::Test {
  fs::path root = fs::temp_directory_path() / ("quorel-data-files-" + std::to_string(::getpid()));
  fs::path working = root / "working";
  fs::path program = root / "program";
  fs::path installed = root / "installed";

  void SetUp() override {
    for (const auto& folder : {working, program, installed}) fs::create_directories(folder / "bgm");
  }
  void TearDown() override { fs::remove_all(root); }
  static void touch(const fs::path& path) { std::ofstream(path) << "MThd"; }
  std::vector<std::string> folders() const { return {working.string(), program.string(), installed.string()}; }
};

TEST_F(DataFilesFixture, TheFirstFolderHoldingTheFileWins) {
  touch(installed / "bgm/bgm01.mid");
  EXPECT_EQ(findDataFile("bgm/bgm01.mid", folders()), (installed / "bgm/bgm01.mid").string());
  touch(program / "bgm/bgm01.mid");
  EXPECT_EQ(findDataFile("bgm/bgm01.mid", folders()), (program / "bgm/bgm01.mid").string());
  touch(working / "bgm/bgm01.mid");
  EXPECT_EQ(findDataFile("bgm\\bgm01.mid", folders()), (working / "bgm/bgm01.mid").string());
}

TEST_F(DataFilesFixture, AFileNoFolderHoldsIsLeftAsGiven) {
  fs::create_directories(working / "bgm/bgm02.mid");  // a folder of that name is no file
  EXPECT_EQ(findDataFile("bgm\\bgm02.mid", folders()), "bgm/bgm02.mid");
}

TEST(MusicFolders, WorkingFolderThenTheProgramsFolderThenTheInstalledData) {
  const auto folders = musicFolders("/home/player/games", "/opt/quorel/bin/quorel");
  ASSERT_EQ(folders.size(), 3u);
  EXPECT_EQ(folders[0], "/home/player/games");
  EXPECT_EQ(folders[1], "/opt/quorel/bin");
  EXPECT_EQ(folders[2], "/opt/quorel/share/quorel");
}

TEST_F(DataFilesFixture, AnExecutableIsInstalledWhenItsDataFolderIsThere) {
  fs::create_directories(root / "prefix/bin");
  EXPECT_FALSE(isInstalled((root / "prefix/bin/quorel").string()));
  fs::create_directories(root / "prefix/share/quorel");
  EXPECT_TRUE(isInstalled((root / "prefix/bin/quorel").string()));
  EXPECT_FALSE(isInstalled((program / "quorel").string())) << "a build or portable folder";
}

}  // namespace
}  // namespace quorel
