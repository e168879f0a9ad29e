#include <gtest/gtest.h>

#include "game/presentation/midi_convert.h"
#include "tests/audio/audio_fixtures.h"

namespace quorel {
namespace {

using test::Bytes;

Bytes record(std::uint32_t delta, std::uint32_t word, const Bytes& parameters = {}) {
  Bytes b;
  test::putLe32(b, delta);
  test::putLe32(b, 0);
  test::putLe32(b, word);
  test::append(b, parameters);
  return b;
}

Bytes concat(std::initializer_list<Bytes> parts) {
  Bytes b;
  for (const Bytes& p : parts) test::append(b, p);
  return b;
}

Bytes repeated(std::uint8_t value, std::size_t count) { return Bytes(count, value); }

struct Converted {
  Bytes bytes;
  bool pieceEnded;
};

// Runs one fill and returns the recorded bytes of the buffer.
Converted fillOnce(TrackConverter& converter, bool repeat) {
  StreamBuffer buffer{};
  const TrackConverter::Fill fill = converter.fill(buffer, repeat);
  return {Bytes(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(fill.bytesUsed)), fill.pieceEnded};
}

const Bytes kEndOfTrack = {0xFF, 0x2F, 0x00};

struct FillCase {
  const char* name;
  Bytes track;
  Bytes expected;  // the first buffer
  bool pieceEnded;
};

std::vector<FillCase> fillCases() {
  return {
      {"channel messages with running status, through a meta event",
       concat({{0x00, 0x90, 0x3C, 0x64},
               {0x10, 0x3E, 0x64},                    // running status 0x90
               {0x10, 0xFF, 0x01, 0x03, 'a', 'b', 'c'},  // text: skipped, its delta carried
               {0x05, 0x40, 0x64},                    // still 0x90 after the meta event
               {0x00, 0xC1, 0x05},                    // program change: one data byte
               {0x00, 0x0A},                          // running status 0xC1
               {0x00, 0xE2, 0x00, 0x40},              // pitch bend: two data bytes
               {0x00}, kEndOfTrack}),
       concat({record(0x00, 0x643C90), record(0x10, 0x643E90), record(0x15, 0x644090), record(0, 0x05C1),
               record(0, 0x0AC1), record(0, 0x4000E2)}),
       true},
      {"a data byte first plays with the starting status 0x80",
       concat({{0x00, 0x3C, 0x40, 0x00}, kEndOfTrack}), record(0, 0x403C80), true},
      {"system exclusive F0 and F7, padded to four bytes",
       concat({{0x00, 0xF0, 0x03, 0x43, 0x10, 0x4C},        // 3 + the F0: 4, no padding
               {0x01, 0xF0, 0x04, 0x41, 0x10, 0x42, 0xF7},  // 5 bytes, padded to 8
               {0x02, 0xF7, 0x02, 0x7E, 0x7F},              // 2 bytes, padded to 4
               {0x03, 0xF7, 0x00},                          // nothing at all
               {0x00}, kEndOfTrack}),
       concat({record(0, 0x80000004, {0xF0, 0x43, 0x10, 0x4C}),
               record(1, 0x80000005, {0xF0, 0x41, 0x10, 0x42, 0xF7, 0, 0, 0}),
               record(2, 0x80000002, {0x7E, 0x7F, 0, 0}), record(3, 0x80000000)}),
       true},
      {"tempo", concat({{0x07, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}, {0x00}, kEndOfTrack}),
       record(7, 0x01000000 + 0x07A120), true},
      {"a skipped meta event's delta carried to the next event",
       concat({{0x00, 0x90, 0x3C, 0x64}, {0x20, 0xFF, 0x03, 0x00}, {0x30, 0x80, 0x3C, 0x00}, {0x00}, kEndOfTrack}),
       concat({record(0, 0x643C90), record(0x50, 0x003C80)}), true},
      {"a multi-byte delta", concat({{0x81, 0x80, 0x00, 0x90, 0x3C, 0x64}, {0x00}, kEndOfTrack}),
       record(0x4000, 0x643C90), true},
      {"a sysex too long for any buffer is skipped, its delta carried",
       concat({{0x10, 0xF0}, test::vlq(987), repeated(0x11, 987), {0x05, 0x90, 0x3C, 0x64}, {0x00}, kEndOfTrack}),
       record(0x15, 0x643C90), true},
      {"an unsupported status ends the piece; what came before still plays",
       concat({{0x00, 0x90, 0x3C, 0x64}, {0x00, 0xF1, 0x00}, {0x00}, kEndOfTrack}), record(0, 0x643C90), true},
  };
}

TEST(TrackConverter, ConvertsEventsByteForByte) {
  for (const FillCase& c : fillCases()) {
    SCOPED_TRACE(c.name);
    TrackConverter converter;
    converter.start(c.track);
    const Converted first = fillOnce(converter, false);
    EXPECT_EQ(first.bytes, c.expected);
    EXPECT_EQ(first.pieceEnded, c.pieceEnded);
  }
}

TEST(TrackConverter, AFullBufferCarriesItsEventToTheNextFill) {
  // 84 notes: 83 fit (996 bytes), the 84th waits with its pending time.
  Bytes track;
  for (int i = 0; i < 84; ++i) test::append(track, {0x01, 0x90, static_cast<std::uint8_t>(i), 0x64});
  test::append(track, {0x00});
  test::append(track, kEndOfTrack);
  TrackConverter converter;
  converter.start(track);
  const Converted first = fillOnce(converter, false);
  EXPECT_EQ(first.bytes.size(), 996u);
  EXPECT_FALSE(first.pieceEnded);
  EXPECT_EQ(Bytes(first.bytes.end() - 12, first.bytes.end()), record(1, 0x645290));
  const Converted second = fillOnce(converter, false);
  EXPECT_EQ(second.bytes, record(1, 0x645390));
  EXPECT_TRUE(second.pieceEnded);
}

TEST(TrackConverter, ASysexThatDoesNotFitWaitsWholeForTheNextBuffer) {
  // 983 bytes + F0 = 984 padded, a 996-byte record: it fits only an empty buffer.
  const Bytes sysex = concat({{0xF0}, test::vlq(983), repeated(0x22, 983)});
  const Bytes track = concat({{0x00, 0x90, 0x3C, 0x64}, {0x09}, sysex, {0x00}, kEndOfTrack});
  TrackConverter converter;
  converter.start(track);
  EXPECT_EQ(fillOnce(converter, false).bytes, record(0, 0x643C90));
  const Converted second = fillOnce(converter, false);
  ASSERT_EQ(second.bytes.size(), 996u);
  EXPECT_EQ(Bytes(second.bytes.begin(), second.bytes.begin() + 13), concat({record(9, 0x80000000 + 984), {0xF0}}));
  EXPECT_EQ(second.bytes.back(), 0x22);
}

// --- looping ---

const Bytes kLoopingTrack = concat({{0x10, 0x90, 0x3C, 0x64}, {0x20, 0x80, 0x3C, 0x00}, {0x30}, kEndOfTrack});

TEST(TrackConverter, RepeatRestartsAtTheFirstEventWhichWaitsTheEndOfTracksDelta) {
  TrackConverter converter;
  converter.start(kLoopingTrack);
  const Bytes pass = concat({record(0x10, 0x643C90), record(0x20, 0x3C80)});
  EXPECT_EQ(fillOnce(converter, true).bytes, pass);
  const Bytes again = concat({record(0x30, 0x643C90), record(0x20, 0x3C80)});
  for (int i = 0; i < 3; ++i) {
    const Converted next = fillOnce(converter, true);
    EXPECT_EQ(next.bytes, again);
    EXPECT_FALSE(next.pieceEnded);
  }
}

TEST(TrackConverter, WithoutRepeatTheEndOfTrackEndsThePieceForGood) {
  TrackConverter converter;
  converter.start(kLoopingTrack);
  EXPECT_TRUE(fillOnce(converter, false).pieceEnded);
  const Converted after = fillOnce(converter, false);
  EXPECT_TRUE(after.bytes.empty());
  EXPECT_TRUE(after.pieceEnded);
}

const Bytes kMarkedTrack = concat({{0x00, 0xC0, 0x01},              // program change: before "S"
                                   {0x00, 0xFF, 0x06, 0x01, 'S'},
                                   {0x10, 0x90, 0x3C, 0x64},
                                   {0x10, 0x80, 0x3C, 0x00},
                                   {0x05, 0xFF, 0x06, 0x01, 'E'},
                                   {0x07, 0x90, 0x40, 0x64},  // after "E": only without repeat
                                   {0x00}, kEndOfTrack});

TEST(TrackConverter, StartAndEndMarkersRepeatOnlyTheMiddle) {
  TrackConverter converter;
  converter.start(kMarkedTrack);
  EXPECT_EQ(fillOnce(converter, true).bytes, concat({record(0, 0x01C0), record(0x10, 0x643C90), record(0x10, 0x3C80)}));
  // From "S" again: the first note waits the "E" marker's delta plus its own.
  const Bytes middle = concat({record(0x15, 0x643C90), record(0x10, 0x3C80)});
  EXPECT_EQ(fillOnce(converter, true).bytes, middle);
  EXPECT_EQ(fillOnce(converter, true).bytes, middle);
}

TEST(TrackConverter, WithoutRepeatTheEndMarkerIsIgnored) {
  TrackConverter converter;
  converter.start(kMarkedTrack);
  const Converted all = fillOnce(converter, false);
  EXPECT_EQ(all.bytes, concat({record(0, 0x01C0), record(0x10, 0x643C90), record(0x10, 0x3C80), record(0x0C, 0x644090)}));
  EXPECT_TRUE(all.pieceEnded);
}

// --- damaged tracks ---

TEST(TrackConverter, ReadsPastTheTrackEndEndThePieceForGood) {
  const Bytes note = {0x00, 0x90, 0x3C, 0x64};
  struct Broken {
    const char* name;
    Bytes track;
    std::size_t bytesBeforeTheBreak;
  };
  const std::vector<Broken> cases = {
      {"empty track", {}, 0},
      {"first delta cut", {0x81}, 0},
      {"status missing", concat({note, {0x00}}), 12},
      {"no delta after the last event", note, 12},
      {"channel message cut", concat({note, {0x00, 0x90, 0x3C}}), 12},
      {"running status message cut", concat({note, {0x00, 0x3C}}), 12},
      {"sysex longer than the track", concat({note, {0x00, 0xF0, 0x10, 0x01}}), 12},
      {"sysex length cut", concat({note, {0x00, 0xF0, 0x81}}), 12},
      {"meta type missing", concat({note, {0x00, 0xFF}}), 12},
      {"meta longer than the track", concat({note, {0x00, 0xFF, 0x01, 0x7F, 'x'}}), 12},
      {"huge meta length", concat({note, {0x00, 0xFF, 0x01, 0xFF, 0xFF, 0xFF, 0x7F}}), 12},
  };
  for (const Broken& c : cases) {
    SCOPED_TRACE(c.name);
    TrackConverter converter;
    converter.start(c.track);
    const Converted first = fillOnce(converter, true);
    EXPECT_EQ(first.bytes.size(), c.bytesBeforeTheBreak);
    EXPECT_TRUE(first.pieceEnded);
    const Converted second = fillOnce(converter, true);
    EXPECT_TRUE(second.bytes.empty());
    EXPECT_TRUE(second.pieceEnded);
  }
}

TEST(TrackConverter, AShortTempoEventIsSkipped) {
  const Bytes track = concat({{0x00, 0xFF, 0x51, 0x01, 0x07}, {0x04, 0x90, 0x3C, 0x64}, {0x00}, kEndOfTrack});
  TrackConverter converter;
  converter.start(track);
  EXPECT_EQ(fillOnce(converter, false).bytes, record(4, 0x643C90));
}

}  // namespace
}  // namespace quorel
