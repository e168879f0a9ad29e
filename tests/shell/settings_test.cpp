#include "game/shell/settings.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game/shell/ini_file.h"
#include "tests/support/fifo.h"

namespace quorel {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> filesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  return names;
}

class SettingsFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "settings_test_XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder = pattern + "/";
    datPath = folder + "quorel.dat";
  }
  void TearDown() override { fs::remove_all(folder); }

  std::string folder;
  std::string datPath;
};

Settings withRecords(std::initializer_list<int> firstRecords, int continueValue) {
  Settings settings;
  int stage = 1;
  for (const int record : firstRecords) settings.minRecord[stage++] = record;
  settings.continueValue = continueValue;
  return settings;
}

UserRecords userRecordsOf(std::initializer_list<int> records, int userContinue) {
  UserRecords result;
  int stage = 1;
  for (const int record : records) result.userMinRecord[stage++] = record;
  result.userContinue = userContinue;
  return result;
}

// ---------------------------------------------------------------- check values

TEST(CheckValue, SettingsFile) {
  struct Case {
    const char* what;
    Settings settings;
    int expected;
  };
  const Case cases[] = {
      {"no clear yet", Settings{}, 6913},
      {"three stages cleared", withRecords({12, 20, 31}, 4), 5899},
      // Hand-edited extremes: the 32-bit products wrap and the remainder keeps the sign.
      {"huge record", withRecords({2147483647}, 1), 8004},
      {"negative record", withRecords({-5}, 1), 1892},
      {"huge continue", withRecords({}, 2147483647), -8330},
  };
  for (const Case& c : cases) EXPECT_EQ(settingsCheckValue(c.settings), c.expected) << c.what;
}

TEST(CheckValue, UserSetMultipliesByStage3OrByNoRecordWhenTheSetIsSmaller) {
  EXPECT_EQ(userRecordsCheckValue(4, userRecordsOf({10, 20, 30}, 3)), 7508);
  // Two stages: entry 3 is not part of the set, whatever it holds.
  EXPECT_EQ(userRecordsCheckValue(3, userRecordsOf({10, 20, 5}, 2)), 5707);
  EXPECT_EQ(userRecordsCheckValue(3, userRecordsOf({10, 20, 777}, 2)), 5707);
  EXPECT_EQ(userRecordsCheckValue(1, userRecordsOf({10, 20, 30}, 1)), 999);
}

// ---------------------------------------------------------------- quorel.dat

TEST_F(SettingsFiles, NoFileGivesTheDefaults) {
  const Settings settings = readSettingsFile(datPath);
  for (int s = 1; s <= 20; ++s) EXPECT_EQ(settings.minRecord[s], 999) << s;
  EXPECT_EQ(settings.continueValue, 1);
  EXPECT_TRUE(settings.bgm && settings.se && settings.joystick && settings.fadeInOut &&
              settings.drawLevel);
  EXPECT_EQ(settings.gameWait, 0);
  EXPECT_EQ(settings.bit, 16);
}

TEST_F(SettingsFiles, AFirstRunWritesEveryKeyInItsOrder) {
  ASSERT_TRUE(writeSettingsFile(datPath, Settings{}));
  std::string expected = "[MINIMUM]\r\n";
  for (int s = 1; s <= 20; ++s) expected += "STAGE" + std::to_string(s) + "=999\r\n";
  expected +=
      "[CONFIG]\r\nCONTINUE=1\r\nBGM=1\r\nS.E.=1\r\nJOY STICK=1\r\nFADEIN/OUT=1\r\nDRAWLEVEL=1\r\n"
      "BIT=16\r\nGAMEWAIT=0\r\nSUM=6913\r\n";
  EXPECT_EQ(readBytes(datPath), expected);
}

