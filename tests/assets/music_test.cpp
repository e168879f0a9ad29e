// The three music files: format 0 with one track as the player demands, a body between "S" and
// "E" that loops without a stuck note or a seam, and the committed copies equal to what
// musicgen composes now.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "game/presentation/midi_convert.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const char* const kPieces[] = {"bgm01.mid", "bgm02.mid", "bgm03.mid"};

Bytes readFile(const std::filesystem::path& path) {
  std::ifstream f(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

Bytes committed(const char* name) { return readFile(std::filesystem::path(QUOREL_SOURCE_DIR) / "bgm" / name); }

struct Event {
  std::uint32_t tick;
  std::uint8_t status;  // channel status, or 0xFF for a meta event
  std::uint8_t data1;   // or the meta type
  std::uint8_t data2;
  Bytes text;           // meta data
};

struct Piece {
  std::uint16_t format = 0xFFFF, tracks = 0, division = 0;
  std::vector<Event> events;
  std::string error;  // empty when the file read cleanly to its end-of-track event
};

std::uint32_t bigEndian(const Bytes& b, std::size_t at, int n) {
  std::uint32_t v = 0;
  for (int i = 0; i < n; ++i) v = v << 8 | b[at + static_cast<std::size_t>(i)];
  return v;
}

// A strict reader: a meta event cancels running status, as the file format has it, and any
// status other than channel messages and meta events (all the player converts here) is an error.
Piece readPiece(const Bytes& file) {
  Piece p;
  if (file.size() < 22 || bigEndian(file, 0, 4) != 0x4D546864 || bigEndian(file, 4, 4) != 6) {
    p.error = "no six-byte MThd header";
    return p;
  }
  p.format = static_cast<std::uint16_t>(bigEndian(file, 8, 2));
  p.tracks = static_cast<std::uint16_t>(bigEndian(file, 10, 2));
  p.division = static_cast<std::uint16_t>(bigEndian(file, 12, 2));
  if (bigEndian(file, 14, 4) != 0x4D54726B) {
    p.error = "no MTrk";
    return p;
  }
  const std::size_t end = 22 + bigEndian(file, 18, 4);
  if (end != file.size()) {
    p.error = "the track does not fill the file exactly";
    return p;
  }
  std::size_t at = 22;
  std::uint32_t tick = 0;
  std::uint8_t running = 0;
  auto byte = [&]() -> std::optional<std::uint8_t> {
    if (at >= end) return std::nullopt;
    return file[at++];
  };
  auto variable = [&]() -> std::optional<std::uint32_t> {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      auto b = byte();
      if (!b) return std::nullopt;
      v = v << 7 | (*b & 0x7Fu);
      if (*b < 0x80) return v;
    }
    return std::nullopt;
  };
  while (at < end) {
    auto delta = variable();
    auto first = byte();
    if (!delta || !first) return p.error = "truncated event", p;
    tick += *delta;
    if (*first == 0xFF) {
      auto type = byte();
      auto length = variable();
      if (!type || !length || at + *length > end) return p.error = "truncated meta event", p;
      p.events.push_back({tick, 0xFF, *type, 0, Bytes(file.begin() + static_cast<std::ptrdiff_t>(at),
                                                       file.begin() + static_cast<std::ptrdiff_t>(at + *length))});
      at += *length;
      running = 0;
      if (*type == 0x2F) {
        if (at != end) p.error = "events after the end of the track";
        return p;
      }
      continue;
    }
    if (*first >= 0xF0) return p.error = "a status the player does not convert", p;
    std::uint8_t status = running;
    if (*first >= 0x80) status = *first;
    else --at;
    if (status == 0) return p.error = "running status after a meta event", p;
    running = status;
    auto d1 = byte();
    std::optional<std::uint8_t> d2 = std::uint8_t{0};
    if ((status & 0xF0) != 0xC0 && (status & 0xF0) != 0xD0) d2 = byte();
    if (!d1 || !d2 || *d1 >= 0x80 || *d2 >= 0x80) return p.error = "bad channel message", p;
    p.events.push_back({tick, status, *d1, *d2, {}});
  }
  p.error = "no end-of-track event";
  return p;
}

bool isMarker(const Event& e, char letter) {
  return e.status == 0xFF && e.data1 == 0x06 && e.text == Bytes{static_cast<std::uint8_t>(letter)};
}
bool isTempo(const Event& e) { return e.status == 0xFF && e.data1 == 0x51 && e.text.size() == 3; }
bool isNoteOn(const Event& e) { return (e.status & 0xF0) == 0x90 && e.data2 > 0; }
bool isNoteOff(const Event& e) { return (e.status & 0xF0) == 0x80 || ((e.status & 0xF0) == 0x90 && e.data2 == 0); }

std::size_t indexOfMarker(const Piece& p, char letter) {
  for (std::size_t i = 0; i < p.events.size(); ++i)
    if (isMarker(p.events[i], letter)) return i;
  return p.events.size();
}

// Seconds from tick `from` to tick `to` under the piece's tempo events (120 a minute before any).
double secondsBetween(const Piece& p, std::uint32_t from, std::uint32_t to) {
  double seconds = 0.0;
  std::uint32_t tempo = 500000, at = 0;
  auto advance = [&](std::uint32_t until) {
    const std::uint32_t a = std::max(at, from), b = std::min(until, to);
    if (b > a) seconds += (b - a) * (tempo / 1e6) / p.division;
    at = until;
  };
  for (const Event& e : p.events) {
    if (!isTempo(e)) continue;
    advance(e.tick);
    tempo = bigEndian(e.text, 0, 3);
  }
  advance(std::max(to, at));
  return seconds;
}

class MusicFile : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    piece = readPiece(committed(GetParam()));
    ASSERT_EQ(piece.error, "");
    loopStart = indexOfMarker(piece, 'S');
    loopEnd = indexOfMarker(piece, 'E');
    ASSERT_LT(loopStart, piece.events.size()) << "no \"S\" marker";
    ASSERT_LT(loopEnd, piece.events.size()) << "no \"E\" marker";
  }
  Piece piece;
  std::size_t loopStart = 0, loopEnd = 0;
};

