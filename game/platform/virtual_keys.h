#pragma once
// The Windows virtual-key codes by which the game names its keys, in one place. The OEM keys
// are named as Windows names them; the comment gives the sign they carry on the Japanese
// 106-key layout, whose places the game's keys follow.

namespace quorel::vk {

inline constexpr int kBack = 0x08;
inline constexpr int kTab = 0x09;
inline constexpr int kReturn = 0x0D;  // Enter, the main one and the keypad's
inline constexpr int kShift = 0x10;
inline constexpr int kControl = 0x11;
inline constexpr int kMenu = 0x12;  // Alt
inline constexpr int kPause = 0x13;
inline constexpr int kCapital = 0x14;
inline constexpr int kEscape = 0x1B;
inline constexpr int kConvert = 0x1C;     // 変換
inline constexpr int kNonConvert = 0x1D;  // 無変換
inline constexpr int kSpace = 0x20;
inline constexpr int kPrior = 0x21;  // Page Up
inline constexpr int kNext = 0x22;   // Page Down
inline constexpr int kEnd = 0x23;
inline constexpr int kHome = 0x24;
inline constexpr int kLeft = 0x25;
inline constexpr int kUp = 0x26;
inline constexpr int kRight = 0x27;
inline constexpr int kDown = 0x28;
inline constexpr int kSnapshot = 0x2C;  // Print Screen
inline constexpr int kInsert = 0x2D;
inline constexpr int kDelete = 0x2E;
constexpr int digit(int n) { return 0x30 + n; }  // the digit keys 0 to 9 of the main block
constexpr int letter(char c) { return c; }       // the letter keys, 'A' to 'Z'
inline constexpr int kLeftWindows = 0x5B;
inline constexpr int kRightWindows = 0x5C;
inline constexpr int kApps = 0x5D;
constexpr int numpad(int n) { return 0x60 + n; }  // keypad digits 0 to 9
inline constexpr int kMultiply = 0x6A;
inline constexpr int kAdd = 0x6B;
inline constexpr int kSubtract = 0x6D;
inline constexpr int kDecimal = 0x6E;
inline constexpr int kDivide = 0x6F;
constexpr int functionKey(int n) { return 0x6F + n; }  // F1 to F12
inline constexpr int kF5 = functionKey(5);
inline constexpr int kF9 = functionKey(9);
inline constexpr int kNumLock = 0x90;
inline constexpr int kScroll = 0x91;
inline constexpr int kOem1 = 0xBA;       // ":"
inline constexpr int kOemPlus = 0xBB;    // ";"
inline constexpr int kOemComma = 0xBC;   // ","
inline constexpr int kOemMinus = 0xBD;   // "-"
inline constexpr int kOemPeriod = 0xBE;  // "."
inline constexpr int kOem2 = 0xBF;       // "/"
inline constexpr int kOem3 = 0xC0;       // "@"
inline constexpr int kOem4 = 0xDB;       // "["
inline constexpr int kOem5 = 0xDC;       // "¥"
inline constexpr int kOem6 = 0xDD;       // "]"
inline constexpr int kOem7 = 0xDE;       // "^"
inline constexpr int kOem102 = 0xE2;     // "\" (ろ)

}  // namespace quorel::vk
