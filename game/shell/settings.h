#pragma once
// quorel.dat (settings and the built-in set's progress) and the record file of a user set.
#include <array>
#include <string>

namespace quorel {

struct Settings {
  std::array<int, 21> minRecord{};  // 1..20 used; 999 = never cleared
  int continueValue = 1;
  bool bgm = true;
  bool se = true;
  bool joystick = true;
  bool fadeInOut = true;
  bool drawLevel = true;
  int gameWait = 0;
  int bit = 16;
  Settings() { minRecord.fill(999); }
};

struct UserRecords {
  std::array<int, 30> userMinRecord{};  // 1..29 used
  int userContinue = 1;
  UserRecords() { userMinRecord.fill(999); }
};

// Reads quorel.dat with its defaults and check-value reset.
Settings readSettingsFile(const std::string& path);
// Writes every key, safely replacing the file. False when it could not be written.
bool writeSettingsFile(const std::string& path, const Settings& settings);

// Reads the record file of a user set whose stage limit is `stageLimit` into `records`.
void readUserRecords(const std::string& path, int stageLimit, UserRecords& records);
bool writeUserRecords(const std::string& path, int stageLimit, const UserRecords& records);
bool deleteUserRecords(const std::string& path);
bool deleteSettingsFile(const std::string& path);

// The check values.
int settingsCheckValue(const Settings& settings);
int userRecordsCheckValue(int stageLimit, const UserRecords& records);

// The folder where quorel.dat and the record files live, with a trailing '/': the folder of
// the executable when it can be written, else $XDG_DATA_HOME/quorel (~/.local/share/quorel).
std::string gameFolder(const std::string& executablePath);
// The record file of a stage file: the game folder + the file name less its last 4 characters + ".dat".
std::string userRecordsPath(const std::string& folder, const std::string& stageFileName);

}  // namespace quorel
