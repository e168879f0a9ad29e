#pragma once
// The tone that beep mode plays in place of each effect, where a system beep once sounded: short,
// plain and the same for every effect.
#include <memory>

#include "game/presentation/effect_sound.h"

namespace quorel {

inline constexpr double kBeepHertz = 880.0;
inline constexpr double kBeepSeconds = 0.12;

// The tone at the stream's rate: a sine with a touch of its octave, a quick attack and a decay
// that ends in silence, so it never clicks.
std::unique_ptr<const EffectSound> makeBeepTone(int streamRate);

}  // namespace quorel
