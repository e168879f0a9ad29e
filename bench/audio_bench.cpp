// The audio callback's cost: 10 ms of audio with the eight effect voices busy and music playing
// through FluidSynth, as a share of real time.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "game/platform/fluid_synth.h"
#include "game/platform/test/test_platform.h"
#include "game/presentation/music_player.h"
#include "game/presentation/sound_effects.h"

namespace {

constexpr int kRate = 44100;
constexpr int kCallbackFrames = kRate / 100;  // 10 ms
constexpr int kCallbacksPerEffect = 1000;     // every effect lasts exactly 10 s

using Bytes = std::vector<std::uint8_t>;

void putLe(Bytes& b, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void putBe(Bytes& b, std::uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A 16-bit mono tone at 22050 Hz, resampled by the mixer like the game's own effects.
Bytes longEffect() {
  const std::uint32_t frames = kCallbacksPerEffect * kCallbackFrames / 2;
  Bytes b;
  b.insert(b.end(), {'R', 'I', 'F', 'F'});
  putLe(b, 36 + 2 * frames, 4);
  b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  for (std::uint32_t v : {16u, 1u | 1u << 16, 22050u, 44100u, 2u | 16u << 16}) putLe(b, v, 4);
  b.insert(b.end(), {'d', 'a', 't', 'a'});
  putLe(b, 2 * frames, 4);
  for (std::uint32_t i = 0; i < frames; ++i) {
    putLe(b, static_cast<std::uint16_t>(static_cast<std::int16_t>(3000 * std::sin(i * 0.05))), 2);
  }
  return b;
}

// Busier than the game's pieces: sustained string chords, a piano line in eighths, a bass and
// drums, two bars looping.
Bytes busyPiece() {
  Bytes track;
  const auto event = [&](std::uint32_t delta, std::initializer_list<std::uint8_t> bytes) {
    Bytes v{static_cast<std::uint8_t>(delta & 0x7F)};
    while (delta >>= 7) v.insert(v.begin(), static_cast<std::uint8_t>(0x80 | (delta & 0x7F)));
    track.insert(track.end(), v.begin(), v.end());
    track.insert(track.end(), bytes);
  };
  event(0, {0xC0, 0});   // piano
  event(0, {0xC1, 48});  // strings
  event(0, {0xC2, 33});  // bass
  event(0, {0xFF, 0x06, 0x01, 'S'});
  for (int bar = 0; bar < 2; ++bar) {
    const std::uint8_t root = bar ? 65 : 60;
    for (std::uint8_t k : {root, static_cast<std::uint8_t>(root + 4), static_cast<std::uint8_t>(root + 7)}) event(0, {0x91, k, 70});
    event(0, {0x92, static_cast<std::uint8_t>(root - 24), 90});
    for (int eighth = 0; eighth < 8; ++eighth) {
      const auto key = static_cast<std::uint8_t>(root + 12 + (eighth * 5) % 12);
      event(0, {0x90, key, 90});
      event(0, {0x99, static_cast<std::uint8_t>(eighth % 2 ? 42 : 36), 100});
      event(240, {0x80, key, 0});
      event(0, {0x89, static_cast<std::uint8_t>(eighth % 2 ? 42 : 36), 0});
    }
    for (std::uint8_t k : {root, static_cast<std::uint8_t>(root + 4), static_cast<std::uint8_t>(root + 7)}) event(0, {0x81, k, 0});
    event(0, {0x82, static_cast<std::uint8_t>(root - 24), 0});
  }
  event(0, {0xFF, 0x06, 0x01, 'E'});
  event(0, {0xFF, 0x2F, 0x00});
  Bytes file{'M', 'T', 'h', 'd'};
  putBe(file, 6, 4);
  putBe(file, 0, 2);
  putBe(file, 1, 2);
  putBe(file, 480, 2);
  file.insert(file.end(), {'M', 'T', 'r', 'k'});
  putBe(file, static_cast<std::uint32_t>(track.size()), 4);
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

class BenchPlatform : public quorel::platform::TestPlatform {
 public:
  std::unique_ptr<quorel::platform::MidiSynth> createSynth(int sampleRate) override {
    return quorel::platform::createFluidSynth(sampleRate);
  }
};

// The game's audio: effects started, a piece playing, effect files in a folder of their own.
struct AudioWorld {
  explicit AudioWorld(const std::string& piece) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "quorel-bench-XXXXXX").string();
    folder = mkdtemp(pattern.data());
    writeFile(folder / "HUM", longEffect());
    platform.audioImpl.rate = kRate;
    effects.startUp();
    player.setRepeat(true);
    player.loadAndPlay(piece.empty() ? writePiece() : piece);
    std::filesystem::current_path(folder);
    startEffects();
    std::filesystem::current_path(previous);
    for (int i = 0; i < 100; ++i) callback();  // past the soundfont's first touches
  }
  ~AudioWorld() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  std::string writePiece() {
    writeFile(folder / "busy.mid", busyPiece());
    return (folder / "busy.mid").string();
  }
  void startEffects() {
    for (int i = 0; i < quorel::AudioMixer::kVoices; ++i) effects.play("hum", -4000 + 1000 * i);
  }
  void restartEffects() {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    startEffects();
    std::filesystem::current_path(previous);
  }
  // What the device's callback does: zero the buffer, let the mixer add into it.
  void callback() {
    std::fill(buffer.begin(), buffer.end(), 0.0f);
    effects.mixer().render(buffer.data(), kCallbackFrames);
  }

  std::filesystem::path folder;
  BenchPlatform platform;
  quorel::SoundEffects effects{platform};
  quorel::MusicPlayer player{platform, effects};
  std::vector<float> buffer = std::vector<float>(2 * kCallbackFrames);
};

void runCallbacks(benchmark::State& state, const std::string& piece) {
  if (quorel::platform::findGeneralMidiSoundfont().empty()) {
    state.SkipWithError("no General MIDI soundfont installed");
    return;
  }
  AudioWorld world(piece);
  int callbacks = 0;
  std::chrono::steady_clock::duration busy{};
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    world.callback();
    busy += std::chrono::steady_clock::now() - start;
    benchmark::DoNotOptimize(world.buffer.data());
    if (++callbacks % kCallbacksPerEffect == 0) {
      state.PauseTiming();
      world.restartEffects();
      state.ResumeTiming();
    }
  }
  const double audioSeconds = static_cast<double>(state.iterations()) * kCallbackFrames / kRate;
  state.counters["percent_of_real_time"] = 100.0 * std::chrono::duration<double>(busy).count() / audioSeconds;
  const auto voices = world.effects.mixer().busyVoices();
  state.counters["voices_busy"] = static_cast<double>(std::count(voices.begin(), voices.end(), true));
}

void BM_AudioCallback10ms_BusyPiece(benchmark::State& state) { runCallbacks(state, ""); }
BENCHMARK(BM_AudioCallback10ms_BusyPiece)->MinTime(3.0);

// The game's title music, when run from a folder holding bgm/.
void BM_AudioCallback10ms_TitleMusic(benchmark::State& state) {
  const std::string title = "bgm/bgm02.mid";
  if (!std::filesystem::exists(title)) {
    state.SkipWithError("bgm/bgm02.mid not found in the working folder");
    return;
  }
  runCallbacks(state, std::filesystem::absolute(title).string());
}
BENCHMARK(BM_AudioCallback10ms_TitleMusic)->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();
