// The frames around the logo's hand-over to the Title menu, timed with the real program: the
// SDL window, the real audio device and synthesizer, the real clocks. Shift is held, so the
// scenes' frame waits are skipped and every frame is due 16 ms after the one before; a frame
// that comes later shows the game's thread busy with something else, such as the soundfont.
//
//   handover_trace [SKIP_MS] [nofade]
//
// SKIP_MS: button 1 is pressed that long after start-up (default: no skip, the logo runs its
// 150 passes). "nofade" turns FADEIN/OUT off, so the music starts on the very pass of the skip.
// Run it from the build folder (where bgm/ is), with a display.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/platform/sdl_platform.h"
#include "game/platform/virtual_keys.h"
#include "game/presentation/music_player.h"
#include "game/scenes/game_scenes.h"
#include "game/shell/form.h"

namespace {

using namespace quorel;
using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

class TracingDisplay : public platform::Display {
 public:
  TracingDisplay(platform::Display& inner, Clock::time_point start) : inner_(inner), start_(start) {}
  int desktopBitsPerPixel() override { return inner_.desktopBitsPerPixel(); }
  bool open(bool fullScreen) override { return inner_.open(fullScreen); }
  void present(std::span<const std::uint32_t> pixels) override {
    inner_.present(pixels);
    presentTimes.push_back(millisecondsSince(start_));
  }
  void hideCursor() override { inner_.hideCursor(); }
  void pollEvents(std::vector<platform::Event>& events) override { inner_.pollEvents(events); }
  std::vector<double> presentTimes;

 private:
  platform::Display& inner_;
  Clock::time_point start_;
};

// Shift held throughout; button 1 (Space) held from `skipAt` after the logo's start on.
class ScriptedInput : public platform::Input {
 public:
  ScriptedInput(platform::Input& inner, double skipAt) : inner_(inner), skipAt_(skipAt) {}
  void logoStarts() { logoStart_ = Clock::now(); }
  bool asyncKeyState(int virtualKey) override {
    const bool real = inner_.asyncKeyState(virtualKey);
    if (virtualKey == vk::kShift) return true;
    if (virtualKey == vk::kSpace && skipAt_ >= 0 && logoStart_ && millisecondsSince(*logoStart_) >= skipAt_) return true;
    return real;
  }
  platform::JoystickCaps joystickCaps() override { return inner_.joystickCaps(); }
  bool joystickPosition(platform::JoystickPosition&) override { return false; }

 private:
  platform::Input& inner_;
  double skipAt_;
  std::optional<Clock::time_point> logoStart_;
};

class TracingPlatform : public platform::Platform {
 public:
  TracingPlatform(std::unique_ptr<platform::Platform> inner, Clock::time_point start, double skipAt)
      : inner_(std::move(inner)), display_(inner_->display(), start), input_(inner_->input(), skipAt) {}
  platform::Clock& clock() override { return inner_->clock(); }
  platform::Input& input() override { return input_; }
  platform::Display& display() override { return display_; }
  platform::Dialogs& dialogs() override { return inner_->dialogs(); }
  platform::AudioOutput& audio() override { return inner_->audio(); }
  std::unique_ptr<platform::MidiSynth> createSynth(int sampleRate) override { return inner_->createSynth(sampleRate); }
  std::uint32_t randomSeed() override { return inner_->randomSeed(); }
  const std::vector<double>& presentTimes() const { return display_.presentTimes; }
  void logoStarts() { input_.logoStarts(); }

 private:
  std::unique_ptr<platform::Platform> inner_;
  TracingDisplay display_;
  ScriptedInput input_;
};

constexpr int kFramesBefore = 5;
constexpr int kFramesAfter = 80;  // the white tiles, the reveal and the first frames of the slide-in

}  // namespace

int main(int argc, char** argv) {
  const double skipAt = argc > 1 ? std::atof(argv[1]) : -1.0;
  const bool fade = !(argc > 2 && std::string(argv[2]) == "nofade");
  const Clock::time_point start = Clock::now();
  TracingPlatform platform(platform::createSdlPlatform(), start, skipAt);

  // quorel.dat goes to a folder of its own, not beside this program.
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quorel-handover-trace";
  std::filesystem::create_directories(folder);
  double musicAt = -1.0;
  int musicPresent = -1;
  double synthReadyAt = -1.0;
  {
    TForm1 form(platform, (folder / "quorel").string());
    registerGameScenes(form);
    form.onMusic = [&](std::string_view) {
      musicAt = millisecondsSince(start);
      musicPresent = static_cast<int>(platform.presentTimes().size());
    };
    if (!form.FormCreate({"w"})) {
      std::fprintf(stderr, "the game did not start\n");
      return 1;
    }
    form.settings.fadeInOut = fade;
    platform.logoStarts();
    int handOver = -1;
    while (form.runPass()) {
      if (synthReadyAt < 0 && form.music->synthReady()) synthReadyAt = millisecondsSince(start);
      const int presents = static_cast<int>(platform.presentTimes().size());
      if (handOver < 0 && form.sceneNumber == kSceneTitle) handOver = presents;
      if (handOver >= 0 && presents > handOver + kFramesAfter) form.closeMainWindow();
    }
  }

  const std::vector<double>& times = platform.presentTimes();
  if (musicPresent < 0) {
    std::fprintf(stderr, "the title music was never asked for\n");
    return 1;
  }
  const int from = std::max(1, musicPresent - kFramesBefore);
  const int to = std::min(static_cast<int>(times.size()) - 1, musicPresent + kFramesAfter);
  double longest = 0.0;
  int longestAt = from;
  for (int i = from; i <= to; ++i) {
    const double interval = times[static_cast<std::size_t>(i)] - times[static_cast<std::size_t>(i) - 1];
    if (interval > longest) {
      longest = interval;
      longestAt = i;
    }
  }
  std::printf("skip: %s, fade: %s\n", skipAt >= 0 ? (std::to_string(skipAt) + " ms").c_str() : "none",
              fade ? "on" : "off");
  std::printf("synthesizer ready by %.1f ms; title music asked for at %.1f ms, after present %d\n", synthReadyAt,
              musicAt, musicPresent);
  std::vector<double> intervals;
  for (int i = from; i <= to; ++i) {
    intervals.push_back(times[static_cast<std::size_t>(i)] - times[static_cast<std::size_t>(i) - 1]);
  }
  std::sort(intervals.begin(), intervals.end());
  std::printf("intervals from present %d to %d: median %.2f ms, 95th percentile %.2f ms\n", from - 1, to,
              intervals[intervals.size() / 2], intervals[intervals.size() * 95 / 100]);
  std::printf("longest interval between presents %d to %d: %.2f ms (before present %d)\n", from - 1, to, longest,
              longestAt);
  for (int i = from; i <= std::min(to, musicPresent + 3); ++i) {
    std::printf("  present %d at %.1f ms (+%.2f)\n", i, times[static_cast<std::size_t>(i)],
                times[static_cast<std::size_t>(i)] - times[static_cast<std::size_t>(i) - 1]);
  }
  return 0;
}