TEST_F(SettingsFiles, AWrongOrMissingSumResetsProgressButKeepsTheSettings) {
  struct Case {
    const char* sumLine;
    bool progressKept;
  };
  const Case cases[] = {
      {"SUM=5899\n", true}, {"SUM=5898\n", false}, {"", false}, {"SUM=junk\n", false}};
  for (const Case& c : cases) {
    writeBytes(datPath, std::string("[MINIMUM]\nSTAGE1=12\nSTAGE2=20\nSTAGE3=31\n") +
                            "[CONFIG]\nCONTINUE=4\nBGM=0\nS.E.=0\nJOY STICK=0\nFADEIN/OUT=1\n"
                            "DRAWLEVEL=0\nGAMEWAIT=250\nBIT=32\n" +
                            c.sumLine);
    const Settings settings = readSettingsFile(datPath);
    Settings expected = c.progressKept ? withRecords({12, 20, 31}, 4) : Settings{};
    expected.bgm = expected.se = expected.joystick = expected.drawLevel = false;
    expected.gameWait = 250;
    expected.bit = 32;
    EXPECT_EQ(settings, expected) << c.sumLine;
  }
}

TEST_F(SettingsFiles, WriteThenReadGivesBackEveryValue) {
  Settings settings = withRecords({3, 999, 17, 44, 0, 120}, 6);
  settings.minRecord[20] = 9;
  settings.bgm = false;
  settings.fadeInOut = false;
  settings.gameWait = 250;
  settings.bit = 32;
  ASSERT_TRUE(writeSettingsFile(datPath, settings));
  EXPECT_EQ(readSettingsFile(datPath), settings);
}

TEST_F(SettingsFiles, APreparedFileKeepsItsKeysValuesAndExtrasThroughReadAndWrite) {
  // As a player might leave it: lower case, spaces, LF ends, a hexadecimal record, foreign keys.
  writeBytes(datPath,
             "[minimum]\n"
             "stage1 = 12\n"
             "STAGE2=20\n"
             "STAGE3=31\n"
             "STAGE5=0x1F\n"
             "\n"
             "[Config]\n"
             "continue=4\n"
             "BGM=0\n"
             "NOTE=mine\n"
             "BIT=32\n"
             "GAMEWAIT=250\n"
             "SUM=7089\n"
             "[EXTRA]\n"
             "A=b\n");
  const IniFile before = IniFile::load(datPath);
  const Settings settings = readSettingsFile(datPath);
  ASSERT_EQ(settings.minRecord[5], 31) << "the check value should have matched";
  ASSERT_TRUE(writeSettingsFile(datPath, settings));

  const IniFile after = IniFile::load(datPath);
  for (int s = 1; s <= 20; ++s) {
    const std::string key = "STAGE" + std::to_string(s);
    EXPECT_EQ(after.readInteger("MINIMUM", key, -1), before.readInteger("MINIMUM", key, 999))
        << key;
  }
  for (const char* key : {"CONTINUE", "BGM", "BIT", "GAMEWAIT", "SUM"}) {
    EXPECT_EQ(after.readInteger("CONFIG", key, -1), before.readInteger("CONFIG", key, -2)) << key;
  }
  EXPECT_EQ(after.readString("CONFIG", "NOTE"), "mine");
  EXPECT_EQ(after.readString("EXTRA", "A"), "b");
  EXPECT_EQ(readSettingsFile(datPath), settings);
}

// Lowers the largest file this process may write, so that a write runs out of room part way as
// on a full disk; works for root too, unlike a read-only folder.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limited = previous_;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = nullptr;
};

