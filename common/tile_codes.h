#pragma once
// Tile codes of a Board cell and the characters that stand for them in a stage file.
#include <optional>

namespace quorel {

inline constexpr int kBoardColumns = 20;
inline constexpr int kBoardRows = 14;
inline constexpr int kBoardCells = kBoardColumns * kBoardRows;  // 280 characters per grid line

inline constexpr int kFloor = 0;
inline constexpr int kWall = 1;
inline constexpr int kFirstBlockCode = 11;  // value 1, "A"
inline constexpr int kLastPlacedBlockCode = 35;  // value 25, "Y": the highest the editor places
inline constexpr int kHighestCode = 36;  // "Z", value 26: loaded, never placed

constexpr bool isBlock(int code) { return code > 10; }
constexpr int blockValue(int code) { return code - 10; }
constexpr int blockCode(int value) { return value + 10; }

// "0".."9" give 0..9, "A".."Z" give 11..36; anything else is not a grid character.
std::optional<int> tileCodeOf(char c);
// The character written for a code: the digit for 0..9, the letter (code + 54) for 11..36.
char tileCharOf(int code);

}  // namespace quorel
