#pragma once
// The parts of the SDL back end. Only the sdl_*.cpp files include this header.
#include <SDL.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "game/platform/platform.h"
#include "game/platform/sdl_key_states.h"

namespace quorel::platform {

// Takes every SDL event out of SDL's queue and sorts it: key presses update the key states, the
// device the game reads (the first gamepad, else the first joystick) is chosen again as devices
// come and go, and key-downs and close requests wait as window messages for the next pollEvents. Both the message pump and the key asks go through here, so
// neither swallows what the other needs.
class SdlEventPump {
 public:
  SdlEventPump();
  ~SdlEventPump();
  SdlEventPump(const SdlEventPump&) = delete;
  SdlEventPump& operator=(const SdlEventPump&) = delete;

  void pump();
  void takeMessages(std::vector<Event>& out);
  KeyStates& keys() { return keys_; }
  // The device the game reads: a game controller (then joystick() is its joystick) or a plain
  // joystick; both null when none is attached.
  SDL_GameController* controller() const { return controller_; }
  SDL_Joystick* joystick() const { return joystick_; }
  bool takeRenderReset();  // true once after the renderer lost its textures

 private:
  void handle(const SDL_Event& event);
  void chooseDevice();
  void closeDevice();

  KeyStates keys_;
  std::vector<Event> messages_;
  SDL_GameController* controller_ = nullptr;
  SDL_Joystick* joystick_ = nullptr;
  bool renderReset_ = false;
};

class SdlClock : public Clock {
 public:
  std::uint32_t tickCount() override;
  std::uint32_t multimediaTime() override;
  void spinUntil(std::uint32_t base, std::uint32_t distance) override;
  void idle() override;
  void sleep(std::uint32_t milliseconds) override;
};

class SdlInput : public Input {
 public:
  explicit SdlInput(SdlEventPump& pump) : pump_(pump) {}
  bool asyncKeyState(int virtualKey) override;
  JoystickCaps joystickCaps() override { return {}; }
  bool joystickPosition(JoystickPosition& position) override;

 private:
  SdlEventPump& pump_;
};

class SdlDisplay : public Display {
 public:
  SdlDisplay(SdlEventPump& pump, bool videoReady) : pump_(pump), videoReady_(videoReady) {}
  bool videoReady() const { return videoReady_; }
  ~SdlDisplay() override;
  SdlDisplay(const SdlDisplay&) = delete;
  SdlDisplay& operator=(const SdlDisplay&) = delete;

  int desktopBitsPerPixel() override;
  bool open(bool fullScreen) override;
  void present(std::span<const std::uint32_t> pixels) override;
  void hideCursor() override;
  void pollEvents(std::vector<Event>& events) override;
  SDL_Window* window() const { return window_; }

 private:
  void placeWindow();
  bool createTextures();
  SDL_Texture* magnified(int scale);
  SDL_Texture* scaledSource(int fitWidth);
  SDL_Texture* frameScaled(SDL_ScaleMode mode);
  void destroy();

  SdlEventPump& pump_;
  bool videoReady_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* frame_ = nullptr;      // the 640 x 480 picture as the game drew it
  SDL_Texture* magnified_ = nullptr;  // the picture at a whole magnification past the fit
  int magnifiedScale_ = 0;
  bool smoothFit_ = false;  // the renderer is fast enough for the magnify-then-smooth pass
};

class SdlDialogs : public Dialogs {
 public:
  explicit SdlDialogs(SdlDisplay& display) : display_(display) {}
  void message(const std::string& text, const std::string& caption) override;
  bool askYesNo(const std::string& text, const std::string& caption) override;
  void beep() override;

 private:
  SdlDisplay& display_;
};

class SdlAudio : public AudioOutput {
 public:
  ~SdlAudio() override { close(); }
  bool open(AudioSource* source) override;
  int sampleRate() const override { return sampleRate_; }
  void close() override;

 private:
  static void callback(void* self, Uint8* stream, int length);
  SDL_AudioDeviceID device_ = 0;
  AudioSource* source_ = nullptr;
  int sampleRate_ = 0;
};

}  // namespace quorel::platform
