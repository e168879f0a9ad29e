#pragma once
// What the synthesizer may be sent, whatever the music file held.
#include <cstdio>

#include "fuzz/property.h"
#include "game/platform/test/test_platform.h"

namespace quorel::fuzz {

inline void checkSentMessages(const platform::TestSynth& synth) {
  for (const auto& message : synth.messages) {
    if (message.word == 0) continue;  // a system exclusive message, which may be empty
    const std::uint32_t status = message.word & 0xFF;
    if (status < 0x80 || status > 0xEF) {
      std::fprintf(stderr, "message 0x%06X (%zu bytes of system exclusive) at frame %lld\n", message.word,
                   message.sysex.size(), static_cast<long long>(message.frame));
    }
    requireThat(status >= 0x80 && status <= 0xEF, "short messages carry a channel status");
  }
}

}  // namespace quorel::fuzz
