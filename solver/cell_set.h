#pragma once
// A set of Board cells as bits, one row per 32 bits so that a whole set grows by one step in
// each direction with a few shifts: the player's reachable area is a flood fill of these.
#include <array>
#include <bit>
#include <cstdint>

#include "common/tile_codes.h"

namespace quorel::solver {

inline constexpr int kRowStride = 32;
inline constexpr int kCellSetWords = (kBoardRows * kRowStride + 63) / 64;

constexpr int cellBit(int x, int y) { return y * kRowStride + x; }

struct CellSet {
  std::array<std::uint64_t, kCellSetWords> words{};

  bool has(int bit) const { return (words[bit >> 6] >> (bit & 63)) & 1U; }
  void add(int bit) { words[bit >> 6] |= std::uint64_t{1} << (bit & 63); }
  void remove(int bit) { words[bit >> 6] &= ~(std::uint64_t{1} << (bit & 63)); }
  bool empty() const {
    for (const auto w : words) {
      if (w != 0) return false;
    }
    return true;
  }
  // The lowest bit; the set must not be empty.
  int first() const {
    for (int i = 0; i < kCellSetWords; ++i) {
      if (words[i] != 0) return i * 64 + std::countr_zero(words[i]);
    }
    return -1;
  }
  bool intersects(const CellSet& other) const {
    for (int i = 0; i < kCellSetWords; ++i) {
      if ((words[i] & other.words[i]) != 0) return true;
    }
    return false;
  }
  CellSet operator&(const CellSet& other) const {
    CellSet out;
    for (int i = 0; i < kCellSetWords; ++i) out.words[i] = words[i] & other.words[i];
    return out;
  }
  CellSet operator|(const CellSet& other) const {
    CellSet out;
    for (int i = 0; i < kCellSetWords; ++i) out.words[i] = words[i] | other.words[i];
    return out;
  }
  bool operator==(const CellSet&) const = default;
};

// Spreads the bits of `from` along their rows over the runs of set bits of `open`, both ways.
// A row is a 32-bit lane whose columns past the Board's edge are clear in `open`, so a run never
// crosses into the next row.
inline std::uint64_t spreadAlongRows(std::uint64_t from, std::uint64_t open) {
  std::uint64_t up = from, run = open;
  up |= run & (up << 1);
  run &= run << 1;
  up |= run & (up << 2);
  run &= run << 2;
  up |= run & (up << 4);
  run &= run << 4;
  up |= run & (up << 8);
  run &= run << 8;
  up |= run & (up << 16);
  std::uint64_t down = up;
  run = open;
  down |= run & (down >> 1);
  run &= run >> 1;
  down |= run & (down >> 2);
  run &= run >> 2;
  down |= run & (down >> 4);
  run &= run >> 4;
  down |= run & (down >> 8);
  run &= run >> 8;
  down |= run & (down >> 16);
  return down;
}

// The cells of `open` connected to `seed` through steps between 4-neighbours. The columns past
// the Board's right edge must be clear in `open`.
inline CellSet floodFill(const CellSet& seed, const CellSet& open) {
  CellSet area = seed & open;
  for (;;) {
    for (int i = 0; i < kCellSetWords; ++i) area.words[i] = spreadAlongRows(area.words[i], open.words[i]);
    CellSet grown = area;
    for (int i = 0; i < kCellSetWords; ++i) {
      const std::uint64_t w = area.words[i];
      const std::uint64_t previous = i > 0 ? area.words[i - 1] : 0;
      const std::uint64_t next = i + 1 < kCellSetWords ? area.words[i + 1] : 0;
      grown.words[i] |= (w << kRowStride) | (previous >> kRowStride);  // one row down
      grown.words[i] |= (w >> kRowStride) | (next << kRowStride);      // one row up
    }
    grown = grown & open;
    if (grown == area) return area;
    area = grown;
  }
}

}  // namespace quorel::solver
