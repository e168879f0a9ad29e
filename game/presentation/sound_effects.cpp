#include "game/presentation/sound_effects.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "common/regular_file.h"
#include "game/presentation/beep_tone.h"
#include "game/resources/resources.h"

namespace quorel {

namespace {

std::string upperCase(std::string_view name) {
  std::string upper(name);
  std::ranges::transform(upper, upper.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

constexpr std::size_t kMaxSoundFileBytes = std::size_t{16} << 20;

}  // namespace

SoundEffects::SoundEffects(platform::Platform& platform)
    : randomSource([this] { return static_cast<unsigned>(random_()); }),
      platform_(platform),
      random_(platform.randomSeed()) {}

SoundEffects::~SoundEffects() {
  if (sampleRate_ > 0) platform_.audio().close();
}

bool SoundEffects::startUp() {
  if (sampleRate_ > 0) return true;
  if (!platform_.audio().open(&mixer_)) return false;
  sampleRate_ = platform_.audio().sampleRate();
  return true;
}

void SoundEffects::play(std::string_view name, int pan, EffectSwitches switches) {
  if (!switches.effectsOn) return;
  if (switches.beepMode) {
    // The tone through the audio stream, heard however the game was started; the terminal's
    // bell only when there is no stream to play it.
    if (sampleRate_ > 0) {
      mixer_.start(makeBeepTone(sampleRate_), VoiceGains{}, randomSource);
    } else {
      platform_.dialogs().beep();
    }
    return;
  }
  if (sampleRate_ <= 0) return;
  mixer_.start(loadSound(upperCase(name)), panGains(pan), randomSource);
}

std::unique_ptr<const EffectSound> SoundEffects::loadSound(std::string_view upperName) const {
  std::span<const std::uint8_t> image = resources::find("WAVE", upperName);
  RegularFileRead file;
  if (image.empty()) {
    file = readRegularFile(std::string(upperName), kMaxSoundFileBytes);
    image = file.bytes();
  }
  const std::optional<WaveImage> wave = parseWave(image);
  return wave ? makeEffectSound(*wave, sampleRate_) : nullptr;
}

}  // namespace quorel
