#pragma once
#include <string>
#include <string_view>

namespace quorel {

// Replaces the file at `path` with `contents` so that a crash, a kill, a full disk or a
// read-only folder never leaves a damaged or half-written file, and so that what the player did
// with the file holds:
// - the bytes go to a temporary file in the same folder, which is flushed to disk and then
//   renamed over the old one;
// - a symbolic link is written through: the file it leads to is replaced and the link stays;
// - the old file's permissions (and its owner and group, where the system lets us) are kept; a
//   new file gets the permissions the umask gives;
// - a file the player made read-only, and anything that is not a regular file, is left alone:
//   that is a failure;
// - the temporary file is locked while it is written, and the stale ones of writes that were
//   killed are removed by the next write into the folder (see removeStaleTemporaries).
// On failure the old file is untouched, no temporary file is left, and `error` (when given)
// says where and why.
bool replaceFile(const std::string& path, std::string_view contents, std::string* error = nullptr);

// Removes the temporary files that writes into `folder` left behind when they were killed.
// Those of writes still going on, in this process or another, are locked and stay.
void removeStaleTemporaries(const std::string& folder);

// Tries for real whether a file can be created in `folder`, leaving nothing behind; when not,
// `error` (when given) says why.
bool canCreateFilesIn(const std::string& folder, std::string* error = nullptr);

}  // namespace quorel
