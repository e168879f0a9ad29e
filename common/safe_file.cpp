#include "common/safe_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorel {

namespace {

bool fail(std::string* error, const std::string& what) {
  if (error) *error = what + ": " + std::strerror(errno);
  return false;
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

std::string folderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

bool replaceFile(const std::string& path, std::string_view contents, std::string* error) {
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return fail(error, "cannot create a temporary file beside " + path);
  // mkstemp makes the file readable by its owner only; a settings file is an ordinary file.
  ::fchmod(fd, 0644);
  const bool written = writeAll(fd, contents) && ::fsync(fd) == 0;
  const int savedErrno = errno;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) {
    ::unlink(temp.c_str());
    errno = written ? errno : savedErrno;
    return fail(error, "cannot write " + path);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int renameErrno = errno;
    ::unlink(temp.c_str());
    errno = renameErrno;
    return fail(error, "cannot replace " + path);
  }
  // Make the rename itself durable.
  const int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace quorel
