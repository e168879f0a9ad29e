#include "common/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/file_descriptor.h"

namespace quorel {

namespace {

std::string kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "of an unknown kind";
}

RegularFileRead refused(std::string why) {
  RegularFileRead read;
  read.error = std::move(why);
  return read;
}

RegularFileRead refusedForErrno(const char* what) { return refused(std::string(what) + ": " + std::strerror(errno)); }

RegularFileRead notRegular(mode_t mode) { return refused("not a regular file (" + kindOf(mode) + ")"); }

std::string sizeText(std::size_t bytes) {
  constexpr std::size_t kMiB = std::size_t{1} << 20;
  return bytes % kMiB == 0 ? std::to_string(bytes / kMiB) + " MiB" : std::to_string(bytes) + " bytes";
}

}  // namespace

RegularFileRead readRegularFile(const std::string& path, std::size_t maxBytes) {
  // Looked at before it is opened, so that a device is not even opened; looked at again once
  // open, since the name may have been given to something else in between.
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return refusedForErrno("cannot open");
  if (!S_ISREG(status.st_mode)) return notRegular(status.st_mode);
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.get() < 0) return refusedForErrno("cannot open");
  if (::fstat(file.get(), &status) != 0) return refusedForErrno("cannot read");
  if (!S_ISREG(status.st_mode)) return notRegular(status.st_mode);
  const std::string tooLarge = "larger than " + sizeText(maxBytes);
  if (static_cast<std::size_t>(status.st_size) > maxBytes) return refused(tooLarge);

  RegularFileRead read;
  read.contents.reserve(static_cast<std::size_t>(status.st_size));
  char buffer[16384];
  for (;;) {
    const ssize_t n = ::read(file.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return refusedForErrno("cannot read");
    if (n == 0) break;
    read.contents.append(buffer, static_cast<std::size_t>(n));
    // The file may grow while it is read.
    if (read.contents.size() > maxBytes) return refused(tooLarge);
  }
  read.ok = true;
  return read;
}

}  // namespace quorel
