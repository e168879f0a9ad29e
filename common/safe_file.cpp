#include "common/safe_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include "common/file_descriptor.h"

namespace quorel {

namespace {

// Temporary files are "." + the name they replace + the marker + a random suffix: hidden beside
// the file, and recognisable as ours when one is left over.
constexpr std::string_view kTemporaryMarker = ".quorel-tmp-";
constexpr std::size_t kSuffixLength = 6;
constexpr std::string_view kSuffixCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int kCreateAttempts = 100;
constexpr int kMaxLinkHops = 40;  // as the kernel allows

bool fail(std::string* error, std::string what) {
  if (error) *error = std::move(what);
  return false;
}

bool failWithErrno(std::string* error, const std::string& what) {
  return fail(error, what + ": " + std::strerror(errno));
}

std::string folderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string inFolder(const std::string& folder, std::string_view name) {
  return folder + (folder.ends_with('/') ? "" : "/") + std::string(name);
}

std::string randomSuffix() {
  thread_local std::minstd_rand engine{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, kSuffixCharacters.size() - 1);
  std::string suffix;
  for (std::size_t i = 0; i < kSuffixLength; ++i) suffix += kSuffixCharacters[pick(engine)];
  return suffix;
}

bool isTemporaryName(std::string_view entry) {
  const auto marker = entry.rfind(kTemporaryMarker);
  if (!entry.starts_with('.') || marker == std::string_view::npos || marker < 2) return false;
  const std::string_view suffix = entry.substr(marker + kTemporaryMarker.size());
  return suffix.size() == kSuffixLength && std::ranges::all_of(suffix, [](char c) {
           return kSuffixCharacters.find(c) != std::string_view::npos;
         });
}

bool writeAll(int fd, std::string_view contents) {
  const char* p = contents.data();
  std::size_t left = contents.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

// A temporary file of ours, created and locked. The lock lasts until the descriptor closes,
// whoever ends the process, so a file found unlocked has no writer left.
struct Temporary {
  FileDescriptor fd;
  std::string path;
};

bool createTemporary(const std::string& folder, const std::string& forName, Temporary& temporary,
                     std::string* error) {
  for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
    const std::string path = inFolder(folder, "." + forName + std::string(kTemporaryMarker) + randomSuffix());
    FileDescriptor fd(::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!fd.valid()) {
      if (errno == EEXIST) continue;
      return failWithErrno(error, "cannot create a temporary file in " + folder);
    }
    // Held already by a sweep that found the file in the instant before this lock: it removes
    // the file, so take another. A file system without locks is written unlocked.
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) continue;
    temporary = {std::move(fd), path};
    return true;
  }
  errno = EEXIST;
  return failWithErrno(error, "cannot create a temporary file in " + folder);
}

// Removes `path` when it is a regular file that nobody holds locked, and still the file that was
// looked at when it is unlinked.
void removeIfStale(const std::string& path) {
  const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
  struct stat opened {};
  if (!fd.valid() || ::fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode)) return;
  if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return;
  struct stat named {};
  if (::lstat(path.c_str(), &named) != 0 || named.st_dev != opened.st_dev || named.st_ino != opened.st_ino) return;
  ::unlink(path.c_str());
}

void removeStaleTemporariesOf(const std::string& folder, std::string_view forName) {
  namespace fs = std::filesystem;
  std::error_code error;
  const std::string prefix = forName.empty() ? "." : "." + std::string(forName) + std::string(kTemporaryMarker);
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.starts_with(prefix) && isTemporaryName(name)) removeIfStale(inFolder(folder, name));
  }
}

// The file that `path` finally names, following symbolic links; it need not exist (a link may
// lead to a file yet to be made).
bool followLinks(const std::string& path, std::string& target, std::string* error) {
  std::string current = path;
  for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
    struct stat status {};
    if (::lstat(current.c_str(), &status) != 0) {
      if (errno != ENOENT) return failWithErrno(error, "cannot look at " + current);
      target = current;
      return true;
    }
    if (!S_ISLNK(status.st_mode)) {
      target = current;
      return true;
    }
    std::error_code readError;
    const std::filesystem::path next = std::filesystem::read_symlink(current, readError);
    if (readError) return fail(error, "cannot read the link " + current + ": " + readError.message());
    current = next.is_absolute() ? next.string() : inFolder(folderOf(current), next.string());
  }
  errno = ELOOP;
  return failWithErrno(error, "cannot follow " + path);
}

// No write permission for anyone, or none for us: the player does not want it changed.
bool isReadOnly(const std::string& path, const struct stat& status) {
  return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0;
}

// The replacement takes over the old file's owner, group and permissions. Only a privileged
// process can give a file away; the group may still be one of ours.
bool takeOverOwnerAndMode(int fd, const struct stat& old) {
  if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
  }
  return ::fchmod(fd, old.st_mode & 07777) == 0;
}

void syncFolder(const std::string& folder) {
  const FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.valid()) ::fsync(fd.get());
}

}  // namespace

bool replaceFile(const std::string& path, std::string_view contents, std::string* error) {
  std::string target;
  if (!followLinks(path, target, error)) return false;
  struct stat old {};
  const bool exists = ::lstat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return failWithErrno(error, "cannot look at " + target);
  if (exists && !S_ISREG(old.st_mode)) return fail(error, target + " is not a regular file; it was left as it is");
  if (exists && isReadOnly(target, old)) return fail(error, target + " is read-only; it was left as it is");

  const std::string folder = folderOf(target);
  const std::string name = nameOf(target);
  removeStaleTemporariesOf(folder, name);
  Temporary temporary;
  if (!createTemporary(folder, name, temporary, error)) {
    // The player asked to save a file, not to make one beside it: name the file first.
    if (error) *error = "cannot write " + target + ": " + *error;
    return false;
  }
  const auto discard = [&](const std::string& what) {
    const int savedErrno = errno;
    ::unlink(temporary.path.c_str());
    errno = savedErrno;
    return failWithErrno(error, what);
  };
  if (exists && !takeOverOwnerAndMode(temporary.fd.get(), old)) return discard("cannot set the permissions of " + target);
  if (!writeAll(temporary.fd.get(), contents) || ::fsync(temporary.fd.get()) != 0) return discard("cannot write " + target);
  // Renamed while still locked: a sweep never takes a file that is about to become the real one.
  if (::rename(temporary.path.c_str(), target.c_str()) != 0) return discard("cannot replace " + target);
  temporary.fd.reset();
  syncFolder(folder);  // makes the rename itself durable
  return true;
}

void removeStaleTemporaries(const std::string& folder) { removeStaleTemporariesOf(folder, {}); }

bool canCreateFilesIn(const std::string& folder, std::string* error) {
  Temporary probe;
  if (!createTemporary(folder, "probe", probe, error)) return false;
  ::unlink(probe.path.c_str());
  return true;
}

}  // namespace quorel
