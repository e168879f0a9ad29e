#pragma once
// The test back end: no window, no sound card, no real time. The clock moves only when the
// program waits, sleeps or spins; keys, joystick and window messages are scripted; every
// presented frame is kept; message boxes are answered from a script; audio is pulled.
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "game/platform/platform.h"

namespace quorel::platform {

class TestClock : public Clock {
 public:
  std::uint32_t now = 1000;  // milliseconds; both clocks read the same value
  std::uint32_t tickCount() override { return now; }
  std::uint32_t multimediaTime() override { return now; }
  void spinUntil(std::uint32_t base, std::uint32_t distance) override;
  void idle() override { ++now; }
  void sleep(std::uint32_t milliseconds) override;
  void advance(std::uint32_t milliseconds) { now += milliseconds; }
  // Runs in the middle of each plain sleep, for what happens meanwhile (a key pressed).
  std::function<void(std::uint32_t milliseconds)> whileSleeping;
};

class TestInput : public Input {
 public:
  bool asyncKeyState(int virtualKey) override;
  JoystickCaps joystickCaps() override { return caps; }
  bool joystickPosition(JoystickPosition& position) override;

  // Scripting.
  void hold(int virtualKey) { held[virtualKey] = true; }
  void release(int virtualKey) { held[virtualKey] = false; }
  void releaseAll() { held.clear(); }
  void tap(int virtualKey) { pressedSinceAsked[virtualKey] = true; }  // pressed and released
  // Held from now until the clock reaches `time`: a key let go while the game waits inside a pass.
  void holdUntil(int virtualKey, std::uint32_t time) {
    held[virtualKey] = true;
    releaseAt[virtualKey] = time;
  }
  std::map<int, bool> held;
  std::map<int, bool> pressedSinceAsked;
  std::map<int, std::uint32_t> releaseAt;
  TestClock* clock = nullptr;
  JoystickCaps caps;
  std::optional<JoystickPosition> joystick;  // empty: no joystick
  int joystickQueries = 0;
  std::vector<int> keysAsked;  // every asyncKeyState call, in order
};

class TestDisplay : public Display {
 public:
  int desktopBitsPerPixel() override { return desktopDepth; }
  bool open(bool fullScreen) override;
  void present(std::span<const std::uint32_t> pixels) override;
  void hideCursor() override { ++cursorHides; }
  void pollEvents(std::vector<Event>& events) override;

  int desktopDepth = 16;
  bool openSucceeds = true;
  std::optional<bool> openedFullScreen;
  int cursorHides = 0;
  std::deque<Event> pendingEvents;  // delivered at the next pollEvents
  int pollCount = 0;
  std::vector<std::uint32_t> lastFrame;  // 640 x 480, 0x00RRGGBB
  std::vector<std::uint32_t> presentTimes;  // the clock at each present
  bool keepAllFrames = false;
  std::vector<std::vector<std::uint32_t>> frames;  // every frame, when keepAllFrames
  TestClock* clock = nullptr;
  std::uint32_t pixel(int x, int y) const { return lastFrame.at(static_cast<std::size_t>(y) * 640 + x); }
};

class TestDialogs : public Dialogs {
 public:
  void message(const std::string& text, const std::string& caption) override;
  bool askYesNo(const std::string& text, const std::string& caption) override;
  void beep() override { ++beeps; }

  struct Shown {
    std::string text, caption;
    bool question = false;
  };
  std::vector<Shown> shown;
  std::deque<bool> answers;  // for askYesNo, in order; No when empty
  int beeps = 0;
};

class TestAudio : public AudioOutput {
 public:
  bool open(AudioSource* s) override;
  int sampleRate() const override { return rate; }
  void close() override { source = nullptr; }
  // Runs the callback for `frames` frames, exactly as the device would, and returns them.
  std::vector<float> pull(int frames);

  bool openSucceeds = true;
  int rate = 44100;
  AudioSource* source = nullptr;
};

// Records what the music asked of the synthesizer, with the frame at which it arrived.
class TestSynth : public MidiSynth {
 public:
  struct Message {
    std::int64_t frame;
    std::uint32_t word;
    std::vector<std::uint8_t> sysex;
  };
  void shortMessage(std::uint32_t message) override { messages.push_back({renderedFrames, message, {}}); }
  void sysex(std::span<const std::uint8_t> bytes) override;
  void allNotesOff() override { ++allNotesOffCalls; }
  void render(float*, int frames) override { renderedFrames += frames; }
  std::vector<Message> messages;
  std::int64_t renderedFrames = 0;
  int allNotesOffCalls = 0;
};

class TestPlatform : public Platform {
 public:
  TestPlatform() {
    displayImpl.clock = &clockImpl;
    inputImpl.clock = &clockImpl;
  }
  Clock& clock() override { return clockImpl; }
  Input& input() override { return inputImpl; }
  Display& display() override { return displayImpl; }
  Dialogs& dialogs() override { return dialogsImpl; }
  AudioOutput& audio() override { return audioImpl; }
  std::unique_ptr<MidiSynth> createSynth(int sampleRate) override;
  std::uint32_t randomSeed() override { return seed; }

  std::uint32_t seed = 1;  // the same pseudo-random numbers every run, unless a test sets another
  // Runs inside createSynth, on whichever thread asks: a test can hold a synthesizer's making.
  std::function<void()> synthMaking;
  std::atomic<int> synthsMade = 0;  // counted once lastSynth is set
  TestClock clockImpl;
  TestInput inputImpl;
  TestDisplay displayImpl;
  TestDialogs dialogsImpl;
  TestAudio audioImpl;
  TestSynth* lastSynth = nullptr;  // owned by whoever asked for it
};

}  // namespace quorel::platform
