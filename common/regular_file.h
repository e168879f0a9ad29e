#pragma once
// Reading a file the player named or put in place. Opening a FIFO for reading waits until some
// other program writes to it, and a device may never end; neither is what a game file can be.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace quorel {

struct RegularFileRead {
  bool ok = false;
  std::string contents;
  std::string error;  // why it was refused: "cannot open: ...", "not a regular file (a FIFO)" ...
  explicit operator bool() const { return ok; }
  // The contents as bytes, for the binary formats.
  std::span<const std::uint8_t> bytes() const {
    return {reinterpret_cast<const std::uint8_t*>(contents.data()), contents.size()};
  }
};

// Reads the whole file at `path` (symbolic links followed). Never blocks: anything but a regular
// file is refused without waiting for it, and so is a file of more than `maxBytes`.
RegularFileRead readRegularFile(const std::string& path, std::size_t maxBytes);

}  // namespace quorel