TEST_P(MusicFile, IsOneFormatZeroTrackWithItsTempoSet) {
  EXPECT_EQ(piece.format, 0);
  EXPECT_EQ(piece.tracks, 1);
  EXPECT_GT(piece.division, 0);
  EXPECT_LT(piece.division, 0x8000) << "ticks per quarter, not SMPTE frames";

  const auto firstNote = std::find_if(piece.events.begin(), piece.events.end(), isNoteOn);
  const auto firstTempo = std::find_if(piece.events.begin(), piece.events.end(), isTempo);
  ASSERT_NE(firstTempo, piece.events.end());
  EXPECT_TRUE(firstTempo < firstNote) << "the first notes would play at the player's default 120";

  for (const Event& e : piece.events) {
    if (!isTempo(e)) continue;
    const double bpm = 60e6 / bigEndian(e.text, 0, 3);
    EXPECT_GE(bpm, 60.0);
    EXPECT_LE(bpm, 160.0);
  }
}

TEST_P(MusicFile, EveryChannelHasItsInstrumentBeforeItsFirstNoteAndDrumsPlay) {
  std::set<int> programmed, playing;
  for (const Event& e : piece.events) {
    const int channel = e.status & 0x0F;
    if (e.status == 0xFF) continue;
    if ((e.status & 0xF0) == 0xC0) programmed.insert(channel);
    if (isNoteOn(e)) {
      EXPECT_TRUE(programmed.count(channel)) << "channel " << channel + 1 << " plays with no program";
      playing.insert(channel);
    }
  }
  EXPECT_TRUE(playing.count(9)) << "no drums on channel 10";
  EXPECT_GE(playing.size(), 4u) << "melody, harmony, bass and drums";
}

// A note still held at "E" would hang on through every repeat; one held across "S" would have
// its end replayed without its start. Nothing may sound across either marker, nor strike a pitch
// already sounding on its channel.
TEST_P(MusicFile, NotesAreBalancedWithinIntroAndBody) {
  ASSERT_LT(loopStart, loopEnd);
  std::map<std::pair<int, int>, int> sounding;
  auto allSilent = [&] {
    return std::all_of(sounding.begin(), sounding.end(), [](const auto& s) { return s.second == 0; });
  };
  for (std::size_t i = 0; i < piece.events.size(); ++i) {
    const Event& e = piece.events[i];
    if (i == loopStart) {
      EXPECT_TRUE(allSilent()) << "a note sounds across \"S\"";
    }
    if (i == loopEnd) {
      EXPECT_TRUE(allSilent()) << "a note sounds across \"E\"";
    }
    const std::pair key{e.status & 0x0F, int{e.data1}};
    if (isNoteOn(e)) {
      EXPECT_EQ(sounding[key]++, 0) << "pitch restruck while sounding at tick " << e.tick;
    }
    if (isNoteOff(e)) {
      EXPECT_EQ(sounding[key]--, 1) << "note-off without its note at tick " << e.tick;
    }
  }
  EXPECT_TRUE(allSilent());
  for (std::size_t i = loopEnd + 1; i < piece.events.size(); ++i)
    EXPECT_FALSE(isNoteOn(piece.events[i])) << "notes after \"E\" are never heard";
}

