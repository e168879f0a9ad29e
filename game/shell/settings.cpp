#include "game/shell/settings.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <type_traits>
#include <variant>

#include "common/safe_file.h"
#include "game/shell/data_files.h"
#include "game/shell/ini_file.h"

namespace quorel {

namespace {

constexpr std::string_view kMinimumSection = "MINIMUM";
constexpr std::string_view kConfigSection = "CONFIG";
constexpr std::string_view kContinueSection = "CONTINUE";
constexpr std::string_view kSumKey = "SUM";
constexpr std::string_view kUserContinueKey = "STAGE";

constexpr int kNoRecord = 999;
constexpr int kContinueDefault = 1;
// No check value reaches 9801, so a file without SUM never passes the check.
constexpr int kSumDefault = 9801;
constexpr int kCheckModulus = 8801;
constexpr int kBuiltInStages = static_cast<int>(kGameStageSlots) - 1;
constexpr int kMaxUserStages = static_cast<int>(kUserRecordSlots) - 1;

struct ConfigKey {
  std::string_view name;
  std::variant<int Settings::*, bool Settings::*> member;
  int defaultValue;  // booleans: 1 on, 0 off
};

// The CONFIG keys of quorel.dat in the order they are read.
constexpr ConfigKey kConfigKeys[] = {
    {"CONTINUE", &Settings::continueValue, kContinueDefault},
    {"BGM", &Settings::bgm, 1},
    {"S.E.", &Settings::se, 1},
    {"JOY STICK", &Settings::joystick, 1},
    {"FADEIN/OUT", &Settings::fadeInOut, 1},
    {"DRAWLEVEL", &Settings::drawLevel, 1},
    {"GAMEWAIT", &Settings::gameWait, 0},
    {"BIT", &Settings::bit, 16},
};

// Writing puts BIT before GAMEWAIT, so a newly made file lists them in this order.
constexpr std::string_view kConfigWriteOrder[] = {
    "CONTINUE", "BGM", "S.E.", "JOY STICK", "FADEIN/OUT", "DRAWLEVEL", "BIT", "GAMEWAIT",
};

const ConfigKey& configKey(std::string_view name) {
  return *std::find_if(std::begin(kConfigKeys), std::end(kConfigKeys),
                       [name](const ConfigKey& key) { return key.name == name; });
}

std::string stageKey(int stage) { return "STAGE" + std::to_string(stage); }

void readConfigKey(const IniFile& ini, const ConfigKey& key, Settings& settings) {
  std::visit(
      [&](auto member) {
        if constexpr (std::is_same_v<decltype(member), bool Settings::*>) {
          settings.*member = ini.readBool(kConfigSection, key.name, key.defaultValue != 0);
        } else {
          settings.*member = ini.readInteger(kConfigSection, key.name, key.defaultValue);
        }
      },
      key.member);
}

void writeConfigKey(IniFile& ini, const ConfigKey& key, const Settings& settings) {
  std::visit(
      [&](auto member) {
        if constexpr (std::is_same_v<decltype(member), bool Settings::*>) {
          ini.writeBool(kConfigSection, key.name, settings.*member);
        } else {
          ini.writeInteger(kConfigSection, key.name, settings.*member);
        }
      },
      key.member);
}

// The check value is computed as 32-bit signed registers would: products and sums wrap, and
// the remainder truncates toward zero, so hand-edited huge or negative records still give the
// value the file's SUM was made with.
std::int32_t wrapped(std::int64_t value) { return static_cast<std::int32_t>(value); }

int addModulo(int sum, std::int64_t term) {
  return wrapped(static_cast<std::int64_t>(sum) + wrapped(term)) % kCheckModulus;
}

// records[1..stages], then continue times `multiplierRecord`.
int checkValue(const int* records, int stages, int continueValue, int multiplierRecord) {
  int sum = 0;
  for (int s = 1; s <= stages; ++s) sum = addModulo(sum, 417LL * records[s]);
  return addModulo(sum, static_cast<std::int64_t>(continueValue) * multiplierRecord);
}

constexpr std::string_view kSettingsFileStem = "quorel";

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

int userStageCount(int stageLimit) { return std::clamp(stageLimit - 1, 0, kMaxUserStages); }

// True when no file is left at `path`; a folder there is not ours to remove.
bool removeFile(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const auto status = fs::symlink_status(path, error);
  if (status.type() == fs::file_type::not_found) return true;
  if (error || status.type() == fs::file_type::directory) return false;
  fs::remove(path, error);
  return !error;
}

std::string folderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::string withoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// $XDG_DATA_HOME/quorel/, or ~/.local/share/quorel/; empty when neither can be named. A
// relative XDG_DATA_HOME is invalid and ignored.
std::string userDataFolder() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome && dataHome[0] == '/') return withoutTrailingSlashes(dataHome) + "/quorel/";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return withoutTrailingSlashes(home) + "/.local/share/quorel/";
  return {};
}

}  // namespace

int settingsCheckValue(const Settings& settings) {
  return checkValue(settings.minRecord.data(), kBuiltInStages, settings.continueValue,
                    settings.minRecord[3]);
}

