// Writes the seed corpora of the fuzz targets: `seed_corpus OUT` fills OUT/<target>/ with a few
// small, valid inputs of each kind (the fuzzer damages them from there). They are made here
// rather than committed so that they follow the formats' writers.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/stage_set.h"
#include "game/resources/resources.h"
#include "game/shell/settings.h"

namespace quorel {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

void writeSeed(const fs::path& folder, const std::string& name, std::span<const std::uint8_t> bytes) {
  fs::create_directories(folder);
  std::ofstream(folder / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void writeSeed(const fs::path& folder, const std::string& name, std::string_view text) {
  writeSeed(folder, name, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

Bytes readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void putLe16(Bytes& b, unsigned v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void putLe32(Bytes& b, std::uint32_t v) {
  putLe16(b, v & 0xFFFF);
  putLe16(b, v >> 16);
}
void putBe16(Bytes& b, unsigned v) {
  b.push_back(static_cast<std::uint8_t>(v >> 8));
  b.push_back(static_cast<std::uint8_t>(v));
}
void putBe32(Bytes& b, std::uint32_t v) {
  putBe16(b, v >> 16);
  putBe16(b, v & 0xFFFF);
}
void putText(Bytes& b, std::string_view text) { b.insert(b.end(), text.begin(), text.end()); }
void append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }

// --- stage sets ---

template <std::size_t Slots>
std::string stageText(const StageSlots<Slots>& set, std::string_view lineEnd) {
  std::string text;
  for (const std::string& line : stageSetLines(set)) {
    text += line;
    text += lineEnd;
  }
  return text;
}

// A walled room with a few blocks, different in each stage.
EditorStageSlots editorSet(int stages) {
  EditorStageSlots set;
  set.stageLimit = stages + 1;
  set.designer = "SEED";
  for (int s = 1; s <= stages; ++s) {
    const auto slot = static_cast<std::size_t>(s);
    for (int x = 0; x < kBoardColumns; ++x) {
      for (int y = 0; y < kBoardRows; ++y) {
        const bool edge = x == 0 || y == 0 || x == kBoardColumns - 1 || y == kBoardRows - 1;
        set.board[slot][static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] = edge ? kWall : kFloor;
      }
    }
    set.board[slot][5][5] = blockCode(1 + s % 25);
    set.board[slot][7][5] = blockCode(2 + s % 24);
    set.board[slot][9][9] = kHighestCode;
    set.startX[slot] = 2;
    set.startY[slot] = 3;
    set.ngNumber[slot] = 1 + s % 25;
  }
  return set;
}

void stageSeeds(const fs::path& folder) {
  const auto builtIn = resources::find("TEXT", "STAGES");
  writeSeed(folder, "built_in.txt", builtIn);
  writeSeed(folder, "one_stage.qrl", stageText(editorSet(1), "\r\n"));
  writeSeed(folder, "thirty_stages.qrl", stageText(editorSet(30), "\n"));
  writeSeed(folder, "cr_line_ends.qrl", stageText(editorSet(2), "\r"));
}

// --- settings and record files ---

void iniSeeds(const fs::path& folder) {
  fs::create_directories(folder);
  Settings settings;
  settings.minRecord[1] = 12;
  settings.minRecord[2] = 20;
  settings.minRecord[3] = 31;
  settings.continueValue = 4;
  settings.gameWait = 16;
  writeSettingsFile((folder / "quorel.dat").string(), settings);

  UserRecords records;
  records.userMinRecord[1] = 7;
  records.userContinue = 2;
  writeUserRecords((folder / "castle.dat").string(), 6, records);

  writeSeed(folder, "hand_edited.dat",
            "\xEF\xBB\xBF; edited by hand\n[config]\n bgm = 0x0\nGAMEWAIT=+250\nBIT = 0x20\n\n"
            "[MINIMUM]\nSTAGE1=12\nSTAGE1=13\n[CONFIG]\nSUM=6913\r\n");
}

// --- pictures ---

Bytes bitmapFile(int width, int height, unsigned bits, const Bytes& palette, const Bytes& pixels,
                 std::uint32_t infoSize = 40) {
  Bytes info;
  putLe32(info, infoSize);
  putLe32(info, static_cast<std::uint32_t>(width));
  putLe32(info, static_cast<std::uint32_t>(height));
  putLe16(info, 1);
  putLe16(info, bits);
  putLe32(info, 0);  // uncompressed
  putLe32(info, static_cast<std::uint32_t>(pixels.size()));
  putLe32(info, 2835);
  putLe32(info, 2835);
  putLe32(info, static_cast<std::uint32_t>(palette.size() / 4));
  putLe32(info, 0);
  info.resize(infoSize, 0);

  Bytes file;
  putText(file, "BM");
  const auto pixelOffset = static_cast<std::uint32_t>(14 + info.size() + palette.size());
  putLe32(file, pixelOffset + static_cast<std::uint32_t>(pixels.size()));
  putLe32(file, 0);
  putLe32(file, pixelOffset);
  append(file, info);
  append(file, palette);
  append(file, pixels);
  return file;
}

void bitmapSeeds(const fs::path& folder) {
  const Bytes palette = {0, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 0, 0, 255, 0, 0};
  // 3 x 2, rows padded to 4 bytes.
  writeSeed(folder, "palette_bottom_up.bmp", bitmapFile(3, 2, 8, palette, {0, 1, 2, 0, 3, 2, 1, 0}));
  const Bytes rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0};
  writeSeed(folder, "rgb_top_down.bmp", bitmapFile(3, -2, 24, {}, rgb));
  writeSeed(folder, "rgb_v4_header.bmp", bitmapFile(3, 2, 24, {}, rgb, 108));
}

// --- sounds ---

Bytes riffWave(const std::vector<std::pair<std::string, Bytes>>& chunks) {
  Bytes inner;
  putText(inner, "WAVE");
  for (const auto& [id, body] : chunks) {
    putText(inner, id);
    putLe32(inner, static_cast<std::uint32_t>(body.size()));
    append(inner, body);
    if (body.size() % 2) inner.push_back(0);
  }
  Bytes file;
  putText(file, "RIFF");
  putLe32(file, static_cast<std::uint32_t>(inner.size()));
  append(file, inner);
  return file;
}

Bytes formatChunk(unsigned channels, unsigned bits, std::uint32_t rate) {
  Bytes b;
  putLe16(b, 1);
  putLe16(b, channels);
  putLe32(b, rate);
  putLe32(b, rate * channels * bits / 8);
  putLe16(b, channels * bits / 8);
  putLe16(b, bits);
  return b;
}

void waveSeeds(const fs::path& folder) {
  writeSeed(folder, "mono16.wav",
            riffWave({{"LIST", {'I', 'N', 'F', 'O', 1}},
                      {"fmt ", formatChunk(1, 16, 22050)},
                      {"data", {0x00, 0x10, 0x00, 0xF0, 0xFF, 0x7F, 0x00, 0x80}}}));
  writeSeed(folder, "stereo8.wav", riffWave({{"fmt ", formatChunk(2, 8, 11025)}, {"data", {128, 0, 255, 128, 64}}}));
}

// --- music ---

Bytes midiFile(std::uint16_t division, const Bytes& track) {
  Bytes b;
  putText(b, "MThd");
  putBe32(b, 6);
  putBe16(b, 0);
  putBe16(b, 1);
  putBe16(b, division);
  putText(b, "MTrk");
  putBe32(b, static_cast<std::uint32_t>(track.size()));
  append(b, track);
  return b;
}

// Tempo, a program change, the loop start, notes with running status, system exclusive
// messages, the loop end and the end of the track.
Bytes smallTrack() {
  Bytes track = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xC0, 0x05, 0x00, 0xFF, 0x06, 0x01, 'S'};
  for (std::uint8_t key = 60; key < 64; ++key) append(track, {0x10, 0x90, key, 0x40, 0x10, key, 0x00});
  append(track, {0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7, 0x00, 0xF7, 0x01, 0x00});
  append(track, {0x05, 0xFF, 0x06, 0x01, 'E', 0x00, 0xFF, 0x2F, 0x00});
  return track;
}

// The track of a format 0 file, as the player reads it.
Bytes trackOf(const Bytes& file) {
  constexpr std::size_t kTrackStart = 22;
  if (file.size() < kTrackStart) return {};
  return Bytes(file.begin() + kTrackStart, file.end());
}

void musicSeeds(const fs::path& fileFolder, const fs::path& trackFolder) {
  // The track target takes its division and repeat switch from the last three bytes.
  const Bytes tail = {0x01, 0x00, 0x60};
  Bytes small = smallTrack();
  writeSeed(fileFolder, "small.mid", midiFile(96, small));
  append(small, tail);
  writeSeed(trackFolder, "small.trk", small);
  for (const char* name : {"bgm01.mid", "bgm02.mid", "bgm03.mid"}) {
    const Bytes file = readFile(fs::path(QUOREL_SOURCE_DIR) / "bgm" / name);
    if (file.empty()) continue;
    writeSeed(fileFolder, name, file);
    Bytes track = trackOf(file);
    append(track, tail);
    writeSeed(trackFolder, std::string(name) + ".trk", track);
  }
}

// The smallest picture and sound the game embeds, as assetgen makes them.
void smallestResource(std::string_view type, const fs::path& folder, const std::string& name) {
  const resources::Resource* smallest = nullptr;
  for (std::size_t i = 0; i < resources::kResourceCount; ++i) {
    const resources::Resource& r = resources::kResources[i];
    if (type == r.type && (!smallest || r.size < smallest->size)) smallest = &r;
  }
  if (smallest) writeSeed(folder, name, std::span(smallest->data, smallest->size));
}

}  // namespace
}  // namespace quorel

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: seed_corpus OUT_FOLDER\n";
    return 2;
  }
  const std::filesystem::path out = argv[1];
  quorel::stageSeeds(out / "fuzz_stage_set");
  quorel::iniSeeds(out / "fuzz_ini");
  quorel::iniSeeds(out / "fuzz_settings");
  quorel::bitmapSeeds(out / "fuzz_bitmap");
  quorel::smallestResource("BITMAP", out / "fuzz_bitmap", "smallest_resource.bmp");
  quorel::waveSeeds(out / "fuzz_wave");
  quorel::smallestResource("WAVE", out / "fuzz_wave", "smallest_resource.wav");
  quorel::musicSeeds(out / "fuzz_midi_file", out / "fuzz_midi_track");
  return 0;
}
