#include <cstring>

#include "game/platform/sdl_backend.h"

namespace quorel::platform {

namespace {

constexpr int kWantedRate = 44100;
// About 23 ms at 44.1 kHz: short enough that an effect starts with its frame, long enough that a
// busy machine does not starve the device.
constexpr Uint16 kBufferFrames = 1024;
constexpr int kChannels = 2;

bool rateWeTake(int rate) { return rate == 44100 || rate == 48000; }

}  // namespace

bool SdlAudio::open(AudioSource* source) {
  close();
  // No device, no sound: the game then asks the player about beeps. A headless run that wants no
  // question chooses SDL's silent driver with SDL_AUDIODRIVER=dummy.
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  source_ = source;
  SDL_AudioSpec wanted{};
  wanted.freq = kWantedRate;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = kChannels;
  wanted.samples = kBufferFrames;
  wanted.callback = &SdlAudio::callback;
  wanted.userdata = this;
  SDL_AudioSpec obtained{};
  // A device that runs at 48 kHz is taken at its own rate; any other rate is converted by SDL.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
  if (device_ != 0 && !rateWeTake(obtained.freq)) {
    SDL_CloseAudioDevice(device_);
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  }
  if (device_ == 0) {
    source_ = nullptr;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  sampleRate_ = obtained.freq;
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

void SdlAudio::close() {
  if (device_ == 0) return;
  // Closing waits for a running callback, so the source is never used after this returns.
  SDL_CloseAudioDevice(device_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  device_ = 0;
  source_ = nullptr;
}

void SdlAudio::callback(void* self, Uint8* stream, int length) {
  auto* audio = static_cast<SdlAudio*>(self);
  std::memset(stream, 0, static_cast<std::size_t>(length));
  if (audio->source_ == nullptr) return;
  const int frames = length / static_cast<int>(sizeof(float) * kChannels);
  audio->source_->render(reinterpret_cast<float*>(stream), frames);
}

}  // namespace quorel::platform
