#pragma once
// quorel.dat (settings and the built-in set's progress) and the record file of a user set.
#include <array>
#include <string>
#include <vector>

#include "common/stage_set.h"

namespace quorel {

inline constexpr std::size_t kUserRecordSlots = 30;  // userMinRecord: a record file keeps stages 1 to 29

struct Settings {
  std::array<int, kGameStageSlots> minRecord{};  // 1..20 used; 999 = never cleared
  int continueValue = 1;
  bool bgm = true;
  bool se = true;
  bool joystick = true;
  bool fadeInOut = true;
  bool drawLevel = true;
  int gameWait = 0;
  int bit = 16;
  Settings() { minRecord.fill(999); }
  friend bool operator==(const Settings&, const Settings&) = default;
};

struct UserRecords {
  std::array<int, kUserRecordSlots> userMinRecord{};  // 1..29 used
  int userContinue = 1;
  UserRecords() { userMinRecord.fill(999); }
  friend bool operator==(const UserRecords&, const UserRecords&) = default;
};

// Reads quorel.dat with its defaults and check-value reset.
Settings readSettingsFile(const std::string& path);
// Writes every key, safely replacing the file (see replaceFile). False when it could not be
// written, with where and why in `error` when given.
bool writeSettingsFile(const std::string& path, const Settings& settings, std::string* error = nullptr);

// Reads the record file of a user set whose stage limit is `stageLimit` into `records`.
// Entries 1..stageLimit - 1 are read (never past 29); a set of fewer than 3 stages takes its
// stage 3 record as 999 for the check value, in reading and writing alike.
void readUserRecords(const std::string& path, int stageLimit, UserRecords& records);
bool writeUserRecords(const std::string& path, int stageLimit, const UserRecords& records,
                      std::string* error = nullptr);
// True when no file is left at `path` (also when there was none).
bool deleteUserRecords(const std::string& path);
bool deleteSettingsFile(const std::string& path);

// The check values.
int settingsCheckValue(const Settings& settings);
int userRecordsCheckValue(int stageLimit, const UserRecords& records);

// The folder where quorel.dat and the record files live, with a trailing '/': the folder of
// the executable when files can be created there, else $XDG_DATA_HOME/quorel
// (~/.local/share/quorel). When neither can take a file it is the executable's folder.
// passedOver says, for each other folder tried, why it could not be used.
struct GameFolder {
  std::string path;
  std::vector<std::string> passedOver;
};
GameFolder findGameFolder(const std::string& executablePath);
std::string gameFolder(const std::string& executablePath);  // findGameFolder(...).path

// quorel.dat in the game folder.
std::string settingsFilePath(const std::string& folder);
// The record file of a stage file: the game folder + the file name less its last 4 characters +
// ".dat"; "quorel.qrl" (in any case) takes "quorel.rec", as quorel.dat is the settings file.
std::string userRecordsPath(const std::string& folder, const std::string& stageFileName);

}  // namespace quorel
