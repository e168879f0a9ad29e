#pragma once
// A position packed into a few words, for the transposition table: one bit per block cell of the
// Layout, then the values in the order of their cells, then the player's cell.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>

#include "solver/layout.h"
#include "solver/position.h"

namespace quorel::solver {

class Codec {
 public:
  static constexpr int kPlayerBits = 9;
  static constexpr int kValueBits = 5;

  explicit Codec(const Layout& layout)
      : layout_(layout),
        slots_(layout.blockCellCount()),
        maxBlocks_(static_cast<int>(layout.initialBlocks().size())),
        words_((slots_ + kValueBits * maxBlocks_ + kPlayerBits + 63) / 64) {}

  int words() const { return words_; }

  void encode(const Position& p, std::uint64_t* key) const {
    std::fill(key, key + words_, 0);
    for (int i = 0; i < p.count; ++i) setBits(key, layout_.blockSlot(p.cell[i]), 1, 1);
    int at = slots_;
    for (int i = 0; i < p.count; ++i, at += kValueBits) setBits(key, at, kValueBits, static_cast<unsigned>(p.value[i]));
    setBits(key, slots_ + kValueBits * maxBlocks_, kPlayerBits, static_cast<unsigned>(p.player));
  }

  void decode(const std::uint64_t* key, Position& p) const {
    p.count = 0;
    for (int w = 0; w * 64 < slots_; ++w) {
      std::uint64_t bits = key[w];
      if (slots_ - w * 64 < 64) bits &= (std::uint64_t{1} << (slots_ - w * 64)) - 1;
      while (bits != 0) {
        const int slot = w * 64 + std::countr_zero(bits);
        bits &= bits - 1;
        p.cell[p.count++] = static_cast<std::int16_t>(layout_.blockCell(slot));
      }
    }
    int at = slots_;
    for (int i = 0; i < p.count; ++i, at += kValueBits) p.value[i] = static_cast<std::int8_t>(getBits(key, at, kValueBits));
    p.player = static_cast<int>(getBits(key, slots_ + kValueBits * maxBlocks_, kPlayerBits));
  }

  // The packed words as a string, for the searches' tables of positions seen.
  std::string key(const Position& p) const {
    std::string packed(sizeof(std::uint64_t) * static_cast<std::size_t>(words_), '\0');
    encode(p, reinterpret_cast<std::uint64_t*>(packed.data()));
    return packed;
  }
  void decode(const std::string& packed, Position& p) const { decode(reinterpret_cast<const std::uint64_t*>(packed.data()), p); }

  std::uint64_t hash(const std::uint64_t* key) const {
    std::uint64_t h = 0x243f6a8885a308d3ULL;
    for (int i = 0; i < words_; ++i) {
      h = (h ^ key[i]) * 0x9e3779b97f4a7c15ULL;
      h ^= h >> 31;
    }
    h *= 0xbf58476d1ce4e5b9ULL;
    return h ^ (h >> 29);
  }

 private:
  static void setBits(std::uint64_t* key, int at, int width, unsigned v) {
    const std::uint64_t value = v;
    key[at >> 6] |= value << (at & 63);
    if ((at & 63) + width > 64) key[(at >> 6) + 1] |= value >> (64 - (at & 63));
  }
  static unsigned getBits(const std::uint64_t* key, int at, int width) {
    std::uint64_t v = key[at >> 6] >> (at & 63);
    if ((at & 63) + width > 64) v |= key[(at >> 6) + 1] << (64 - (at & 63));
    return static_cast<unsigned>(v & ((std::uint64_t{1} << width) - 1));
  }

  const Layout& layout_;
  int slots_;
  int maxBlocks_;
  int words_;
};


}  // namespace quorel::solver
