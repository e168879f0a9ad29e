#pragma once
// The game's three pieces of music.
#include "tools/musicgen/song.h"

namespace musicgen {

Song playMusic();    // bgm01: under the puzzles, calm enough to think over
Song titleMusic();   // bgm02: the title screen, bright and inviting
Song endingMusic();  // bgm03: the ending and staff roll, warm and celebratory

}  // namespace musicgen
