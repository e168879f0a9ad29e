// quorel.dat and a user set's record file, read from a damaged file and written back over it
// as the game does at shutdown and after a clear: the next start reads exactly what was
// written, and reading never touches records beyond the set's stages.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "fuzz/property.h"
#include "fuzz/work_folder.h"
#include "game/shell/settings.h"

namespace quorel {
namespace {

using fuzz::requireThat;

std::string writeDamagedFile(const char* name, const std::string& text) {
  const std::string path = (fuzz::workFolder() / name).string();
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  return path;
}

constexpr int kUntouched = 0x5EA1ED;

void checkSettings(FuzzedDataProvider& in, const std::string& text) {
  const std::string path = writeDamagedFile("quorel.dat", text);
  Settings settings = readSettingsFile(path);
  settings.minRecord[in.ConsumeIntegralInRange<std::size_t>(1, 20)] = in.ConsumeIntegral<int>();
  settings.continueValue = in.ConsumeIntegral<int>();
  settings.gameWait = in.ConsumeIntegral<int>();
  settings.bgm = in.ConsumeBool();
  requireThat(writeSettingsFile(path, settings), "settings are written");
  requireThat(readSettingsFile(path) == settings, "settings written over a damaged file read back the same");
}

void checkUserRecords(FuzzedDataProvider& in, const std::string& text) {
  const std::string path = writeDamagedFile("stage.dat", text);
  const int stageLimit = in.ConsumeIntegralInRange(0, 40);
  const std::size_t kept = static_cast<std::size_t>(std::clamp(stageLimit - 1, 0, 29));

  UserRecords records;
  records.userMinRecord.fill(kUntouched);
  readUserRecords(path, stageLimit, records);
  requireThat(records.userMinRecord[0] == kUntouched &&
                  std::all_of(records.userMinRecord.begin() + static_cast<std::ptrdiff_t>(kept) + 1,
                              records.userMinRecord.end(), [](int r) { return r == kUntouched; }),
              "reading records touches only the set's stages");

  if (kept > 0) records.userMinRecord[in.ConsumeIntegralInRange<std::size_t>(1, kept)] = in.ConsumeIntegral<int>();
  records.userContinue = in.ConsumeIntegral<int>();
  requireThat(writeUserRecords(path, stageLimit, records), "records are written");
  UserRecords reread;
  reread.userMinRecord.fill(kUntouched);
  readUserRecords(path, stageLimit, reread);
  requireThat(reread == records, "records written over a damaged file read back the same");
}

}  // namespace
}  // namespace quorel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  // The choices come from the end of the input, the file is all of it: damaged copies of a
  // real file stay close to one.
  const std::string text(reinterpret_cast<const char*>(data), size);
  quorel::checkSettings(in, text);
  quorel::checkUserRecords(in, text);
  return 0;
}
