#include "common/temp_path.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace quorel {
namespace {

class TmpdirGuard {
 public:
  TmpdirGuard() {
    if (const char* value = std::getenv("TMPDIR")) saved_ = value;
  }
  ~TmpdirGuard() {
    if (saved_) {
      ::setenv("TMPDIR", saved_->c_str(), 1);
    } else {
      ::unsetenv("TMPDIR");
    }
  }
  TmpdirGuard(const TmpdirGuard&) = delete;
  TmpdirGuard& operator=(const TmpdirGuard&) = delete;

 private:
  std::optional<std::string> saved_;
};

TEST(TemporaryStageFilePath, TmpdirWhenSetElseTmpWithOneSeparator) {
  const TmpdirGuard guard;
  const struct {
    std::optional<std::string> tmpdir;
    std::string path;
  } cases[] = {
      {std::nullopt, "/tmp/$$$qrl$$$.tmp"},
      {"", "/tmp/$$$qrl$$$.tmp"},
      {"/var/tmp", "/var/tmp/$$$qrl$$$.tmp"},
      {"/var/tmp/", "/var/tmp/$$$qrl$$$.tmp"},
      {"/", "/$$$qrl$$$.tmp"},
  };
  for (const auto& [tmpdir, path] : cases) {
    if (tmpdir) {
      ::setenv("TMPDIR", tmpdir->c_str(), 1);
    } else {
      ::unsetenv("TMPDIR");
    }
    EXPECT_EQ(temporaryStageFilePath(), path) << "TMPDIR " << tmpdir.value_or("unset");
  }
}

}  // namespace
}  // namespace quorel
