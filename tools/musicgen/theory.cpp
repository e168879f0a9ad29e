#include "tools/musicgen/theory.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace musicgen {
namespace {

int letterPitchClass(char letter) {
  switch (std::tolower(static_cast<unsigned char>(letter))) {
    case 'c': return 0;
    case 'd': return 2;
    case 'e': return 4;
    case 'f': return 5;
    case 'g': return 7;
    case 'a': return 9;
    case 'b': return 11;
    default: return -1;
  }
}

int mod12(int v) { return ((v % 12) + 12) % 12; }

// Reads a letter and its accidentals from the front of `text`, removes them and returns the pitch
// class, not wrapped: "cb" is -1, so that a note name's octave stays the one written.
int takeLetter(std::string_view& text, std::string_view context, bool flatNeedsMore) {
  if (text.empty() || letterPitchClass(text[0]) < 0) fail("not a note name: " + std::string(context));
  int pc = letterPitchClass(text[0]);
  text.remove_prefix(1);
  // In a note name "b4" is B and "bb4" B flat: a 'b' there is a flat only when more follows.
  while (!text.empty() && (text[0] == '#' || (text[0] == 'b' && (!flatNeedsMore || text.size() > 1)))) {
    pc += text[0] == '#' ? 1 : -1;
    text.remove_prefix(1);
  }
  return pc;
}

Tick durationOf(std::string_view spec, std::string_view token) {
  if (spec.empty()) fail("missing duration in: " + std::string(token));
  Tick total = 0;
  std::size_t at = 0;
  while (at <= spec.size()) {
    const std::size_t plus = std::min(spec.find('+', at), spec.size());
    std::string_view part = spec.substr(at, plus - at);
    int dots = 0;
    while (!part.empty() && part.back() == '.') {
      ++dots;
      part.remove_suffix(1);
    }
    const int divisor = part.empty() ? 0 : std::atoi(std::string(part).c_str());
    if (divisor <= 0 || (4 * kQuarter) % divisor != 0) fail("bad duration in: " + std::string(token));
    Tick value = 4 * kQuarter / divisor;
    Tick add = value;
    for (int d = 0; d < dots; ++d) value += (add /= 2);
    total += value;
    at = plus + 1;
  }
  return total;
}

// The metre: a melody leans on the downbeat, less on beat three, and its off-beats are lighter.
int metricLean(Tick start) {
  const Tick inBar = start % kBar;
  if (inBar == 0) return 6;
  if (inBar == kBar / 2) return 3;
  if (inBar % kQuarter == 0) return 0;
  if (inBar % kEighth == 0) return -4;
  return -6;
}

struct Quality {
  std::string_view suffix;
  std::vector<int> colour;
};

// Intervals in order of importance: the third (or its suspension) and the seventh say what the
// chord is; the root is in the bass anyway; the fifth adds the least.
const std::vector<Quality>& qualities() {
  static const std::vector<Quality> table = {
      {"", {4, 0, 7}},           {"m", {3, 0, 7}},          {"7", {4, 10, 0, 7}},
      {"maj7", {4, 11, 0, 7}},   {"m7", {3, 10, 0, 7}},     {"m7b5", {3, 10, 6, 0}},
      {"dim", {3, 6, 0}},        {"aug", {4, 8, 0}},        {"sus4", {5, 0, 7}},
      {"sus2", {2, 0, 7}},       {"7sus4", {5, 10, 0, 7}},  {"6", {4, 9, 0, 7}},
      {"m6", {3, 9, 0, 7}},      {"add9", {4, 2, 0, 7}},    {"maj9", {4, 11, 2, 7, 0}},
      {"m9", {3, 10, 2, 7, 0}},  {"9", {4, 10, 2, 0, 7}},
  };
  return table;
}

std::vector<std::string_view> words(std::string_view text) {
  std::vector<std::string_view> out;
  std::size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    std::size_t end = at;
    while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end]))) ++end;
    if (end > at) out.push_back(text.substr(at, end - at));
    at = end;
  }
  return out;
}

}  // namespace

void fail(const std::string& message) {
  std::fprintf(stderr, "musicgen: %s\n", message.c_str());
  std::exit(1);
}

Tick duration(std::string_view spec) { return durationOf(spec, spec); }

