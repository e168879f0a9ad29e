// The General MIDI synthesizer over FluidSynth (the only file that includes it).
