#pragma once
// The thin layer between the game and the machine. The game's own code sees only these
// interfaces; the SDL back end (sdl_*.cpp) and the test back end (test_platform.*) implement them.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace quorel::platform {

// The game's two millisecond clocks, both counted from the system's start.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::uint32_t tickCount() = 0;       // the system tick count
  virtual std::uint32_t multimediaTime() = 0;  // the multimedia timer
  // Busy-waits, without pumping messages, until multimediaTime() - base >= distance
  // (unsigned 32-bit). The real clock sleeps for most of it and spins only the end.
  virtual void spinUntil(std::uint32_t base, std::uint32_t distance) = 0;
  // Called by a loop that polls the tick count while it pumps messages: gives the processor
  // away for a moment. The test clock moves on by one millisecond.
  virtual void idle() = 0;
  // A plain blocking sleep (no messages are handled meanwhile).
  virtual void sleep(std::uint32_t milliseconds) = 0;
};

struct JoystickCaps {
  std::uint32_t xMin = 0, xMax = 65535, yMin = 0, yMax = 65535;
};

struct JoystickPosition {
  std::uint32_t x = 32767, y = 32767;
  std::uint32_t buttons = 0;  // bit 0 = button 1, bit 1 = button 2, ...
};

class Input {
 public:
  virtual ~Input() = default;
  // Windows virtual-key code; true when the key is down now or has been pressed since the
  // previous call for that same key.
  virtual bool asyncKeyState(int virtualKey) = 0;
  virtual JoystickCaps joystickCaps() = 0;
  // False when there is no joystick or gamepad (the input test then uses the keyboard alone).
  virtual bool joystickPosition(JoystickPosition& position) = 0;
};

struct Event {
  enum class Kind { KeyDown, CloseRequest };
  Kind kind = Kind::KeyDown;
  int virtualKey = 0;
};

class Display {
 public:
  virtual ~Display() = default;
  // 0 when there is no display to open at all.
  virtual int desktopBitsPerPixel() = 0;
  // Opens the 640 x 480 picture full screen or in a window; false when that fails.
  virtual bool open(bool fullScreen) = 0;
  // Shows a finished 640 x 480 frame (pixels 0x00RRGGBB, row after row).
  virtual void present(std::span<const std::uint32_t> pixels) = 0;
  virtual void hideCursor() = 0;
  // Appends the window messages that arrived since the last call.
  virtual void pollEvents(std::vector<Event>& events) = 0;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual void message(const std::string& text, const std::string& caption) = 0;
  virtual bool askYesNo(const std::string& text, const std::string& caption) = 0;
  virtual void beep() = 0;  // the system beep
};

// Something that adds its sound into the audio stream. Called on the audio thread.
class AudioSource {
 public:
  virtual ~AudioSource() = default;
  // Adds `frames` stereo frames (interleaved left, right) into `out`, which holds 2 * frames
  // floats that the caller has zeroed.
  virtual void render(float* out, int frames) = 0;
};

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // Opens the stream with `source` as its callback; false when no audio device can be had.
  virtual bool open(AudioSource* source) = 0;
  virtual int sampleRate() const = 0;  // valid once open
  virtual void close() = 0;
};

// The General MIDI synthesizer. Only the FluidSynth file and the test back end implement it.
class MidiSynth {
 public:
  virtual ~MidiSynth() = default;
  // A channel message as a packed word: status | data1 << 8 | data2 << 16.
  virtual void shortMessage(std::uint32_t message) = 0;
  // A system exclusive message, starting with its 0xF0 or continuation bytes.
  virtual void sysex(std::span<const std::uint8_t> bytes) = 0;
  virtual void allNotesOff() = 0;
  // Adds `frames` stereo frames into `out` (see AudioSource::render).
  virtual void render(float* out, int frames) = 0;
};

// Everything the game needs from the machine, owned by the program's entry.
class Platform {
 public:
  virtual ~Platform() = default;
  virtual Clock& clock() = 0;
  virtual Input& input() = 0;
  virtual Display& display() = 0;
  virtual Dialogs& dialogs() = 0;
  virtual AudioOutput& audio() = 0;
  // A synthesizer for the given sample rate. Never null: without a soundfont it is silent.
  virtual std::unique_ptr<MidiSynth> createSynth(int sampleRate) = 0;
  // The seed of the game's pseudo-random numbers: the calendar time in seconds on a real
  // machine, a fixed number a test can choose on the test back end.
  virtual std::uint32_t randomSeed() = 0;
};

}  // namespace quorel::platform
