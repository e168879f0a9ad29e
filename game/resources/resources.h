#pragma once
// The pictures, sounds and the built-in stage text that are built into the executable.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace quorel::resources {

struct Resource {
  const char* type;  // "BITMAP", "WAVE" or "TEXT"
  const char* name;
  const unsigned char* data;
  std::size_t size;
};

extern const Resource kResources[];
extern const std::size_t kResourceCount;

// Looks a resource up by type and name, both compared without regard to case.
// An empty span means there is no such resource.
std::span<const std::uint8_t> find(std::string_view type, std::string_view name);

}  // namespace quorel::resources