TEST_F(SettingsFiles, AFailedWriteLeavesTheOldFileWholeAndNoTemporaryFile) {
  const std::string oldBytes = "[CONFIG]\r\nBGM=0\r\n";
  const std::function<bool(const std::string&)> writers[] = {
      [](const std::string& path) {
        return writeSettingsFile(path, withRecords({1, 2, 3}, 4));
      },
      [](const std::string& path) {
        return writeUserRecords(path, 4, userRecordsOf({1, 2, 3}, 4));
      },
  };
  for (const auto& write : writers) {
    writeBytes(datPath, oldBytes);
    {
      const FileSizeLimit diskFull(8);
      EXPECT_FALSE(write(datPath)) << "disk full";
    }
    EXPECT_EQ(readBytes(datPath), oldBytes);
    EXPECT_EQ(filesIn(folder), std::vector<std::string>{"quorel.dat"});

    // A folder standing where the file goes: the rename fails.
    const std::string blocked = folder + "blocked.dat";
    fs::create_directory(blocked);
    EXPECT_FALSE(write(blocked)) << "folder in the way";
    EXPECT_TRUE(fs::is_directory(blocked));
    EXPECT_TRUE(fs::is_empty(blocked));
    fs::remove(blocked);

    EXPECT_FALSE(write(folder + "missing/quorel.dat")) << "no folder";
    EXPECT_EQ(filesIn(folder), std::vector<std::string>{"quorel.dat"});
  }
}

TEST_F(SettingsFiles, DeletingLeavesNoFileButNeverRemovesAFolder) {
  for (const auto& remove : {deleteSettingsFile, deleteUserRecords}) {
    writeBytes(datPath, "[CONFIG]\r\nSUM=1\r\n");
    EXPECT_TRUE(remove(datPath));
    EXPECT_FALSE(fs::exists(datPath));
    EXPECT_TRUE(remove(datPath)) << "nothing to delete is not a failure";

    fs::create_directory(folder + "set.dat");
    EXPECT_FALSE(remove(folder + "set.dat"));
    EXPECT_TRUE(fs::is_directory(folder + "set.dat"));
    fs::remove(folder + "set.dat");
  }
}