int pitch(std::string_view name) {
  std::string_view rest = name;
  const int pc = takeLetter(rest, name, true);
  const bool negative = !rest.empty() && rest[0] == '-';
  if (negative) rest.remove_prefix(1);
  if (rest.empty() || !std::all_of(rest.begin(), rest.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
    fail("note without octave: " + std::string(name));
  const int octave = std::atoi(std::string(rest).c_str()) * (negative ? -1 : 1);
  return (octave + 1) * 12 + pc;
}

std::vector<Note> phrase(std::string_view text, Tick start, int velocity) {
  struct Token {
    int pitch;  // -1 for a rest
    Tick start;
    Tick length;
    bool accent;
  };
  std::vector<Token> tokens;
  Tick at = start;
  for (std::string_view word : words(text)) {
    if (word == "|") {
      if ((at - start) % kBar != 0) fail("bar of the wrong length before bar " + std::to_string((at - start) / kBar + 1) + " in: " + std::string(text));
      continue;
    }
    std::string_view body = word;
    const bool accent = !body.empty() && body[0] == '>';
    if (accent) body.remove_prefix(1);
    const std::size_t colon = body.find(':');
    if (colon == std::string_view::npos) fail("token without duration: " + std::string(word));
    const std::string_view name = body.substr(0, colon);
    const Tick length = durationOf(body.substr(colon + 1), word);
    tokens.push_back({name == "r" ? -1 : pitch(name), at, length, accent});
    at += length;
  }
  const double span = std::max<Tick>(1, at - start);
  std::vector<Note> notes;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    if (t.pitch < 0) continue;
    const double middle = static_cast<double>(t.start - start) / span;
    const int swell = static_cast<int>(std::lround(6.0 * std::sin(std::numbers::pi * middle)));
    const int settle = i + 1 == tokens.size() ? -4 : 0;
    const int v = velocity + metricLean(t.start) + swell + settle + (t.accent ? 14 : 0);
    notes.push_back({t.start, t.length, t.pitch, std::clamp(v, 1, 127)});
  }
  return notes;
}

Tick phraseLength(std::string_view text) {
  Tick length = 0;
  for (std::string_view word : words(text)) {
    const std::size_t colon = word.find(':');
    if (colon != std::string_view::npos) length += durationOf(word.substr(colon + 1), word);
  }
  return length;
}

std::vector<Note> melody(const std::vector<std::string_view>& phrases, Tick start, int velocity) {
  std::vector<Note> notes;
  for (std::string_view p : phrases) {
    const std::vector<Note> more = phrase(p, start, velocity);
    notes.insert(notes.end(), more.begin(), more.end());
    start += phraseLength(p);
  }
  return notes;
}

Chord chord(std::string_view symbol) {
  std::string_view rest = symbol;
  const int root = mod12(takeLetter(rest, symbol, false));
  int bass = root;
  if (const std::size_t slash = rest.find('/'); slash != std::string_view::npos) {
    std::string_view bassName = rest.substr(slash + 1);
    bass = mod12(takeLetter(bassName, symbol, false));
    rest = rest.substr(0, slash);
  }
  for (const Quality& q : qualities())
    if (q.suffix == rest) return {std::string(symbol), root, bass, q.colour};
  fail("unknown chord: " + std::string(symbol));
}

std::vector<ChordSpan> progression(std::string_view text, Tick start) {
  std::vector<ChordSpan> spans;
  Tick barStart = start;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t bar = std::min(text.find('|', at), text.size());
    const std::vector<std::string_view> symbols = words(text.substr(at, bar - at));
    at = bar + 1;
    if (symbols.empty()) continue;
    const Tick length = kBar / static_cast<Tick>(symbols.size());
    if (length * static_cast<Tick>(symbols.size()) != kBar) fail("chords do not share a bar evenly");
    for (std::size_t i = 0; i < symbols.size(); ++i)
      spans.push_back({chord(symbols[i]), barStart + length * static_cast<Tick>(i), length});
    barStart += kBar;
  }
  return spans;
}

const ChordSpan& chordAt(const std::vector<ChordSpan>& spans, Tick tick) {
  for (const ChordSpan& s : spans)
    if (tick < s.start + s.length) return s;
  return spans.back();
}

int nearestPitch(int pc, int near, int low, int high) {
  int offset = mod12(pc - near);
  if (offset > 6) offset -= 12;
  int p = near + offset;
  while (p < low) p += 12;
  while (p > high) p -= 12;
  return p;
}

Voicer::Voicer(int low, int high, int voices) : low_(low), high_(high), voices_(voices) {}

const std::vector<int>& Voicer::next(const Chord& c) {
  std::vector<int> classes;
  for (int interval : c.colour) classes.push_back(mod12(c.root + interval));
  const std::size_t required = std::min(classes.size(), static_cast<std::size_t>(voices_));

  std::vector<int> pool;
  for (int p = low_; p <= high_; ++p)
    if (std::find(classes.begin(), classes.end(), mod12(p)) != classes.end()) pool.push_back(p);

  const double centre = (low_ + high_) / 2.0;
  double bestCost = 1e9;
  std::vector<int> best;
  std::vector<int> pick;
  // Depth-first over ascending choices of pitches from the pool.
  auto search = [&](auto&& self, std::size_t from) -> void {
    if (pick.size() == static_cast<std::size_t>(voices_)) {
      for (std::size_t r = 0; r < required; ++r)
        if (std::none_of(pick.begin(), pick.end(), [&](int p) { return mod12(p) == classes[r]; })) return;
      double cost = 0.0, mean = 0.0;
      for (std::size_t i = 0; i < pick.size(); ++i) {
        mean += pick[i];
        if (i > 0 && pick[i] - pick[i - 1] == 1) cost += 3.0;  // a semitone cluster sounds muddy
        if (!previous_.empty()) cost += std::abs(pick[i] - previous_[i]);
      }
      mean /= static_cast<double>(pick.size());
      cost += 0.3 * std::abs(mean - centre);
      if (cost < bestCost) {
        bestCost = cost;
        best = pick;
      }
      return;
    }
    for (std::size_t i = from; i < pool.size(); ++i) {
      if (!pick.empty() && pool[i] - pick.back() > 12) break;  // keep the voices within reach
      pick.push_back(pool[i]);
      self(self, i + 1);
      pick.pop_back();
    }
  };
  search(search, 0);
  if (best.empty()) fail("no voicing for " + c.symbol);
  previous_ = best;
  return previous_;
}

}  // namespace musicgen
