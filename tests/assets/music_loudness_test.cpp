// The three pieces as the game plays them, through its own music player and synthesizer (the
// midirender tool): a player moving from the title to the puzzles and on to the ending must not
// have to reach for the volume.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/platform/fluid_synth.h"
#include "game/presentation/wave.h"

extern char** environ;

namespace quorel {
namespace {

// Runs a program with its arguments, no shell between; its exit status, or -1.
int run(std::vector<std::string> argv) {
  std::vector<char*> args;
  for (std::string& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  pid_t pid = 0;
  if (::posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) return -1;
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The RMS level in dBFS of the piece's first minute, both channels together, as `sox stats`
// gives it for the same file.
double firstMinuteRmsDbfs(const std::string& piece) {
  const std::filesystem::path wav =
      std::filesystem::path(::testing::TempDir()) / (piece + "-" + std::to_string(::getpid()) + ".wav");
  const int status =
      run({QUOREL_BINARY_DIR "/midirender", QUOREL_SOURCE_DIR "/bgm/" + piece + ".mid", wav.string(), "60"});
  EXPECT_EQ(status, 0) << "midirender failed on " << piece;
  std::ifstream f(wav, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
  std::filesystem::remove(wav);
  const auto wave = parseWave(bytes);
  if (!wave || wave->bitsPerSample != 16 || wave->data.size() < 2) {
    ADD_FAILURE() << "no 16-bit WAVE from midirender for " << piece;
    return -200.0;
  }
  double sum = 0.0;
  const std::size_t count = wave->data.size() / 2;
  for (std::size_t i = 0; i < count; ++i) {
    const double s = static_cast<std::int16_t>(wave->data[2 * i] | wave->data[2 * i + 1] << 8) / 32768.0;
    sum += s * s;
  }
  return 10.0 * std::log10(std::max(sum / static_cast<double>(count), 1e-20));
}

TEST(MusicLoudness, ThePiecesLieWithinTwoDecibelsOfEachOther) {
  if (platform::findGeneralMidiSoundfont().empty()) GTEST_SKIP() << "no General MIDI soundfont installed";
  double loudest = -200.0, softest = 0.0;
  std::string levels;
  for (const char* piece : {"bgm01", "bgm02", "bgm03"}) {
    const double level = firstMinuteRmsDbfs(piece);
    EXPECT_GT(level, -40.0) << piece << " is barely audible";
    loudest = std::max(loudest, level);
    softest = std::min(softest, level);
    levels += std::string(" ") + piece + " " + std::to_string(level);
  }
  EXPECT_LE(loudest - softest, 2.0) << "RMS over the first minute in dBFS:" << levels;
}

}  // namespace
}  // namespace quorel