// What the player did with quorel.dat holds: a link stays a link, permissions stay, a read-only
// file and one that is no regular file are not replaced, and the write says why.
TEST_F(SettingsFiles, TheWriteRespectsWhatThePlayerDidWithTheFile) {
  const Settings settings = withRecords({12, 20, 31}, 4);
  fs::create_directory(folder + "synced");
  const std::string synced = folder + "synced/quorel.dat";
  writeBytes(synced, "[CONFIG]\r\nBGM=0\r\n");
  ::chmod(synced.c_str(), 0600);
  fs::create_symlink("synced/quorel.dat", datPath);
  ASSERT_TRUE(writeSettingsFile(datPath, settings));
  EXPECT_TRUE(fs::is_symlink(datPath));
  EXPECT_EQ(fs::status(synced).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(readSettingsFile(datPath), settings);
  EXPECT_EQ(filesIn(folder + "synced"), std::vector<std::string>{"quorel.dat"});
  fs::remove(datPath);

  writeBytes(datPath, "[CONFIG]\r\nBGM=0\r\n");
  ::chmod(datPath.c_str(), 0444);
  std::string error;
  EXPECT_FALSE(writeSettingsFile(datPath, settings, &error));
  EXPECT_EQ(error, datPath + " is read-only; it was left as it is");
  EXPECT_EQ(readBytes(datPath), "[CONFIG]\r\nBGM=0\r\n");
}

TEST_F(SettingsFiles, AFifoReadsAsTheDefaultsWithoutWaitingAndIsNeverReplaced) {
  for (const std::string name : {"quorel.dat", "castle.dat"}) {
    const testing::Fifo fifo(folder + name);
    Settings settings = withRecords({1}, 2);
    UserRecords records = userRecordsOf({5, 5, 5}, 3);
    ASSERT_TRUE(fifo.returnsWithin([&] {
      settings = readSettingsFile(fifo.path());
      readUserRecords(fifo.path(), 4, records);
    })) << name << " was waited on";
    EXPECT_EQ(settings, Settings{});
    EXPECT_EQ(records, UserRecords{});
    std::string error;
    EXPECT_FALSE(writeSettingsFile(fifo.path(), settings, &error));
    EXPECT_EQ(error, fifo.path() + " is not a regular file; it was left as it is");
    EXPECT_FALSE(writeUserRecords(fifo.path(), 4, records));
    EXPECT_TRUE(fifo.isStillAFifo());
  }
}

// ---------------------------------------------------------------- user record files

TEST_F(SettingsFiles, UserRecordsAreWrittenInTheirOrderAndReadBack) {
  const std::string path = folder + "castle.dat";
  const UserRecords written = userRecordsOf({10, 20, 30}, 3);
  ASSERT_TRUE(writeUserRecords(path, 4, written));
  EXPECT_EQ(readBytes(path),
            "[MINIMUM]\r\nSTAGE1=10\r\nSTAGE2=20\r\nSTAGE3=30\r\n"
            "[CONFIG]\r\nSUM=7508\r\n"
            "[CONTINUE]\r\nSTAGE=3\r\n");
  UserRecords read = userRecordsOf({5, 5, 5, 5}, 9);
  readUserRecords(path, 4, read);
  EXPECT_EQ(read, userRecordsOf({10, 20, 30, 5}, 3));
}

TEST_F(SettingsFiles, UserRecordsWithoutAFileOrWithAWrongSumAreReset) {
  const std::string path = folder + "castle.dat";
  UserRecords records = userRecordsOf({5, 5, 5}, 3);
  readUserRecords(path, 4, records);
  EXPECT_EQ(records, UserRecords{});

  writeBytes(
      path, "[MINIMUM]\nSTAGE1=10\nSTAGE2=2\nSTAGE3=30\n[CONFIG]\nSUM=7508\n[CONTINUE]\nSTAGE=3\n");
  records = userRecordsOf({5, 5, 5}, 3);
  readUserRecords(path, 4, records);
  EXPECT_EQ(records, UserRecords{});
}

TEST_F(SettingsFiles, ATwoStageSetChecksWithNoRecordForStage3) {
  const std::string path = folder + "small.dat";
  ASSERT_TRUE(writeUserRecords(path, 3, userRecordsOf({10, 20, 5}, 2)));
  EXPECT_EQ(IniFile::load(path).readInteger("CONFIG", "SUM", -1), 5707);
  EXPECT_EQ(IniFile::load(path).readString("MINIMUM", "STAGE3"), std::nullopt);

  UserRecords read = userRecordsOf({0, 0, 777}, 1);
  readUserRecords(path, 3, read);
  EXPECT_EQ(read.userMinRecord[1], 10);
  EXPECT_EQ(read.userMinRecord[2], 20);
  EXPECT_EQ(read.userContinue, 2);
}

TEST_F(SettingsFiles, UserRecordsStopAtStage29) {
  const std::string path = folder + "big.dat";
  UserRecords records;
  for (int s = 1; s <= 29; ++s) records.userMinRecord[s] = s;
  records.userContinue = 5;
  ASSERT_TRUE(writeUserRecords(path, 40, records));
  const IniFile ini = IniFile::load(path);
  EXPECT_EQ(ini.readInteger("MINIMUM", "STAGE29", -1), 29);
  EXPECT_EQ(ini.readString("MINIMUM", "STAGE30"), std::nullopt);
  EXPECT_EQ(ini.readInteger("CONFIG", "SUM", -1), 5390);

  UserRecords read;
  readUserRecords(path, 40, read);
  EXPECT_EQ(read, records);
}

// ---------------------------------------------------------------- where the files live

TEST(UserRecordsPath, UsesOnlyTheStageFileNameLessItsExtension) {
  struct Case {
    const char* stageFile;
    const char* expected;
  };
  const Case cases[] = {
      {"castle.qrl", "/game/castle.dat"},     {"my stages.QRL", "/game/my stages.dat"},
      {"sub/castle.qrl", "/game/castle.dat"}, {"../../etc/passwd.qrl", "/game/passwd.dat"},
      {"/abs/x.qrl", "/game/x.dat"},          {"..", "/game/.dat"},
      // The settings file is no stage file's record file.
      {"quorel.qrl", "/game/quorel.rec"},     {"QUOREL.QRL", "/game/QUOREL.rec"},
      {"quorel.qrl.qrl", "/game/quorel.qrl.dat"}, {"quorel2.qrl", "/game/quorel2.dat"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(userRecordsPath("/game/", c.stageFile), c.expected) << c.stageFile;
}

class Environment {
 public:
  explicit Environment(const char* name) : name_(name) {
    if (const char* value = std::getenv(name)) previous_ = value;
  }
  ~Environment() {
    if (previous_) {
      ::setenv(name_, previous_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  Environment(const Environment&) = delete;
  Environment& operator=(const Environment&) = delete;
  void set(const std::string& value) const { ::setenv(name_, value.c_str(), 1); }

 private:
  const char* name_;
  std::optional<std::string> previous_;
};

TEST_F(SettingsFiles, GameFolderIsBesideTheExecutableWhenWritable) {
  fs::create_directory(folder + "bin");
  EXPECT_EQ(gameFolder(folder + "bin/quorel"), folder + "bin/");
  EXPECT_TRUE(fs::is_empty(folder + "bin")) << "the probe file must be gone";
}

TEST_F(SettingsFiles, WhenNoFolderTakesAFileTheOthersTriedAreNamed) {
  const Environment dataHome("XDG_DATA_HOME");
  writeBytes(folder + "plain-file", "");
  dataHome.set(folder + "plain-file/data");
  const GameFolder found = findGameFolder(folder + "nowhere/quorel");
  EXPECT_EQ(found.path, folder + "nowhere/");
  EXPECT_EQ(found.passedOver,
            std::vector<std::string>{"cannot create the folder " + folder + "plain-file/data/quorel/: Not a directory"});

  dataHome.set(folder + "data");
  const GameFolder fallback = findGameFolder(folder + "nowhere/quorel");
  EXPECT_EQ(fallback.path, folder + "data/quorel/");
  EXPECT_EQ(fallback.passedOver, std::vector<std::string>{"cannot create a temporary file in " + folder +
                                                          "nowhere/: No such file or directory"});
}

// Installed as PREFIX/bin/quorel beside PREFIX/share/quorel, the game writes nothing under its
// prefix, even where it may (a root player, a prefix in the home folder).
TEST_F(SettingsFiles, AnInstalledGameKeepsItsFilesInTheUserDataFolderOnly) {
  const Environment dataHome("XDG_DATA_HOME");
  fs::create_directories(folder + "usr/bin");
  fs::create_directories(folder + "usr/share/quorel");
  dataHome.set(folder + "data");
  EXPECT_EQ(gameFolder(folder + "usr/bin/quorel"), folder + "data/quorel/");
  EXPECT_TRUE(fs::is_empty(folder + "usr/bin")) << "nothing beside the executable, not even a probe";

  // A data folder that cannot be made is still where the files are read from and where the
  // save at close fails with its reason.
  writeBytes(folder + "plain-file", "");
  dataHome.set(folder + "plain-file/data");
  const GameFolder found = findGameFolder(folder + "usr/bin/quorel");
  EXPECT_EQ(found.path, folder + "plain-file/data/quorel/");
  EXPECT_TRUE(found.passedOver.empty());
}

TEST_F(SettingsFiles, GameFolderFallsBackToTheUserDataFolder) {
  const Environment dataHome("XDG_DATA_HOME");
  const Environment home("HOME");
  home.set(folder + "home");
  struct Case {
    std::string dataHome;
    std::string expected;
  };
  const Case cases[] = {
      {folder + "xdg", folder + "xdg/quorel/"},
      {folder + "xdg2/", folder + "xdg2/quorel/"},
      {"relative/data", folder + "home/.local/share/quorel/"},
  };
  // A path whose folder does not exist cannot take a file, even for root.
  const std::string unwritableExecutable = folder + "nowhere/quorel";
  for (const Case& c : cases) {
    dataHome.set(c.dataHome);
    EXPECT_EQ(gameFolder(unwritableExecutable), c.expected) << c.dataHome;
    EXPECT_TRUE(fs::is_directory(c.expected)) << c.expected;
  }
}

}  // namespace
}  // namespace quorel
