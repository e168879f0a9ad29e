#pragma once
// A FIFO standing where a program expects a file, and a deadline for code that might wait on it.
//
//   const quorel::testing::Fifo fifo(folder + "quorel.dat");
//   EXPECT_TRUE(fifo.returnsWithin([&] { settings = readSettingsFile(fifo.path()); }));
//
// Opening a FIFO for reading waits for a writer. If the code under test still waits when the
// deadline passes, a writer comes and goes, so the code can return and the test report the hang
// instead of hanging itself.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <stdexcept>
#include <string>

namespace quorel::testing {

class Fifo {
 public:
  explicit Fifo(std::string path) : path_(std::move(path)) {
    if (::mkfifo(path_.c_str(), 0644) != 0) throw std::runtime_error("cannot make the FIFO " + path_);
  }
  ~Fifo() { ::unlink(path_.c_str()); }
  Fifo(const Fifo&) = delete;
  Fifo& operator=(const Fifo&) = delete;

  const std::string& path() const { return path_; }

  bool isStillAFifo() const {
    struct stat status {};
    return ::lstat(path_.c_str(), &status) == 0 && S_ISFIFO(status.st_mode);
  }

  // Runs `code` and waits for it up to `deadline`; false when it was still waiting then.
  template <typename Code>
  bool returnsWithin(Code code, std::chrono::seconds deadline = std::chrono::seconds(10)) const {
    auto done = std::async(std::launch::async, code);
    if (done.wait_for(deadline) == std::future_status::ready) return true;
    while (done.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) releaseReaders();
    return false;
  }

 private:
  void releaseReaders() const {
    const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
  }

  std::string path_;
};

}  // namespace quorel::testing
