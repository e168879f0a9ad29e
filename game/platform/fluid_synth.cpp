// The General MIDI synthesizer over FluidSynth (the only file that includes it).
#include "game/platform/fluid_synth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <mutex>
#include <vector>

namespace quorel::platform {

namespace {

// Where Debian and other systems install a General MIDI soundfont, best first.
constexpr std::array kSoundfontPaths = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/soundfonts/default.sf2",
    "/usr/share/soundfonts/FluidR3_GM.sf2",
    "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf3/MuseScore_General.sf3",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/local/share/soundfonts/default.sf2",
};

constexpr int kMidiChannels = 16;
// FluidSynth's own default (0.2) leaves the music far quieter than a hardware GM synthesizer;
// this keeps its peaks near half scale, with room for the effects on top.
constexpr double kGain = 0.4;
constexpr int kSustainPedal = 64;
// Rendering goes through a scratch buffer of this many frames, made once, so the audio
// callback never allocates.
constexpr int kScratchFrames = 1024;

void silenceFluidSynthLog() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
      fluid_set_log_function(level, nullptr, nullptr);
    }
  });
}

class SilentSynth : public MidiSynth {
 public:
  void shortMessage(std::uint32_t) override {}
  void sysex(std::span<const std::uint8_t>) override {}
  void allNotesOff() override {}
  void render(float*, int) override {}
};

class FluidSynth : public MidiSynth {
 public:
  FluidSynth(fluid_settings_t* settings, fluid_synth_t* synth)
      : settings_(settings), synth_(synth), scratch_(2 * kScratchFrames) {}
  ~FluidSynth() override {
    delete_fluid_synth(synth_);
    delete_fluid_settings(settings_);
  }
  FluidSynth(const FluidSynth&) = delete;
  FluidSynth& operator=(const FluidSynth&) = delete;

  void shortMessage(std::uint32_t message) override;
  void sysex(std::span<const std::uint8_t> bytes) override;
  void allNotesOff() override;
  void render(float* out, int frames) override;

 private:
  fluid_settings_t* settings_;
  fluid_synth_t* synth_;
  std::vector<float> scratch_;
};

void FluidSynth::shortMessage(std::uint32_t message) {
  const int status = message & 0xF0;
  const int channel = message & 0x0F;
  const int data1 = (message >> 8) & 0x7F;
  const int data2 = (message >> 16) & 0x7F;
  switch (status) {
    case 0x80: fluid_synth_noteoff(synth_, channel, data1); break;
    case 0x90: fluid_synth_noteon(synth_, channel, data1, data2); break;
    case 0xA0: fluid_synth_key_pressure(synth_, channel, data1, data2); break;
    case 0xB0: fluid_synth_cc(synth_, channel, data1, data2); break;
    case 0xC0: fluid_synth_program_change(synth_, channel, data1); break;
    case 0xD0: fluid_synth_channel_pressure(synth_, channel, data1); break;
    case 0xE0: fluid_synth_pitch_bend(synth_, channel, data1 | data2 << 7); break;
    default: break;
  }
}

void FluidSynth::sysex(std::span<const std::uint8_t> bytes) {
  // FluidSynth takes a whole message without its framing bytes; continuation packets, which
  // carry no start, cannot be given to it.
  if (bytes.empty() || bytes.front() != 0xF0) return;
  std::span<const std::uint8_t> body = bytes.subspan(1);
  if (!body.empty() && body.back() == 0xF7) body = body.first(body.size() - 1);
  fluid_synth_sysex(synth_, reinterpret_cast<const char*>(body.data()), static_cast<int>(body.size()), nullptr,
                    nullptr, nullptr, 0);
}

void FluidSynth::allNotesOff() {
  // A held sustain pedal would keep released notes sounding.
  for (int channel = 0; channel < kMidiChannels; ++channel) fluid_synth_cc(synth_, channel, kSustainPedal, 0);
  fluid_synth_all_notes_off(synth_, -1);
}

void FluidSynth::render(float* out, int frames) {
  while (frames > 0) {
    const int chunk = std::min(frames, kScratchFrames);
    fluid_synth_write_float(synth_, chunk, scratch_.data(), 0, 2, scratch_.data(), 1, 2);
    for (int i = 0; i < 2 * chunk; ++i) out[i] += scratch_[static_cast<std::size_t>(i)];
    out += 2 * chunk;
    frames -= chunk;
  }
}

}  // namespace

std::string findGeneralMidiSoundfont() {
  for (const char* path : kSoundfontPaths) {
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) return path;
  }
  return {};
}

std::unique_ptr<MidiSynth> createFluidSynth(int sampleRate) {
  silenceFluidSynthLog();
  const std::string soundfont = findGeneralMidiSoundfont();
  if (soundfont.empty()) return std::make_unique<SilentSynth>();
  fluid_settings_t* settings = new_fluid_settings();
  if (!settings) return std::make_unique<SilentSynth>();
  fluid_settings_setnum(settings, "synth.sample-rate", sampleRate);
  fluid_settings_setint(settings, "synth.verbose", 0);
  fluid_settings_setnum(settings, "synth.gain", kGain);
  fluid_synth_t* synth = new_fluid_synth(settings);
  if (!synth) {
    delete_fluid_settings(settings);
    return std::make_unique<SilentSynth>();
  }
  if (fluid_synth_sfload(synth, soundfont.c_str(), 1) == FLUID_FAILED) {
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return std::make_unique<SilentSynth>();
  }
  return std::make_unique<FluidSynth>(settings, synth);
}

}  // namespace quorel::platform
