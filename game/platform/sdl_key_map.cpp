// The key places. SDL names a scancode after the key at that place on a US board; the game names
// its keys by the Windows virtual-key codes that the Japanese 106-key layout gives them. Where the
// two boards print different signs on a key, the JIS sign is in the comment.
//
//   JIS key (sign)        US key at that place      SDL scancode                  virtual key
//   "-" (ほ)              "-"                       MINUS                         VK_OEM_MINUS 0xBD
//   "^" (へ)              "="                       EQUALS                        VK_OEM_7     0xDE
//   "¥" (ー)              (none: extra key)         INTERNATIONAL3                VK_OEM_5     0xDC
//   "@" (゛)              "["                       LEFTBRACKET                   VK_OEM_3     0xC0
//   "[" (゜)              "]"                       RIGHTBRACKET                  VK_OEM_4     0xDB
//   ";" (れ)              ";"                       SEMICOLON                     VK_OEM_PLUS  0xBB
//   ":" (け)              "'"                       APOSTROPHE                    VK_OEM_1     0xBA
//   "]" (む)              "\" (ISO "#")             BACKSLASH, NONUSHASH          VK_OEM_6     0xDD
//   "/" (め)              "/"                       SLASH                         VK_OEM_2     0xBF
//   "\" (ろ)              (none; ISO "\" left of Z) INTERNATIONAL1, NONUSBACKSLASH VK_OEM_102  0xE2
//
// The JIS "]" key sends the same place as the US "\" key (Linux reports both as BACKSLASH); an ISO
// board has its "#" key there instead. The JIS "\ ろ" key is an extra key at the right of the
// bottom letter row; on ISO boards the extra bottom-row key, left of Z, gives VK_OEM_102 as well.
// Keypad digits are reported as keypad digits whatever Num Lock says, as Windows does with Num
// Lock on; the game reads them as directions either way.
#include "game/platform/sdl_key_map.h"

#include <SDL.h>

#include <algorithm>
#include <iterator>

#include "game/platform/virtual_keys.h"

