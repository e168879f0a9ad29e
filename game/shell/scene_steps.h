#pragma once
// Steps that several scenes, and the key handler, take the same way.
#include <span>

namespace quorel {

class TForm1;

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

// The Escape key read straight from the keyboard, as the menus that leave with it do.
bool escapeKeyDown(TForm1& form);
// Waits, handling window messages, until Escape is up (or the window is closing). A menu that
// leaves with Escape waits so before it changes scene: in the Title menu the same press would
// close the game.
void waitForEscapeRelease(TForm1& form);

// The MINIMUM records of the set being played, indexed by stage: the built-in set's from
// quorel.dat, or the user set's from its record file.
std::span<int> playedSetRecords(TForm1& form);
std::span<const int> playedSetRecords(const TForm1& form);

}  // namespace quorel
