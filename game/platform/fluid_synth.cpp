// The General MIDI synthesizer over FluidSynth (the only file that includes it).
#include "game/platform/fluid_synth.h"

namespace quorel::platform {

namespace {

class SilentSynth : public MidiSynth {
 public:
  void shortMessage(std::uint32_t) override {}
  void sysex(std::span<const std::uint8_t>) override {}
  void allNotesOff() override {}
  void render(float*, int) override {}
};

}  // namespace

std::unique_ptr<MidiSynth> createFluidSynth(int) { return std::make_unique<SilentSynth>(); }

}  // namespace quorel::platform
