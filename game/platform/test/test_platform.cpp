#include "game/platform/test/test_platform.h"

#include <algorithm>
#include <cstddef>

namespace quorel::platform {

namespace {

constexpr std::size_t kFramePixels = 640 * 480;

}  // namespace

void TestClock::spinUntil(std::uint32_t base, std::uint32_t distance) {
  // Unsigned arithmetic keeps the comparison right across the 49-day wrap, as the real one does.
  const std::uint32_t elapsed = now - base;
  if (elapsed >= distance) return;
  now += distance - elapsed;
}

void TestClock::sleep(std::uint32_t milliseconds) {
  now += milliseconds / 2;
  if (whileSleeping) whileSleeping(milliseconds);
  now += milliseconds - milliseconds / 2;
}

bool TestInput::asyncKeyState(int virtualKey) {
  keysAsked.push_back(virtualKey);
  if (auto release = releaseAt.find(virtualKey); release != releaseAt.end() && clock && clock->now >= release->second) {
    held[virtualKey] = false;
    releaseAt.erase(release);
  }
  bool pressed = false;
  if (auto it = pressedSinceAsked.find(virtualKey); it != pressedSinceAsked.end()) {
    pressed = it->second;
    it->second = false;
  }
  auto it = held.find(virtualKey);
  return pressed || (it != held.end() && it->second);
}

bool TestInput::joystickPosition(JoystickPosition& position) {
  ++joystickQueries;
  if (!joystick) return false;
  position = *joystick;
  return true;
}

bool TestDisplay::open(bool fullScreen) {
  openedFullScreen = fullScreen;
  return openSucceeds;
}

void TestDisplay::present(std::span<const std::uint32_t> pixels) {
  // A short frame is a fault of the caller; keep what came and black the rest, so a test sees it.
  lastFrame.assign(kFramePixels, 0);
  std::copy_n(pixels.begin(), std::min(pixels.size(), kFramePixels), lastFrame.begin());
  presentTimes.push_back(clock ? clock->now : 0);
  if (keepAllFrames) frames.push_back(lastFrame);
}

void TestDisplay::pollEvents(std::vector<Event>& events) {
  ++pollCount;
  events.insert(events.end(), pendingEvents.begin(), pendingEvents.end());
  pendingEvents.clear();
}

void TestDialogs::message(const std::string& text, const std::string& caption) {
  shown.push_back({text, caption, false});
}

bool TestDialogs::askYesNo(const std::string& text, const std::string& caption) {
  shown.push_back({text, caption, true});
  if (answers.empty()) return false;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

bool TestAudio::open(AudioSource* s) {
  if (!openSucceeds) return false;
  source = s;
  return true;
}

std::vector<float> TestAudio::pull(int frames) {
  std::vector<float> buffer(static_cast<std::size_t>(std::max(frames, 0)) * 2, 0.0f);
  if (source && frames > 0) source->render(buffer.data(), frames);
  return buffer;
}

void TestSynth::sysex(std::span<const std::uint8_t> bytes) {
  messages.push_back({renderedFrames, 0, std::vector<std::uint8_t>(bytes.begin(), bytes.end())});
}

std::unique_ptr<MidiSynth> TestPlatform::createSynth(int) {
  if (synthMaking) synthMaking();
  auto synth = std::make_unique<TestSynth>();
  lastSynth = synth.get();
  synthsMade.fetch_add(1);
  return synth;
}

}  // namespace quorel::platform
