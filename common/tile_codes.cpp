#include "common/tile_codes.h"

namespace quorel {

std::optional<int> tileCodeOf(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 54;
  return std::nullopt;
}

char tileCharOf(int code) { return static_cast<char>(code <= 9 ? '0' + code : code + 54); }

}  // namespace quorel