TEST_P(MusicFile, BodyIsWholeBarsOfFortyToNinetySeconds) {
  const std::uint32_t s = piece.events[loopStart].tick, e = piece.events[loopEnd].tick;
  EXPECT_EQ((e - s) % (4u * piece.division), 0u) << "the loop would jump mid-bar";
  const double seconds = secondsBetween(piece, s, e);
  EXPECT_GE(seconds, 40.0);
  EXPECT_LE(seconds, 90.0);
  EXPECT_LE(secondsBetween(piece, 0, e), 100.0);

  // A tempo change inside the body must be undone at its start, or each repeat runs at the
  // tempo the previous one ended with.
  const bool changesInBody = std::any_of(piece.events.begin() + static_cast<std::ptrdiff_t>(loopStart),
                                         piece.events.begin() + static_cast<std::ptrdiff_t>(loopEnd),
                                         [&](const Event& ev) { return isTempo(ev) && ev.tick > s; });
  if (changesInBody) {
    const bool setAtStart = std::any_of(piece.events.begin(), piece.events.end(),
                                        [&](const Event& ev) { return isTempo(ev) && ev.tick == s; });
    EXPECT_TRUE(setAtStart);
  }
}

struct StreamEvent {
  std::uint32_t delta;
  std::uint32_t word;
  bool operator==(const StreamEvent&) const = default;
};

// What the game's player hears: the track converted buffer by buffer with repeat on.
std::vector<StreamEvent> converted(const Bytes& file, std::size_t count) {
  const Bytes track(file.begin() + 22, file.end());
  quorel::TrackConverter converter;
  converter.start(track);
  std::vector<StreamEvent> events;
  quorel::StreamBuffer buffer{};
  while (events.size() < count) {
    const auto fill = converter.fill(buffer, true);
    EXPECT_FALSE(fill.pieceEnded);
    if (fill.pieceEnded) break;
    for (std::size_t at = 0; at + quorel::kStreamEventSize <= fill.bytesUsed;) {
      auto le32 = [&](std::size_t o) {
        return std::uint32_t{buffer[o]} | std::uint32_t{buffer[o + 1]} << 8 | std::uint32_t{buffer[o + 2]} << 16 |
               std::uint32_t{buffer[o + 3]} << 24;
      };
      const std::uint32_t word = le32(at + 8);
      events.push_back({le32(at), word});
      at += quorel::kStreamEventSize;
      if (word & quorel::kLongEvent) at += ((word & quorel::kEventParameterMask) + 3) / 4 * 4;
    }
  }
  return events;
}

// Through the player's own conversion, every pass of the body after the first is the same
// events at the same times, and one pass lasts exactly from "S" to "E".
TEST_P(MusicFile, ThePlayerLoopsTheBodySeamlessly) {
  auto played = [](const Event& e) { return e.status != 0xFF || (e.data1 == 0x51 && e.text.size() == 3); };
  const auto at = [&](std::size_t i) { return piece.events.begin() + static_cast<std::ptrdiff_t>(i); };
  const auto intro = static_cast<std::size_t>(std::count_if(at(0), at(loopStart), played));
  const auto body = static_cast<std::size_t>(std::count_if(at(loopStart), at(loopEnd), played));
  ASSERT_GT(body, 0u);
  const std::vector<StreamEvent> stream = converted(committed(GetParam()), intro + 3 * body);
  ASSERT_GE(stream.size(), intro + 3 * body);

  const auto pass = [&](std::size_t k) {
    return std::vector<StreamEvent>(stream.begin() + static_cast<std::ptrdiff_t>(intro + k * body),
                                    stream.begin() + static_cast<std::ptrdiff_t>(intro + (k + 1) * body));
  };
  EXPECT_EQ(pass(1), pass(2));
  // The second pass's first delta carries the gap from the last event before "E" to the marker;
  // from there on the pass matches the first one.
  std::vector<StreamEvent> first = pass(0), second = pass(1);
  EXPECT_TRUE(std::equal(first.begin() + 1, first.end(), second.begin() + 1));

  std::uint64_t ticks = 0;
  for (const StreamEvent& e : second) ticks += e.delta;
  EXPECT_EQ(ticks, std::uint64_t{piece.events[loopEnd].tick - piece.events[loopStart].tick});
}

std::string pieceName(const ::testing::TestParamInfo<const char*>& piece) { return std::string(piece.param).substr(0, 5); }
INSTANTIATE_TEST_SUITE_P(Bgm, MusicFile, ::testing::ValuesIn(kPieces), pieceName);

// The committed music is the composer's output, byte for byte: a change to musicgen must come
// with the files it writes.
TEST(MusicFiles, CommittedCopiesEqualWhatMusicgenWrites) {
  for (const char* name : kPieces) {
    SCOPED_TRACE(name);
    const Bytes generated = readFile(std::filesystem::path(QUOREL_BINARY_DIR) / "musicgen" / name);
    ASSERT_FALSE(generated.empty()) << "musicgen has not run in this build";
    EXPECT_TRUE(committed(name) == generated) << "run musicgen and commit bgm/";
  }
}

}  // namespace
