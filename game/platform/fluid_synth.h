#pragma once
#include <memory>
#include <string>

#include "game/platform/platform.h"

namespace quorel::platform {

// The General MIDI synthesizer over FluidSynth with the system's GM soundfont. When no
// soundfont or no FluidSynth can be had, a silent synthesizer: the game goes on without music.
std::unique_ptr<MidiSynth> createFluidSynth(int sampleRate);

// The soundfont createFluidSynth would load; empty when none is installed.
std::string findGeneralMidiSoundfont();

}  // namespace quorel::platform
