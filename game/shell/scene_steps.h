#pragma once
// Steps that several scenes, and the key handler, take the same way.
#include <cstdint>
#include <functional>
#include <span>

namespace quorel {

class TForm1;
class Surface;

// The three pieces of music, looked up as TForm1::playMusic does.
inline constexpr const char* kPlayMusic = "bgm/bgm01.mid";
inline constexpr const char* kTitleMusic = "bgm/bgm02.mid";
inline constexpr const char* kEndingMusic = "bgm/bgm03.mid";

// How the music ends on the way back to the Title menu.
enum class MusicOnLeaving {
  StopBeforeTransition,  // silent while the screen turns white
  StopAfterTransition,   // the music plays on under the transition
  KeepPlaying,           // not stopped; the title music, when BGM is on, replaces it
};

// The way back to the Title menu: the white transition, then the Title's Scene number, the
// information window for the next stage started, the title music when BGM is on; in test play
// the program closes after the pass. A caller that must not be entered again during the
// transition (the key handler) sets the Scene number itself before.
void backToTitle(TForm1& form, MusicOnLeaving music);

// The pan of the stage select's sounds: stage 10 in the middle, lower stages to the left,
// higher ones to the right (from stage 22 on beyond full right, which plays centred).
int stagePan(int stage);

// The MINIMUM records of the set being played, indexed by stage: the built-in set's from
// quorel.dat, or the user set's from its record file.
std::span<int> playedSetRecords(TForm1& form);
std::span<const int> playedSetRecords(const TForm1& form);

// The Escape key read from the keyboard itself (down now, or pressed since it was last asked),
// for the scenes that leave on it besides the window's key handler.
bool escapeDown(TForm1& form);
// Handles window messages until Escape is up, or the window is closing. A scene that leaves on
// Escape waits so before it changes the Scene number: the Title menu closes the program on an
// Escape key-down, and the press that left must not reach it there.
void waitForEscapeRelease(TForm1& form);

// Covers `target` with the screen's 20 x 15 squares of 32 x 32 pixels, columns outer and rows
// inner, each filled with the Windows colour value that `squareColour` gives for it.
void coverWithMosaic(Surface& target, const std::function<std::uint32_t()>& squareColour);

}  // namespace quorel
