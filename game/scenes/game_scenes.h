#pragma once
// The one place that puts the game's scenes into the scene table.

namespace quorel {

class TForm1;

// Registers every scene of the game with its Scene number. The executable's entry and the
// test harness call it once, before start-up.
void registerGameScenes(TForm1& form);

}  // namespace quorel
