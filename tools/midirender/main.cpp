// midirender IN.mid OUT.wav [SECONDS]: the game's music player, with repeat on, rendered offline
// through FluidSynth into a 16-bit stereo WAV file.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "common/program_info.h"
#include "common/wave_file.h"
#include "game/platform/fluid_synth.h"
#include "game/platform/test/test_platform.h"
#include "game/presentation/music_player.h"
#include "game/presentation/sound_effects.h"

namespace {

constexpr int kRate = 44100;
constexpr int kCallbackFrames = 441;  // pulled 10 ms at a time, as a device would
constexpr double kDefaultSeconds = 60;

constexpr const char* kUsage =
    "Usage: midirender IN.mid OUT.wav [SECONDS]\n"
    "Plays a music file through the game's music player (repeat on) and its\n"
    "General MIDI synthesizer, offline, into a 16-bit stereo WAV file at 44.1 kHz.\n"
    "\n"
    "  SECONDS    how much to render (default 60)\n"
    "      --help     display this help and exit\n"
    "      --version  output version information and exit\n";

// The test back end pulls audio on demand; only the synthesizer is the real one.
class OfflinePlatform : public quorel::platform::TestPlatform {
 public:
  std::unique_ptr<quorel::platform::MidiSynth> createSynth(int sampleRate) override {
    return quorel::platform::createFluidSynth(sampleRate);
  }
};

std::int16_t toPcm16(float sample) {
  return static_cast<std::int16_t>(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f));
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  if (const auto status = quorel::answerInfoRequest(quorel::infoRequest(arguments), "midirender", kUsage)) return *status;
  if (argc < 3 || argc > 4) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::string in = argv[1];
  const std::string out = argv[2];
  const double seconds = argc == 4 ? std::atof(argv[3]) : kDefaultSeconds;
  if (!(seconds > 0)) {
    std::fprintf(stderr, "midirender: SECONDS must be a positive number\n");
    return 2;
  }
  if (quorel::platform::findGeneralMidiSoundfont().empty()) {
    std::fprintf(stderr, "midirender: no General MIDI soundfont installed; the result will be silent\n");
  }

  OfflinePlatform platform;
  platform.audioImpl.rate = kRate;
  quorel::SoundEffects effects(platform);
  effects.startUp();
  quorel::MusicPlayer player(platform, effects);
  player.setRepeat(true);
  if (!player.loadAndPlay(in)) {
    const std::string reason = player.lastError().empty() ? "cannot be opened" : player.lastError();
    std::fprintf(stderr, "midirender: %s: %s\n", in.c_str(), reason.c_str());
    return 1;
  }

  const auto frames = static_cast<long>(seconds * kRate);
  std::vector<std::int16_t> samples;
  samples.reserve(static_cast<std::size_t>(frames) * 2);
  for (long done = 0; done < frames; done += kCallbackFrames) {
    const auto chunk = static_cast<int>(std::min<long>(kCallbackFrames, frames - done));
    for (float s : platform.audioImpl.pull(chunk)) samples.push_back(toPcm16(s));
  }
  if (!quorel::writeWaveFile(out, 2, kRate, samples)) {
    std::fprintf(stderr, "midirender: cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}
