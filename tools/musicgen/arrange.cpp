#include "tools/musicgen/arrange.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <string>

namespace musicgen {
namespace {

int mod12(int v) { return ((v % 12) + 12) % 12; }

bool isChordTone(const Chord& c, int p) {
  return std::any_of(c.colour.begin(), c.colour.end(), [&](int i) { return mod12(c.root + i) == mod12(p); });
}

// A minor second or ninth; a major seventh under the melody is a colour, not a clash.
bool semitoneApart(int a, int b) { return std::abs(a - b) % 12 == 1; }

Tick overlap(const Note& a, const Note& b) {
  return std::min(a.start + a.length, b.start + b.length) - std::max(a.start, b.start);
}

bool carriesWeight(const Note& m) { return m.length >= kQuarter || m.start % kQuarter == 0; }

bool grinds(const Note& n, int pitch, const std::vector<Note>& melody) {
  return std::any_of(melody.begin(), melody.end(), [&](const Note& m) {
    return carriesWeight(m) && overlap(n, m) >= kEighth && semitoneApart(m.pitch, pitch);
  });
}

int fifthOf(const Chord& c) {
  for (int i : c.colour)
    if (i == 6 || i == 7 || i == 8) return i;
  return 7;
}

// A seventh or ninth that lies a semitone from the root, third or fifth.
bool rubsTriad(const Chord& c, int p) {
  for (int tone : {0, c.colour.front(), fifthOf(c)}) {
    const int gap = mod12(p - (c.root + tone));
    if (gap == 1 || gap == 11) return true;
  }
  return false;
}

struct BassStep {
  char degree;
  Tick length;
};

std::vector<BassStep> bassSteps(std::string_view pattern) {
  std::vector<BassStep> steps;
  std::size_t at = 0;
  while (at < pattern.size()) {
    while (at < pattern.size() && pattern[at] == ' ') ++at;
    if (at >= pattern.size()) break;
    const std::size_t end = std::min(pattern.find(' ', at), pattern.size());
    const std::string_view token = pattern.substr(at, end - at);
    if (token.size() < 3 || token[1] != ':') fail("bad bass token: " + std::string(token));
    steps.push_back({token[0], duration(token.substr(2))});
    at = end;
  }
  return steps;
}

std::uint32_t mix(std::uint32_t h) {
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}

}  // namespace

std::vector<Note> sustain(const std::vector<ChordSpan>& spans, Voicer& voicer, int velocity) {
  std::vector<Note> notes;
  std::map<int, std::size_t> sounding;  // pitch -> index in notes
  for (const ChordSpan& s : spans) {
    const std::vector<int> voicing = voicer.next(s.chord);
    std::map<int, std::size_t> now;
    for (int p : voicing) {
      if (auto held = sounding.find(p); held != sounding.end() && notes[held->second].start + notes[held->second].length == s.start) {
        notes[held->second].length += s.length;
        now[p] = held->second;
      } else {
        notes.push_back({s.start, s.length, p, velocity});
        now[p] = notes.size() - 1;
      }
    }
    sounding = now;
  }
  return notes;
}

std::vector<Note> arpeggio(const std::vector<ChordSpan>& spans, Voicer& voicer, std::string_view order,
                           Tick step, int ring, int velocity) {
  std::vector<Note> notes;
  for (const ChordSpan& s : spans) {
    std::vector<int> voicing = voicer.next(s.chord);
    const std::size_t size = voicing.size();
    for (std::size_t i = 0; i < size; ++i) voicing.push_back(voicing[i] + 12);
    std::size_t k = 0;
    for (Tick t = s.start; t < s.start + s.length; t += step, ++k) {
      const char c = order[k % order.size()];
      if (c == '.') continue;
      const std::size_t index = static_cast<std::size_t>(c - '0');
      if (!std::isdigit(static_cast<unsigned char>(c)) || index >= voicing.size()) fail("bad arpeggio order");
      notes.push_back({t, std::min(step * ring, s.start + s.length - t), voicing[index], velocity});
    }
  }
  return notes;
}

std::vector<Note> comp(const std::vector<ChordSpan>& spans, Voicer& voicer, std::string_view rhythm, int velocity) {
  std::vector<Note> notes;
  if (spans.empty()) return notes;
  const Tick end = spans.back().start + spans.back().length;
  const Chord* current = nullptr;
  std::vector<int> voicing;
  for (Tick bar = spans.front().start; bar < end; bar += kBar) {
    for (std::size_t i = 0; i < rhythm.size(); ++i) {
      if (rhythm[i] != 'x') continue;
      std::size_t held = 1;
      while (i + held < rhythm.size() && rhythm[i + held] == '-') ++held;
      const Tick start = bar + static_cast<Tick>(i) * kEighth;
      const ChordSpan& span = chordAt(spans, start);
      if (current != &span.chord) {
        current = &span.chord;
        voicing = voicer.next(span.chord);
      }
      // Short of the full value, so repeated chords are heard as separate strokes.
      const Tick length = static_cast<Tick>(held) * kEighth - kSixteenth / 2;
      const int lean = i == 0 ? 6 : i % 2 == 1 ? -3 : 0;
      for (int p : voicing) notes.push_back({start, length, p, velocity + lean});
    }
  }
  return notes;
}

std::vector<Note> bassLine(const std::vector<ChordSpan>& spans, std::string_view wholeBar, std::string_view halfBar,
                           int low, int high, int velocity, const Chord* following) {
  if (spans.empty()) return {};
  const Chord& after = following != nullptr ? *following : spans.front().chord;
  const std::vector<BassStep> whole = bassSteps(wholeBar);
  const std::vector<BassStep> half = bassSteps(halfBar);
  std::vector<Note> notes;
  int previous = (low + high) / 2;
  for (std::size_t i = 0; i < spans.size(); ++i) {
    const ChordSpan& s = spans[i];
    const Chord& c = s.chord;
    const int root = nearestPitch(c.bass, previous, low, high);
    const int nextBass = nearestPitch(i + 1 < spans.size() ? spans[i + 1].chord.bass : after.bass, root, low, high);
    const std::vector<BassStep>& steps = s.length >= kBar ? whole : half;
    Tick t = s.start;
    for (const BassStep& step : steps) {
      int p = -1;
      switch (step.degree) {
        case 'R': p = root; break;
        case '3': p = nearestPitch(c.root + c.colour.front(), root + 4, low, high); break;
        case '5': p = nearestPitch(c.root + fifthOf(c), root + 7, low, high); break;
        case '8': p = root + 12 <= high ? root + 12 : root; break;
        case 'A': p = std::max(low, nextBass - 1); break;
        case 'B': p = std::min(high, nextBass + 2); break;
        case 'r': break;
        default: fail(std::string("bad bass degree: ") + step.degree);
      }
      if (p >= 0 && t < s.start + s.length) {
        const int lean = (t - s.start) % kBar == 0 ? 6 : (t % kQuarter == 0 ? 0 : -5);
        notes.push_back({t, std::min(step.length, s.start + s.length - t), p, velocity + lean});
      }
      t += step.length;
    }
    previous = root;
  }
  return notes;
}

std::vector<Note> drumBar(const std::vector<DrumLane>& lanes, Tick barStart, int velocity) {
  std::vector<Note> notes;
  for (const DrumLane& lane : lanes) {
    for (std::size_t i = 0; i < lane.steps.size() && i < 16; ++i) {
      const char c = lane.steps[i];
      if (c == '.') continue;
      const int v = c == 'X' ? velocity + 22 : c == 'o' ? velocity - 30 : velocity;
      if (c != 'X' && c != 'x' && c != 'o') fail("bad drum step");
      notes.push_back({barStart + static_cast<Tick>(i) * kSixteenth, kSixteenth, lane.key, v});
    }
  }
  return notes;
}

std::vector<Note> harmonyBelow(const std::vector<Note>& melody, const std::vector<ChordSpan>& spans, int velocityDrop) {
  std::vector<Note> notes;
  for (const Note& n : melody) {
    const Chord& c = chordAt(spans, n.start).chord;
    for (int p = n.pitch - 3; p > n.pitch - 12; --p) {
      if (isChordTone(c, p) && !rubsTriad(c, p)) {
        notes.push_back({n.start, n.length, p, n.velocity - velocityDrop});
        break;
      }
    }
  }
  return notes;
}

void keepClearOf(std::vector<Note>& part, const std::vector<Note>& melody, const std::vector<ChordSpan>& spans) {
  std::vector<Note> kept;
  for (Note n : part) {
    if (grinds(n, n.pitch, melody)) {
      const Chord& c = chordAt(spans, n.start).chord;
      int replacement = -1;
      for (int step = 1; step <= 4 && replacement < 0; ++step)
        for (int p : {n.pitch - step, n.pitch + step})
          if (replacement < 0 && isChordTone(c, p) && !grinds(n, p, melody)) replacement = p;
      if (replacement < 0) continue;
      n.pitch = replacement;
    }
    kept.push_back(n);
  }
  part = kept;
}

std::vector<Note> transpose(std::vector<Note> notes, int semitones, int velocityChange) {
  for (Note& n : notes) {
    n.pitch += semitones;
    n.velocity += velocityChange;
  }
  return notes;
}

void append(std::vector<Note>& notes, const std::vector<Note>& more) { notes.insert(notes.end(), more.begin(), more.end()); }

void humanize(std::vector<Note>& notes, std::uint32_t seed, int spread) {
  if (spread <= 0) return;
  for (Note& n : notes) {
    const std::uint32_t h = mix(seed ^ mix(static_cast<std::uint32_t>(n.start) * 131u + static_cast<std::uint32_t>(n.pitch)));
    n.velocity += static_cast<int>(h % static_cast<std::uint32_t>(2 * spread + 1)) - spread;
  }
}

}  // namespace musicgen
