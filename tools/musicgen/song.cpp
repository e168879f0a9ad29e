#include "tools/musicgen/song.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace musicgen {
namespace {

constexpr std::uint16_t kDivision = static_cast<std::uint16_t>(kQuarter);

// Order of events that share a tick: notes end before anything else happens, the loop markers
// and tempo come before the instruments are set up and the notes begin, and the "E" marker and
// the end of the track close the tick.
enum class Rank { NoteOff, Meta, Setup, NoteOn, LoopEnd, TrackEnd };

struct Event {
  Tick tick;
  Rank rank;
  std::vector<std::uint8_t> bytes;  // status byte first
};

std::vector<std::uint8_t> meta(std::uint8_t type, std::vector<std::uint8_t> data) {
  // Built by resizing rather than inserting: GCC 12 warns falsely on inserting into a
  // three-byte vector.
  std::vector<std::uint8_t> bytes(3 + data.size());
  bytes[0] = 0xFF;
  bytes[1] = type;
  bytes[2] = static_cast<std::uint8_t>(data.size());
  std::copy(data.begin(), data.end(), bytes.begin() + 3);
  return bytes;
}

std::vector<std::uint8_t> text(std::uint8_t type, const std::string& s) {
  return meta(type, std::vector<std::uint8_t>(s.begin(), s.end()));
}

std::vector<std::uint8_t> channelMessage(int status, int channel, int data1, int data2 = -1) {
  std::vector<std::uint8_t> bytes = {static_cast<std::uint8_t>(status | channel), static_cast<std::uint8_t>(data1)};
  if (data2 >= 0) bytes.push_back(static_cast<std::uint8_t>(data2));
  return bytes;
}

void putVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value) {
  std::uint8_t groups[5];
  int count = 0;
  do {
    groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (count > 1) out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
  out.push_back(groups[0]);
}

void putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// Running status only between channel messages: a meta event cancels it, so the first note
// after the "S" marker carries its status byte and the loop can jump there from anywhere.
std::vector<std::uint8_t> trackData(const std::vector<Event>& events) {
  std::vector<std::uint8_t> data;
  Tick now = 0;
  std::uint8_t running = 0;
  for (const Event& e : events) {
    putVariableLength(data, static_cast<std::uint32_t>(e.tick - now));
    now = e.tick;
    const std::uint8_t status = e.bytes[0];
    const bool isChannel = status < 0xF0;
    const bool skipStatus = isChannel && status == running;
    data.insert(data.end(), e.bytes.begin() + (skipStatus ? 1 : 0), e.bytes.end());
    running = isChannel ? status : 0;
  }
  return data;
}

}  // namespace

Song::Song(std::string title, Tick loopStart, Tick loopEnd)
    : title_(std::move(title)), loopStart_(loopStart), loopEnd_(loopEnd) {
  if (loopStart <= 0 || loopEnd <= loopStart) fail("a song needs an intro and a body: " + title_);
}

void Song::use(const Instrument& instrument) { instruments_.push_back(instrument); }

void Song::tempo(Tick at, double beatsPerMinute) {
  if (at >= loopEnd_) fail("tempo after the end of " + title_);
  tempi_.push_back({at, static_cast<std::uint32_t>(std::lround(60'000'000.0 / beatsPerMinute))});
}

void Song::keySignature(int sharps, bool minor) {
  keySharps_ = sharps;
  keyMinor_ = minor;
}

void Song::level(double decibels) { levelDecibels_ = decibels; }

void Song::add(int channel, const Note& note) {
  if (note.start < 0 || note.start >= loopEnd_) fail("note outside " + title_);
  voices_.push_back({channel, note});
}

void Song::add(int channel, const std::vector<Note>& notes) {
  for (const Note& n : notes) add(channel, n);
}

// A General MIDI synthesizer turns the channel volume into a gain of 40 log10(volume / 127)
// decibels, so one factor on every channel's volume moves every channel by the same decibels.
int Song::scaledVolume(int volume) const {
  const long scaled = std::lround(volume * std::pow(10.0, levelDecibels_ / 40.0));
  if (scaled > 127) fail("the level of " + title_ + " leaves a channel no volume to grow into");
  return static_cast<int>(std::max(scaled, 1L));
}

std::vector<std::uint8_t> Song::toMidiFile() const {
  std::vector<Event> events;
  events.push_back({0, Rank::Meta, text(0x03, title_)});
  events.push_back({0, Rank::Meta, meta(0x58, {4, 2, 24, 8})});
  events.push_back({0, Rank::Meta, meta(0x59, {static_cast<std::uint8_t>(keySharps_), keyMinor_ ? std::uint8_t{1} : std::uint8_t{0}})});
  events.push_back({loopStart_, Rank::Meta, text(0x06, "S")});
  for (const Tempo& t : tempi_) {
    std::vector<std::uint8_t> value;
    putBigEndian(value, t.microsecondsPerQuarter, 3);
    events.push_back({t.at, Rank::Meta, meta(0x51, value)});
  }
  for (const Instrument& i : instruments_) {
    events.push_back({0, Rank::Setup, channelMessage(0xB0, i.channel, 121, 0)});
    events.push_back({0, Rank::Setup, channelMessage(0xB0, i.channel, 7, scaledVolume(i.volume))});
    events.push_back({0, Rank::Setup, channelMessage(0xB0, i.channel, 10, i.pan)});
    events.push_back({0, Rank::Setup, channelMessage(0xB0, i.channel, 91, i.reverb)});
    events.push_back({0, Rank::Setup, channelMessage(0xB0, i.channel, 93, i.chorus)});
    events.push_back({0, Rank::Setup, channelMessage(0xC0, i.channel, i.program)});
  }

  // Per channel and pitch, in time order: clip each note to its section and to the next attack.
  std::map<std::pair<int, int>, std::vector<Note>> strings;
  for (const Voice& v : voices_) {
    Note n = v.note;
    const Tick sectionEnd = n.start < loopStart_ ? loopStart_ : loopEnd_;
    n.length = std::min(n.length, sectionEnd - n.start);
    strings[{v.channel, n.pitch}].push_back(n);
  }
  for (auto& [key, notes] : strings) {
    std::stable_sort(notes.begin(), notes.end(), [](const Note& a, const Note& b) { return a.start < b.start; });
    for (std::size_t i = 0; i < notes.size(); ++i) {
      Note n = notes[i];
      if (i + 1 < notes.size()) n.length = std::min(n.length, notes[i + 1].start - n.start);
      if (n.length <= 0) continue;
      const int velocity = std::clamp(n.velocity, 1, 127);
      events.push_back({n.start, Rank::NoteOn, channelMessage(0x90, key.first, n.pitch, velocity)});
      events.push_back({n.start + n.length, Rank::NoteOff, channelMessage(0x90, key.first, n.pitch, 0)});
    }
  }
  events.push_back({loopEnd_, Rank::LoopEnd, text(0x06, "E")});
  events.push_back({loopEnd_, Rank::TrackEnd, meta(0x2F, {})});
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.rank < b.rank;
  });

  const std::vector<std::uint8_t> track = trackData(events);
  std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd'};
  putBigEndian(file, 6, 4);
  putBigEndian(file, 0, 2);  // format 0
  putBigEndian(file, 1, 2);  // one track
  putBigEndian(file, kDivision, 2);
  file.insert(file.end(), {'M', 'T', 'r', 'k'});
  putBigEndian(file, static_cast<std::uint32_t>(track.size()), 4);
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

}  // namespace musicgen
