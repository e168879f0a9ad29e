#pragma once
// The pictures the build generated, decoded as the game decodes them; each is read once.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "game/presentation/bitmap.h"

namespace quorel::testing {

inline std::vector<std::uint8_t> pictureBytes(const std::string& name) {
  std::ifstream f(std::string(QUOREL_ASSET_DIR) + "/" + name + ".bmp", std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline const Surface& picture(const std::string& name) {
  static std::map<std::string, SurfacePtr> cache;
  SurfacePtr& slot = cache[name];
  if (!slot) slot = decodeBitmap(pictureBytes(name));
  if (!slot) {
    ADD_FAILURE() << name << ".bmp is missing or does not decode";
    static const Surface none(1, 1);
    return none;
  }
  return *slot;
}

}  // namespace quorel::testing
