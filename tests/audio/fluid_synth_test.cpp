#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/platform/fluid_synth.h"

namespace quorel {
namespace {

constexpr int kRate = 44100;

double rms(const std::vector<float>& samples, std::size_t from, std::size_t to, float offset) {
  double sum = 0;
  for (std::size_t i = from; i < to; ++i) sum += (samples[i] - offset) * (samples[i] - offset);
  return std::sqrt(sum / static_cast<double>(to - from));
}

TEST(FluidSynth, PlaysANoteIntoTheStreamAndSilencesIt) {
  if (platform::findGeneralMidiSoundfont().empty()) GTEST_SKIP() << "no General MIDI soundfont installed";
  const auto synth = platform::createFluidSynth(kRate);
  // The synth adds to what is in the buffer: the offset must survive.
  constexpr float kOffset = 0.25f;
  std::vector<float> out(2 * kRate, kOffset);
  synth->render(out.data(), kRate / 10);  // silence before the note
  synth->shortMessage(0xC0 | 0 << 8);       // piano
  synth->shortMessage(0x90 | 60 << 8 | 100 << 16);
  synth->render(out.data() + kRate / 5, kRate - kRate / 10);
  EXPECT_LT(rms(out, 0, kRate / 5, kOffset), 1e-6);
  EXPECT_GT(rms(out, kRate / 5, 2 * kRate, kOffset), 0.005);

  synth->allNotesOff();
  std::vector<float> after(2 * kRate * 3, 0.0f);
  synth->render(after.data(), kRate * 3);
  EXPECT_LT(rms(after, after.size() - 2 * kRate / 2, after.size(), 0), 1e-4);
}

TEST(FluidSynth, TakesSystemExclusiveAndRendersInAnyLength) {
  if (platform::findGeneralMidiSoundfont().empty()) GTEST_SKIP() << "no General MIDI soundfont installed";
  const auto synth = platform::createFluidSynth(kRate);
  const std::uint8_t gmReset[] = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
  synth->sysex(gmReset);
  synth->sysex(std::span<const std::uint8_t>(gmReset + 1, 5));  // a continuation: ignored
  synth->shortMessage(0x90 | 64 << 8 | 100 << 16);
  // Longer than the synthesizer's scratch buffer in one call.
  std::vector<float> out(2 * 5000, 0.0f);
  synth->render(out.data(), 5000);
  EXPECT_GT(rms(out, 2 * 4000, 2 * 5000, 0), 0.005);
}

}  // namespace
}  // namespace quorel
