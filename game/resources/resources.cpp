#include "game/resources/resources.h"

#include <algorithm>
#include <cctype>

namespace quorel::resources {

namespace {

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
  });
}

}  // namespace

std::span<const std::uint8_t> find(std::string_view type, std::string_view name) {
  for (std::size_t i = 0; i < kResourceCount; ++i) {
    const Resource& r = kResources[i];
    if (equalIgnoringCase(r.type, type) && equalIgnoringCase(r.name, name)) {
      return {r.data, r.size};
    }
  }
  return {};
}

}  // namespace quorel::resources
