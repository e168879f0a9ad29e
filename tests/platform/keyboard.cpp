// The keys the game reads must sit where a player looks for them, and a tap between two asks
// must not be lost or counted twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "game/platform/sdl_key_map.h"
#include "game/platform/sdl_key_states.h"

namespace quorel::platform {
namespace {

// USB HID usage numbers (what SDL scancodes are) of the places named.
constexpr int kHidP = 19, kHidX = 27, kHidZ = 29, kHidEnter = 40, kHidEscape = 41, kHidSpace = 44;
constexpr int kHidUsRightBracket = 48, kHidUsBackslash = 49, kHidIsoHash = 50, kHidSemicolon = 51;
constexpr int kHidUsLeftBracket = 47, kHidSlash = 56, kHidF5 = 62, kHidF9 = 66;
constexpr int kHidRight = 79, kHidLeft = 80, kHidDown = 81, kHidUp = 82;
constexpr int kHidKeypad2 = 90, kHidKeypad4 = 92, kHidKeypad6 = 94, kHidKeypad8 = 96, kHidKeypadEnter = 88;
constexpr int kHidIsoBackslash = 100, kHidJisRo = 135, kHidLeftShift = 225, kHidRightShift = 229;

struct PlaceCase {
  int virtualKey;
  std::vector<int> places;
  const char* key;
};

TEST(KeyMap, EveryKeyTheGameReadsSitsAtItsJisPlace) {
  const PlaceCase cases[] = {
      {0x64, {kHidKeypad4}, "keypad 4"},
      {0x66, {kHidKeypad6}, "keypad 6"},
      {0x68, {kHidKeypad8}, "keypad 8"},
      {0x62, {kHidKeypad2}, "keypad 2"},
      {0x25, {kHidLeft}, "Left"},
      {0x27, {kHidRight}, "Right"},
      {0x26, {kHidUp}, "Up"},
      {0x28, {kHidDown}, "Down"},
      {0xBB, {kHidSemicolon}, "JIS ;"},
      {0xDD, {kHidUsBackslash, kHidIsoHash}, "JIS ] (US \\, ISO #)"},
      {0xC0, {kHidUsLeftBracket}, "JIS @ (US [)"},
      {0xDB, {kHidUsRightBracket}, "JIS [ (US ])"},
      {0x50, {kHidP}, "P"},
      {0x20, {kHidSpace}, "Space"},
      {0x5A, {kHidZ}, "Z"},
      {0xBF, {kHidSlash}, "/"},
      {0x0D, {kHidEnter, kHidKeypadEnter}, "both Enters"},
      {0x58, {kHidX}, "X"},
      {0xE2, {kHidIsoBackslash, kHidJisRo}, "JIS \\ ro, ISO \\"},
      {0x10, {kHidLeftShift, kHidRightShift}, "both Shifts"},
      {0x1B, {kHidEscape}, "Escape"},
      {0x74, {kHidF5}, "F5"},
      {0x78, {kHidF9}, "F9"},
  };
  for (const auto& c : cases) {
    auto places = scancodesForVirtualKey(c.virtualKey);
    std::sort(places.begin(), places.end());
    EXPECT_EQ(places, c.places) << c.key;
    for (const int place : places) EXPECT_EQ(virtualKeyForScancode(place), c.virtualKey) << c.key;
  }
}

TEST(KeyMap, NoPlaceIsListedTwiceAndLettersDigitsAndFunctionKeysAreAllThere) {
  std::set<int> seen;
  for (const auto& place : keyPlaces()) {
    EXPECT_TRUE(seen.insert(place.scancode).second) << "scancode " << place.scancode << " listed twice";
    EXPECT_GT(place.virtualKey, 0);
    EXPECT_LT(place.virtualKey, 256);
  }
  std::vector<int> expected;
  for (int vk = 'A'; vk <= 'Z'; ++vk) expected.push_back(vk);
  for (int vk = '0'; vk <= '9'; ++vk) expected.push_back(vk);
  for (int vk = 0x70; vk <= 0x7B; ++vk) expected.push_back(vk);  // F1 to F12
  for (int vk = 0x60; vk <= 0x69; ++vk) expected.push_back(vk);  // keypad digits
  for (const int vk : expected) EXPECT_FALSE(scancodesForVirtualKey(vk).empty()) << "virtual key " << vk;
  EXPECT_EQ(virtualKeyForScancode(0), 0) << "an unknown place has no key";
}

TEST(KeyStates, ATapBetweenTwoAsksIsReportedOnceAndHeldKeysAlways) {
  KeyStates keys;
  keys.keyDown(kHidZ);
  keys.keyUp(kHidZ);
  EXPECT_TRUE(keys.ask(0x5A));
  EXPECT_FALSE(keys.ask(0x5A));

  keys.keyDown(kHidSpace);
  keys.keyDown(kHidSpace);  // a repeat
  EXPECT_TRUE(keys.ask(0x20));
  EXPECT_TRUE(keys.ask(0x20));
  keys.keyUp(kHidSpace);
  EXPECT_FALSE(keys.ask(0x20));

  // Asking one key keeps another's tap pending.
  keys.keyDown(kHidX);
  keys.keyUp(kHidX);
  EXPECT_FALSE(keys.ask(0x0D));
  EXPECT_TRUE(keys.ask(0x58));
}

TEST(KeyStates, OneVirtualKeyAtTwoPlacesIsHeldWhileEitherIs) {
  KeyStates keys;
  keys.keyDown(kHidLeftShift);
  keys.keyDown(kHidRightShift);
  keys.keyUp(kHidLeftShift);
  EXPECT_TRUE(keys.ask(0x10));
  EXPECT_TRUE(keys.ask(0x10)) << "right Shift still holds Shift";
  keys.keyUp(kHidRightShift);
  EXPECT_FALSE(keys.ask(0x10));
}

TEST(KeyStates, KeysAndCodesOutsideTheTablesAreHarmless) {
  KeyStates keys;
  keys.keyDown(-1);
  keys.keyDown(100000);
  keys.keyUp(100000);
  keys.keyDown(kHidJisRo + 1);  // a place with no key of ours
  EXPECT_FALSE(keys.ask(-5));
  EXPECT_FALSE(keys.ask(256));
  EXPECT_FALSE(keys.ask(0));
}

}  // namespace
}  // namespace quorel::platform
