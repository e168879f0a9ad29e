#pragma once
// A piece as the game's music player wants it: one Standard MIDI File of format 0, one track,
// an intro, then a body between an "S" and an "E" marker that the player repeats.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/musicgen/theory.h"

namespace musicgen {

// General MIDI channel (0-based) of the percussion kit.
constexpr int kDrumChannel = 9;

struct Instrument {
  int channel;  // 0-based
  int program;  // General MIDI program, 0-based
  int volume;   // controller 7
  int pan;      // controller 10, 64 = centre
  int reverb;   // controller 91
  int chorus;   // controller 93
};

class Song {
 public:
  // The intro runs from tick 0 to `loopStart`; the body from there to `loopEnd`.
  Song(std::string title, Tick loopStart, Tick loopEnd);

  void use(const Instrument& instrument);
  void tempo(Tick at, double beatsPerMinute);
  void keySignature(int sharps, bool minor);
  // Moves the loudness of the whole piece by `decibels` without changing its balance, so the
  // three pieces can be matched as the game's synthesizer plays them (see scaledVolume).
  void level(double decibels);
  void add(int channel, const Note& note);
  void add(int channel, const std::vector<Note>& notes);

  Tick loopStart() const { return loopStart_; }
  Tick loopEnd() const { return loopEnd_; }

  // The file's bytes. Notes are kept inside their section, so nothing sounds across the loop
  // seam, and a note that would restart a pitch still sounding on its channel ends the earlier one.
  std::vector<std::uint8_t> toMidiFile() const;

 private:
  struct Tempo {
    Tick at;
    std::uint32_t microsecondsPerQuarter;
  };
  struct Voice {
    int channel;
    Note note;
  };

  int scaledVolume(int volume) const;

  std::string title_;
  Tick loopStart_;
  Tick loopEnd_;
  int keySharps_ = 0;
  bool keyMinor_ = false;
  double levelDecibels_ = 0.0;
  std::vector<Instrument> instruments_;
  std::vector<Tempo> tempi_;
  std::vector<Voice> voices_;
};

}  // namespace musicgen
