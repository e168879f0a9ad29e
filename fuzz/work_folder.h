#pragma once
// A folder of the process's own for targets that go through files, removed at exit. It is in
// memory when the system offers one: the game's writes sync to disk, and a fuzzer writes a lot.
#include <stdlib.h>  // mkdtemp

#include <cstdlib>

#include <filesystem>
#include <string>

#include "fuzz/property.h"

namespace quorel::fuzz {

inline const std::filesystem::path& workFolder() {
  static const std::filesystem::path folder = [] {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path base = fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string name = (base / "quorel-fuzz-XXXXXX").string();
    requireThat(::mkdtemp(name.data()) != nullptr, "a work folder can be made");
    return fs::path(name);
  }();
  static const bool removedAtExit = [] {
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(workFolder(), ignored);
    });
    return true;
  }();
  (void)removedAtExit;
  return folder;
}

}  // namespace quorel::fuzz
