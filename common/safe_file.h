#pragma once
#include <string>
#include <string_view>

namespace quorel {

// Replaces the file at `path` with `contents` so that a crash, a full disk or a read-only
// folder never leaves a damaged or half-written file: the bytes go to a temporary file in the
// same folder, which is flushed to disk and then renamed over the old one. On failure the old
// file is untouched, the temporary file is removed, and `error` (when given) says why.
bool replaceFile(const std::string& path, std::string_view contents, std::string* error = nullptr);

}  // namespace quorel
