// A music file as the player loads it from the bgm folder: the header and track lengths are
// trusted no further than the file goes, a refusal says why, and whatever loads plays.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

#include "fuzz/midi_checks.h"
#include "fuzz/property.h"
#include "fuzz/work_folder.h"
#include "game/platform/test/test_platform.h"
#include "game/presentation/music_player.h"
#include "game/presentation/sound_effects.h"

namespace {

constexpr int kCallbackFrames = 441;
constexpr int kCallbacks = 40;

bool looksLikeFormat0(const std::uint8_t* data, std::size_t size) {
  return size >= 22 && std::string_view(reinterpret_cast<const char*>(data), 4) == "MThd" && data[8] == 0 &&
         data[9] == 0 && data[10] == 0 && data[11] == 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using quorel::fuzz::requireThat;
  const std::string path = (quorel::fuzz::workFolder() / "bgm01.mid").string();
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                static_cast<std::streamsize>(size));

  quorel::platform::TestPlatform platform;
  quorel::SoundEffects effects(platform);
  requireThat(effects.startUp(), "the test audio device opens");
  quorel::MusicPlayer player(platform, effects);
  player.setRepeat(size % 2 == 0);

  const bool loaded = player.load(path);
  requireThat(loaded == player.lastError().empty(), "a file that was opened is loaded or refused with a reason");
  if (!loaded) return 0;
  requireThat(looksLikeFormat0(data, size), "only a format 0 file of one track loads");

  if (!player.play()) return 0;
  for (int callback = 0; callback < kCallbacks; ++callback) {
    platform.audioImpl.pull(kCallbackFrames);
    if (platform.lastSynth) {
      quorel::fuzz::checkSentMessages(*platform.lastSynth);
      platform.lastSynth->messages.clear();
    }
  }
  player.stop();
  return 0;
}