int userRecordsCheckValue(int stageLimit, const UserRecords& records) {
  const int stages = userStageCount(stageLimit);
  // Stage 3's record is the multiplier whatever the set's size; a smaller set has none, and
  // reader and writer both take it as a stage never cleared.
  const int multiplier = stages >= 3 ? records.userMinRecord[3] : kNoRecord;
  return checkValue(records.userMinRecord.data(), stages, records.userContinue, multiplier);
}

Settings readSettingsFile(const std::string& path) {
  const IniFile ini = IniFile::load(path);
  Settings settings;
  for (int s = 1; s <= kBuiltInStages; ++s) {
    settings.minRecord[s] = ini.readInteger(kMinimumSection, stageKey(s), kNoRecord);
  }
  for (const ConfigKey& key : kConfigKeys) readConfigKey(ini, key, settings);
  if (settingsCheckValue(settings) != ini.readInteger(kConfigSection, kSumKey, kSumDefault)) {
    settings.minRecord.fill(kNoRecord);
    settings.continueValue = kContinueDefault;
  }
  return settings;
}

bool writeSettingsFile(const std::string& path, const Settings& settings, std::string* error) {
  IniFile ini = IniFile::load(path);
  for (int s = 1; s <= kBuiltInStages; ++s) {
    ini.writeInteger(kMinimumSection, stageKey(s), settings.minRecord[s]);
  }
  for (const std::string_view name : kConfigWriteOrder)
    writeConfigKey(ini, configKey(name), settings);
  ini.writeInteger(kConfigSection, kSumKey, settingsCheckValue(settings));
  return ini.save(path, error);
}

void readUserRecords(const std::string& path, int stageLimit, UserRecords& records) {
  const IniFile ini = IniFile::load(path);
  const int stages = userStageCount(stageLimit);
  for (int s = 1; s <= stages; ++s) {
    records.userMinRecord[s] = ini.readInteger(kMinimumSection, stageKey(s), kNoRecord);
  }
  records.userContinue = ini.readInteger(kContinueSection, kUserContinueKey, kContinueDefault);
  if (userRecordsCheckValue(stageLimit, records) !=
      ini.readInteger(kConfigSection, kSumKey, kSumDefault)) {
    std::fill_n(records.userMinRecord.begin() + 1, stages, kNoRecord);
    records.userContinue = kContinueDefault;
  }
}

bool writeUserRecords(const std::string& path, int stageLimit, const UserRecords& records, std::string* error) {
  IniFile ini = IniFile::load(path);
  const int stages = userStageCount(stageLimit);
  for (int s = 1; s <= stages; ++s) {
    ini.writeInteger(kMinimumSection, stageKey(s), records.userMinRecord[s]);
  }
  ini.writeInteger(kConfigSection, kSumKey, userRecordsCheckValue(stageLimit, records));
  ini.writeInteger(kContinueSection, kUserContinueKey, records.userContinue);
  return ini.save(path, error);
}

bool deleteUserRecords(const std::string& path) { return removeFile(path); }

bool deleteSettingsFile(const std::string& path) { return removeFile(path); }

GameFolder findGameFolder(const std::string& executablePath) {
  GameFolder found;
  const std::string besideExecutable = folderOf(executablePath);
  // An installed game's folder belongs to the system, even when it could be written (a root
  // player, a prefix in the home folder): its files go to the user's data folder only.
  const bool installed = isInstalled(executablePath);
  std::string why;
  if (!installed) {
    if (canCreateFilesIn(besideExecutable, &why)) {
      found.path = besideExecutable;
      return found;
    }
    found.passedOver.push_back(why);
  }
  const std::string dataFolder = userDataFolder();
  if (dataFolder.empty()) {
    found.passedOver.emplace_back("no folder for user data: neither XDG_DATA_HOME nor HOME names one");
  } else {
    std::error_code error;
    std::filesystem::create_directories(dataFolder, error);
    if (error) {
      found.passedOver.push_back("cannot create the folder " + dataFolder + ": " + error.message());
    } else if (canCreateFilesIn(dataFolder, &why)) {
      found.path = dataFolder;
      return found;
    } else {
      found.passedOver.push_back(why);
    }
  }
  // Nowhere to write: the files are read from the folder they belong in, whose own fault the
  // save at close tells again.
  if (installed && !dataFolder.empty()) {
    found.path = dataFolder;
    found.passedOver.pop_back();
  } else {
    found.path = besideExecutable;
    if (!installed) found.passedOver.erase(found.passedOver.begin());
  }
  return found;
}

std::string gameFolder(const std::string& executablePath) { return findGameFolder(executablePath).path; }

std::string userRecordsPath(const std::string& folder, const std::string& stageFileName) {
  // Only the name counts: a stage file name must never lead a record file out of the folder.
  const std::string name = std::filesystem::path(stageFileName).filename().string();
  const std::string stem = name.substr(0, name.size() - std::min<std::size_t>(name.size(), 4));
  // quorel.qrl would take the settings file as its record file. No stage file's record file
  // ends in anything but ".dat", so this one cannot meet another.
  if (equalsIgnoringAsciiCase(stem, kSettingsFileStem)) return folder + stem + ".rec";
  return folder + stem + ".dat";
}

std::string settingsFilePath(const std::string& folder) { return folder + std::string(kSettingsFileStem) + ".dat"; }

}  // namespace quorel
