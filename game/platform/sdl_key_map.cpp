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

namespace quorel::platform {

namespace {

constexpr KeyPlace kKeyPlaces[] = {
    {SDL_SCANCODE_BACKSPACE, 0x08},
    {SDL_SCANCODE_TAB, 0x09},
    {SDL_SCANCODE_RETURN, 0x0D},
    {SDL_SCANCODE_KP_ENTER, 0x0D},
    {SDL_SCANCODE_LSHIFT, 0x10},
    {SDL_SCANCODE_RSHIFT, 0x10},
    {SDL_SCANCODE_LCTRL, 0x11},
    {SDL_SCANCODE_RCTRL, 0x11},
    {SDL_SCANCODE_LALT, 0x12},
    {SDL_SCANCODE_RALT, 0x12},
    {SDL_SCANCODE_PAUSE, 0x13},
    {SDL_SCANCODE_CAPSLOCK, 0x14},
    {SDL_SCANCODE_ESCAPE, 0x1B},
    {SDL_SCANCODE_INTERNATIONAL4, 0x1C},  // 変換
    {SDL_SCANCODE_INTERNATIONAL5, 0x1D},  // 無変換
    {SDL_SCANCODE_SPACE, 0x20},
    {SDL_SCANCODE_PAGEUP, 0x21},
    {SDL_SCANCODE_PAGEDOWN, 0x22},
    {SDL_SCANCODE_END, 0x23},
    {SDL_SCANCODE_HOME, 0x24},
    {SDL_SCANCODE_LEFT, 0x25},
    {SDL_SCANCODE_UP, 0x26},
    {SDL_SCANCODE_RIGHT, 0x27},
    {SDL_SCANCODE_DOWN, 0x28},
    {SDL_SCANCODE_PRINTSCREEN, 0x2C},
    {SDL_SCANCODE_INSERT, 0x2D},
    {SDL_SCANCODE_DELETE, 0x2E},
    {SDL_SCANCODE_0, 0x30},
    {SDL_SCANCODE_1, 0x31},
    {SDL_SCANCODE_2, 0x32},
    {SDL_SCANCODE_3, 0x33},
    {SDL_SCANCODE_4, 0x34},
    {SDL_SCANCODE_5, 0x35},
    {SDL_SCANCODE_6, 0x36},
    {SDL_SCANCODE_7, 0x37},
    {SDL_SCANCODE_8, 0x38},
    {SDL_SCANCODE_9, 0x39},
    {SDL_SCANCODE_A, 0x41},
    {SDL_SCANCODE_B, 0x42},
    {SDL_SCANCODE_C, 0x43},
    {SDL_SCANCODE_D, 0x44},
    {SDL_SCANCODE_E, 0x45},
    {SDL_SCANCODE_F, 0x46},
    {SDL_SCANCODE_G, 0x47},
    {SDL_SCANCODE_H, 0x48},
    {SDL_SCANCODE_I, 0x49},
    {SDL_SCANCODE_J, 0x4A},
    {SDL_SCANCODE_K, 0x4B},
    {SDL_SCANCODE_L, 0x4C},
    {SDL_SCANCODE_M, 0x4D},
    {SDL_SCANCODE_N, 0x4E},
    {SDL_SCANCODE_O, 0x4F},
    {SDL_SCANCODE_P, 0x50},
    {SDL_SCANCODE_Q, 0x51},
    {SDL_SCANCODE_R, 0x52},
    {SDL_SCANCODE_S, 0x53},
    {SDL_SCANCODE_T, 0x54},
    {SDL_SCANCODE_U, 0x55},
    {SDL_SCANCODE_V, 0x56},
    {SDL_SCANCODE_W, 0x57},
    {SDL_SCANCODE_X, 0x58},
    {SDL_SCANCODE_Y, 0x59},
    {SDL_SCANCODE_Z, 0x5A},
    {SDL_SCANCODE_LGUI, 0x5B},
    {SDL_SCANCODE_RGUI, 0x5C},
    {SDL_SCANCODE_APPLICATION, 0x5D},
    {SDL_SCANCODE_KP_0, 0x60},
    {SDL_SCANCODE_KP_1, 0x61},
    {SDL_SCANCODE_KP_2, 0x62},
    {SDL_SCANCODE_KP_3, 0x63},
    {SDL_SCANCODE_KP_4, 0x64},
    {SDL_SCANCODE_KP_5, 0x65},
    {SDL_SCANCODE_KP_6, 0x66},
    {SDL_SCANCODE_KP_7, 0x67},
    {SDL_SCANCODE_KP_8, 0x68},
    {SDL_SCANCODE_KP_9, 0x69},
    {SDL_SCANCODE_KP_MULTIPLY, 0x6A},
    {SDL_SCANCODE_KP_PLUS, 0x6B},
    {SDL_SCANCODE_KP_MINUS, 0x6D},
    {SDL_SCANCODE_KP_PERIOD, 0x6E},
    {SDL_SCANCODE_KP_DIVIDE, 0x6F},
    {SDL_SCANCODE_F1, 0x70},
    {SDL_SCANCODE_F2, 0x71},
    {SDL_SCANCODE_F3, 0x72},
    {SDL_SCANCODE_F4, 0x73},
    {SDL_SCANCODE_F5, 0x74},
    {SDL_SCANCODE_F6, 0x75},
    {SDL_SCANCODE_F7, 0x76},
    {SDL_SCANCODE_F8, 0x77},
    {SDL_SCANCODE_F9, 0x78},
    {SDL_SCANCODE_F10, 0x79},
    {SDL_SCANCODE_F11, 0x7A},
    {SDL_SCANCODE_F12, 0x7B},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x90},
    {SDL_SCANCODE_SCROLLLOCK, 0x91},
    {SDL_SCANCODE_APOSTROPHE, 0xBA},      // ":"
    {SDL_SCANCODE_SEMICOLON, 0xBB},       // ";"
    {SDL_SCANCODE_COMMA, 0xBC},           // ","
    {SDL_SCANCODE_MINUS, 0xBD},           // "-"
    {SDL_SCANCODE_PERIOD, 0xBE},          // "."
    {SDL_SCANCODE_SLASH, 0xBF},           // "/"
    {SDL_SCANCODE_LEFTBRACKET, 0xC0},     // "@"
    {SDL_SCANCODE_RIGHTBRACKET, 0xDB},    // "["
    {SDL_SCANCODE_INTERNATIONAL3, 0xDC},  // "¥"
    {SDL_SCANCODE_BACKSLASH, 0xDD},       // "]"
    {SDL_SCANCODE_NONUSHASH, 0xDD},       // "]"
    {SDL_SCANCODE_EQUALS, 0xDE},          // "^"
    {SDL_SCANCODE_INTERNATIONAL1, 0xE2},  // "\ ろ"
    {SDL_SCANCODE_NONUSBACKSLASH, 0xE2},  // ISO "\" left of Z
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