namespace quorel::platform {

namespace {

constexpr KeyPlace kKeyPlaces[] = {
    {SDL_SCANCODE_BACKSPACE, vk::kBack},
    {SDL_SCANCODE_TAB, vk::kTab},
    {SDL_SCANCODE_RETURN, vk::kReturn},
    {SDL_SCANCODE_KP_ENTER, vk::kReturn},
    {SDL_SCANCODE_LSHIFT, vk::kShift},
    {SDL_SCANCODE_RSHIFT, vk::kShift},
    {SDL_SCANCODE_LCTRL, vk::kControl},
    {SDL_SCANCODE_RCTRL, vk::kControl},
    {SDL_SCANCODE_LALT, vk::kMenu},
    {SDL_SCANCODE_RALT, vk::kMenu},
    {SDL_SCANCODE_PAUSE, vk::kPause},
    {SDL_SCANCODE_CAPSLOCK, vk::kCapital},
    {SDL_SCANCODE_ESCAPE, vk::kEscape},
    {SDL_SCANCODE_INTERNATIONAL4, vk::kConvert},  // 変換
    {SDL_SCANCODE_INTERNATIONAL5, vk::kNonConvert},  // 無変換
    {SDL_SCANCODE_SPACE, vk::kSpace},
    {SDL_SCANCODE_PAGEUP, vk::kPrior},
    {SDL_SCANCODE_PAGEDOWN, vk::kNext},
    {SDL_SCANCODE_END, vk::kEnd},
    {SDL_SCANCODE_HOME, vk::kHome},
    {SDL_SCANCODE_LEFT, vk::kLeft},
    {SDL_SCANCODE_UP, vk::kUp},
    {SDL_SCANCODE_RIGHT, vk::kRight},
    {SDL_SCANCODE_DOWN, vk::kDown},
    {SDL_SCANCODE_PRINTSCREEN, vk::kSnapshot},
    {SDL_SCANCODE_INSERT, vk::kInsert},
    {SDL_SCANCODE_DELETE, vk::kDelete},
    {SDL_SCANCODE_0, vk::digit(0)},
    {SDL_SCANCODE_1, vk::digit(1)},
    {SDL_SCANCODE_2, vk::digit(2)},
    {SDL_SCANCODE_3, vk::digit(3)},
    {SDL_SCANCODE_4, vk::digit(4)},
    {SDL_SCANCODE_5, vk::digit(5)},
    {SDL_SCANCODE_6, vk::digit(6)},
    {SDL_SCANCODE_7, vk::digit(7)},
    {SDL_SCANCODE_8, vk::digit(8)},
    {SDL_SCANCODE_9, vk::digit(9)},
    {SDL_SCANCODE_A, vk::letter('A')},
    {SDL_SCANCODE_B, vk::letter('B')},
    {SDL_SCANCODE_C, vk::letter('C')},
    {SDL_SCANCODE_D, vk::letter('D')},
    {SDL_SCANCODE_E, vk::letter('E')},
    {SDL_SCANCODE_F, vk::letter('F')},
    {SDL_SCANCODE_G, vk::letter('G')},
    {SDL_SCANCODE_H, vk::letter('H')},
    {SDL_SCANCODE_I, vk::letter('I')},
    {SDL_SCANCODE_J, vk::letter('J')},
    {SDL_SCANCODE_K, vk::letter('K')},
    {SDL_SCANCODE_L, vk::letter('L')},
    {SDL_SCANCODE_M, vk::letter('M')},
    {SDL_SCANCODE_N, vk::letter('N')},
    {SDL_SCANCODE_O, vk::letter('O')},
    {SDL_SCANCODE_P, vk::letter('P')},
    {SDL_SCANCODE_Q, vk::letter('Q')},
    {SDL_SCANCODE_R, vk::letter('R')},
    {SDL_SCANCODE_S, vk::letter('S')},
    {SDL_SCANCODE_T, vk::letter('T')},
    {SDL_SCANCODE_U, vk::letter('U')},
    {SDL_SCANCODE_V, vk::letter('V')},
    {SDL_SCANCODE_W, vk::letter('W')},
    {SDL_SCANCODE_X, vk::letter('X')},
    {SDL_SCANCODE_Y, vk::letter('Y')},
    {SDL_SCANCODE_Z, vk::letter('Z')},
    {SDL_SCANCODE_LGUI, vk::kLeftWindows},
    {SDL_SCANCODE_RGUI, vk::kRightWindows},
    {SDL_SCANCODE_APPLICATION, vk::kApps},
    {SDL_SCANCODE_KP_0, vk::numpad(0)},
    {SDL_SCANCODE_KP_1, vk::numpad(1)},
    {SDL_SCANCODE_KP_2, vk::numpad(2)},
    {SDL_SCANCODE_KP_3, vk::numpad(3)},
    {SDL_SCANCODE_KP_4, vk::numpad(4)},
    {SDL_SCANCODE_KP_5, vk::numpad(5)},
    {SDL_SCANCODE_KP_6, vk::numpad(6)},
    {SDL_SCANCODE_KP_7, vk::numpad(7)},
    {SDL_SCANCODE_KP_8, vk::numpad(8)},
    {SDL_SCANCODE_KP_9, vk::numpad(9)},
    {SDL_SCANCODE_KP_MULTIPLY, vk::kMultiply},
    {SDL_SCANCODE_KP_PLUS, vk::kAdd},
    {SDL_SCANCODE_KP_MINUS, vk::kSubtract},
    {SDL_SCANCODE_KP_PERIOD, vk::kDecimal},
    {SDL_SCANCODE_KP_DIVIDE, vk::kDivide},
    {SDL_SCANCODE_F1, vk::functionKey(1)},
    {SDL_SCANCODE_F2, vk::functionKey(2)},
    {SDL_SCANCODE_F3, vk::functionKey(3)},
    {SDL_SCANCODE_F4, vk::functionKey(4)},
    {SDL_SCANCODE_F5, vk::functionKey(5)},
    {SDL_SCANCODE_F6, vk::functionKey(6)},
    {SDL_SCANCODE_F7, vk::functionKey(7)},
    {SDL_SCANCODE_F8, vk::functionKey(8)},
    {SDL_SCANCODE_F9, vk::functionKey(9)},
    {SDL_SCANCODE_F10, vk::functionKey(10)},
    {SDL_SCANCODE_F11, vk::functionKey(11)},
    {SDL_SCANCODE_F12, vk::functionKey(12)},
    {SDL_SCANCODE_NUMLOCKCLEAR, vk::kNumLock},
    {SDL_SCANCODE_SCROLLLOCK, vk::kScroll},
    {SDL_SCANCODE_APOSTROPHE, vk::kOem1},      // ":"
    {SDL_SCANCODE_SEMICOLON, vk::kOemPlus},       // ";"
    {SDL_SCANCODE_COMMA, vk::kOemComma},           // ","
    {SDL_SCANCODE_MINUS, vk::kOemMinus},           // "-"
    {SDL_SCANCODE_PERIOD, vk::kOemPeriod},          // "."
    {SDL_SCANCODE_SLASH, vk::kOem2},           // "/"
    {SDL_SCANCODE_LEFTBRACKET, vk::kOem3},     // "@"
    {SDL_SCANCODE_RIGHTBRACKET, vk::kOem4},    // "["
    {SDL_SCANCODE_INTERNATIONAL3, vk::kOem5},  // "¥"
    {SDL_SCANCODE_BACKSLASH, vk::kOem6},       // "]"
    {SDL_SCANCODE_NONUSHASH, vk::kOem6},       // "]"
    {SDL_SCANCODE_EQUALS, vk::kOem7},          // "^"
    {SDL_SCANCODE_INTERNATIONAL1, vk::kOem102},  // "\ ろ"
    {SDL_SCANCODE_NONUSBACKSLASH, vk::kOem102},  // ISO "\" left of Z
};

}  // namespace

std::span<const KeyPlace> keyPlaces() { return kKeyPlaces; }

int virtualKeyForScancode(int scancode) {
  const auto* place = std::find_if(std::begin(kKeyPlaces), std::end(kKeyPlaces),
                                   [scancode](const KeyPlace& p) { return p.scancode == scancode; });
  return place == std::end(kKeyPlaces) ? 0 : place->virtualKey;
}

std::vector<int> scancodesForVirtualKey(int virtualKey) {
  std::vector<int> scancodes;
  for (const auto& place : kKeyPlaces) {
    if (place.virtualKey == virtualKey) scancodes.push_back(place.scancode);
  }
  return scancodes;
}

}  // namespace quorel::platform
