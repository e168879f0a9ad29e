// quorel.dat and the record files are plain text that players edit by hand. Besides surviving
// any text, reading and writing must agree: what the game writes into a damaged file is what
// it reads at the next start, and the file's other lines stay as they were.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/stage_set.h"
#include "fuzz/property.h"
#include "game/shell/ini_file.h"

namespace quorel {
namespace {

using fuzz::requireThat;

struct Key {
  std::string_view section;
  std::string_view key;
};

// Keys of quorel.dat and the record files, and two that are in neither.
constexpr Key kKeys[] = {
    {"MINIMUM", "STAGE1"},     {"MINIMUM", "STAGE3"},    {"MINIMUM", "STAGE20"},  {"MINIMUM", "STAGE29"},
    {"CONFIG", "CONTINUE"},    {"CONFIG", "BGM"},        {"CONFIG", "S.E."},      {"CONFIG", "JOY STICK"},
    {"CONFIG", "FADEIN/OUT"},  {"CONFIG", "DRAWLEVEL"},  {"CONFIG", "GAMEWAIT"},  {"CONFIG", "BIT"},
    {"CONFIG", "SUM"},         {"CONTINUE", "STAGE"},    {"minimum", "stage2"},   {"OTHER", "KEY"},
};
constexpr std::size_t kKeyCount = std::size(kKeys);

std::vector<std::optional<std::string>> readAll(const IniFile& ini) {
  std::vector<std::optional<std::string>> values;
  for (const Key& k : kKeys) values.push_back(ini.readString(k.section, k.key));
  return values;
}

// Writing one key changes one line, inserts one line, or appends a section and its line;
// every other line is kept as it was.
bool onlyOneEntryChanged(const std::vector<std::string>& before, const std::vector<std::string>& after) {
  if (after.size() == before.size()) {
    std::size_t changed = 0;
    for (std::size_t i = 0; i < before.size(); ++i) changed += before[i] != after[i] ? 1 : 0;
    return changed <= 1;
  }
  if (after.size() == before.size() + 1) {
    std::size_t i = 0;
    while (i < before.size() && before[i] == after[i]) ++i;
    return std::equal(before.begin() + static_cast<std::ptrdiff_t>(i), before.end(),
                      after.begin() + static_cast<std::ptrdiff_t>(i) + 1);
  }
  if (after.size() == before.size() + 2) {
    return std::equal(before.begin(), before.end(), after.begin()) && after[before.size()].starts_with('[');
  }
  return false;
}

void checkWrite(const IniFile& original, const Key& key, int value) {
  IniFile ini = original;
  const auto before = readAll(ini);
  ini.writeInteger(key.section, key.key, value);
  requireThat(ini.readInteger(key.section, key.key, value ^ 1) == value, "a written integer reads back");

  // As the next start sees it: from the saved text.
  const IniFile reloaded = IniFile::parse(ini.text());
  requireThat(reloaded.readInteger(key.section, key.key, value ^ 1) == value, "a saved integer reads back");
  const auto after = readAll(reloaded);
  for (std::size_t i = 0; i < kKeyCount; ++i) {
    const bool sameKey = kKeys[i].section == key.section && kKeys[i].key == key.key;
    if (!sameKey) requireThat(after[i] == before[i], "writing one key leaves every other key as it was");
  }
  requireThat(onlyOneEntryChanged(splitLines(original.text()), splitLines(ini.text())),
              "writing one key keeps every other line of the file");
}

}  // namespace
}  // namespace quorel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorel;
  FuzzedDataProvider in(data, size);
  const auto& key = kKeys[in.ConsumeIntegralInRange<std::size_t>(0, kKeyCount - 1)];
  const int value = in.ConsumeIntegral<int>();
  const std::string text = in.ConsumeRemainingBytesAsString();

  const IniFile ini = IniFile::parse(text);
  for (const Key& k : kKeys) {
    const auto raw = ini.readString(k.section, k.key);
    const auto number = raw ? parseIniInteger(*raw) : std::nullopt;
    if (number) {
      fuzz::requireThat(parseIniInteger(std::to_string(*number)) == number,
                        "a number read, written back as the game writes it, reads the same");
    }
  }
  const std::string saved = ini.text();
  fuzz::requireThat(IniFile::parse(saved).text() == saved, "a saved file loads and saves unchanged");
  checkWrite(ini, key, value);
  return 0;
}
