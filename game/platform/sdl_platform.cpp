// The real back end over SDL2.
#include "game/platform/sdl_platform.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "game/platform/fluid_synth.h"
#include "game/platform/sdl_backend.h"

namespace quorel::platform {

namespace {

// SDL falls back to these when it reaches no display; a game on them would run where nobody can
// see it. They serve only when asked for by name (SDL_VIDEODRIVER).
bool showsNothing(const char* videoDriver) {
  return videoDriver != nullptr && (std::strcmp(videoDriver, "offscreen") == 0 || std::strcmp(videoDriver, "dummy") == 0);
}

// Starts SDL before any part of the back end uses it, and ends it after the last has gone.
class SdlSession {
 public:
  SdlSession() {
    SDL_InitSubSystem(SDL_INIT_EVENTS | SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
    videoReady_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (videoReady_ && showsNothing(SDL_GetCurrentVideoDriver()) && SDL_GetHint(SDL_HINT_VIDEODRIVER) == nullptr) {
      SDL_SetError("none found, only the %s video driver", SDL_GetCurrentVideoDriver());
      SDL_QuitSubSystem(SDL_INIT_VIDEO);
      videoReady_ = false;
    }
    if (!videoReady_) std::fprintf(stderr, "quorel: no display: %s\n", SDL_GetError());
  }
  ~SdlSession() { SDL_Quit(); }
  SdlSession(const SdlSession&) = delete;
  SdlSession& operator=(const SdlSession&) = delete;
  bool videoReady() const { return videoReady_; }

 private:
  bool videoReady_ = false;
};

class SdlPlatform : public Platform {
 public:
  SdlPlatform() : display_(pump_, session_.videoReady()), input_(pump_), dialogs_(display_) {}
  ~SdlPlatform() override { audio_.close(); }
  Clock& clock() override { return clock_; }
  Input& input() override { return input_; }
  Display& display() override { return display_; }
  Dialogs& dialogs() override { return dialogs_; }
  AudioOutput& audio() override { return audio_; }
  std::unique_ptr<MidiSynth> createSynth(int sampleRate) override { return createFluidSynth(sampleRate); }
  std::uint32_t randomSeed() override { return static_cast<std::uint32_t>(std::time(nullptr)); }

 private:
  // Declared first: destroyed last.
  SdlSession session_;
  SdlEventPump pump_;
  SdlClock clock_;
  SdlDisplay display_;
  SdlInput input_;
  SdlDialogs dialogs_;
  SdlAudio audio_;
};

}  // namespace

std::unique_ptr<Platform> createSdlPlatform() { return std::make_unique<SdlPlatform>(); }

}  // namespace quorel::platform
