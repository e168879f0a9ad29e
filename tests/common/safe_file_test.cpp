// Replacing a file safely: whole or not at all, nothing left behind, the player's choices kept.
#include "common/safe_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "tests/common/stage_fixtures.h"
#include "tests/support/fifo.h"

namespace quorel {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> namesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::ranges::sort(names);
  return names;
}

mode_t modeOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
  return status.st_mode & 07777;
}

class Umask {
 public:
  explicit Umask(mode_t mask) : previous_(::umask(mask)) {}
  ~Umask() { ::umask(previous_); }
  Umask(const Umask&) = delete;
  Umask& operator=(const Umask&) = delete;

 private:
  mode_t previous_;
};

TEST(ReplaceFile, WritesKilledAtAnyInstantLeaveTheFileWholeAndTheNextWriteLeavesNoTemporary) {
  const test::ScratchFolder folder;
  const std::string path = folder.file("quorel.dat");
  const std::string versions[] = {std::string(64 << 10, 'a'), std::string(64 << 10, 'b')};
  ASSERT_TRUE(replaceFile(path, versions[0]));
  std::minstd_rand random(15);
  for (int round = 0; round < 100; ++round) {
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
      for (unsigned i = 0;; ++i) replaceFile(path, versions[i % 2]);
    }
    // Killed at some instant of its writes: creating, writing, syncing or renaming.
    ::usleep(static_cast<useconds_t>(200 + random() % 3000));
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    const std::string now = test::fileBytes(path);
    ASSERT_TRUE(now == versions[0] || now == versions[1]) << "a damaged file after kill " << round;
  }
  ASSERT_TRUE(replaceFile(path, "next"));
  EXPECT_EQ(namesIn(folder.file("")), std::vector<std::string>{"quorel.dat"});
  EXPECT_EQ(test::fileBytes(path), "next");
}

TEST(ReplaceFile, OnlyStaleTemporariesOfOursAreRemoved) {
  const test::ScratchFolder folder;
  const std::string stale = folder.write(".castle.dat.quorel-tmp-Ab12Cd", "killed");
  const std::string live = folder.write(".quorel.dat.quorel-tmp-Zz99zz", "being written");
  const int liveLock = ::open(live.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(liveLock, LOCK_EX), 0);
  for (const char* other : {".castle.dat.quorel-tmp-toolong", ".quorel-tmp-Ab12Cd", "castle.dat.quorel-tmp-Ab12Cd",
                            ".castle.dat.swp", "castle.dat"}) {
    folder.write(other, "the player's");
  }
  removeStaleTemporaries(folder.file(""));
  const std::vector<std::string> expected = {
      ".castle.dat.quorel-tmp-toolong", ".castle.dat.swp", ".quorel-tmp-Ab12Cd", ".quorel.dat.quorel-tmp-Zz99zz",
      "castle.dat", "castle.dat.quorel-tmp-Ab12Cd"};
  EXPECT_EQ(namesIn(folder.file("")), expected);
  ::close(liveLock);
}

TEST(ReplaceFile, KeepsTheModeAndOwnerAndANewFileFollowsTheUmask) {
  const test::ScratchFolder folder;
  const Umask umask(027);
  for (const mode_t mode : {0600, 0640, 0604, 0755}) {
    const std::string path = folder.write("kept.dat", "old");
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    ASSERT_TRUE(replaceFile(path, "new"));
    EXPECT_EQ(modeOf(path), mode) << std::oct << mode;
    EXPECT_EQ(test::fileBytes(path), "new");
  }
  ASSERT_TRUE(replaceFile(folder.file("fresh.dat"), "new"));
  EXPECT_EQ(modeOf(folder.file("fresh.dat")), 0640u);

  if (::geteuid() == 0) {  // only a privileged process can hand a file to someone else
    const std::string path = folder.write("theirs.dat", "old");
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    ASSERT_TRUE(replaceFile(path, "new"));
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, 65534u);
    EXPECT_EQ(status.st_gid, 65534u);
  }
}

TEST(ReplaceFile, ASymbolicLinkIsWrittenThroughAndStaysALink) {
  const test::ScratchFolder folder;
  fs::create_directory(folder.file("synced"));
  const std::string target = folder.write("synced/quorel.dat", "old");
  ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
  const struct {
    std::string link;
    std::string leadsTo;
  } links[] = {
      {folder.file("relative.dat"), "synced/quorel.dat"},
      {folder.file("absolute.dat"), target},
      {folder.file("chained.dat"), "relative.dat"},
  };
  for (const auto& [link, leadsTo] : links) fs::create_symlink(leadsTo, link);
  for (const auto& [link, leadsTo] : links) {
    ASSERT_TRUE(replaceFile(link, "through " + link));
    EXPECT_TRUE(fs::is_symlink(link)) << link;
    EXPECT_EQ(fs::read_symlink(link), leadsTo);
    EXPECT_EQ(test::fileBytes(target), "through " + link);
    EXPECT_EQ(modeOf(target), 0600u);
  }
  EXPECT_EQ(namesIn(folder.file("synced")), std::vector<std::string>{"quorel.dat"});

  // A link to a file not made yet makes it, as writing through the link would.
  fs::create_symlink("synced/new.dat", folder.file("dangling.dat"));
  ASSERT_TRUE(replaceFile(folder.file("dangling.dat"), "made"));
  EXPECT_TRUE(fs::is_symlink(folder.file("dangling.dat")));
  EXPECT_EQ(test::fileBytes(folder.file("synced/new.dat")), "made");

  fs::create_symlink("loop-b.dat", folder.file("loop-a.dat"));
  fs::create_symlink("loop-a.dat", folder.file("loop-b.dat"));
  std::string error;
  EXPECT_FALSE(replaceFile(folder.file("loop-a.dat"), "never", &error));
  EXPECT_EQ(error, "cannot follow " + folder.file("loop-a.dat") + ": Too many levels of symbolic links");
}

TEST(ReplaceFile, AReadOnlyFileOrOneThatIsNoRegularFileIsLeftAlone) {
  const test::ScratchFolder folder;
  const std::string readOnly = folder.write("read-only.dat", "kept");
  ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
  const testing::Fifo fifo(folder.file("pipe.dat"));
  fs::create_directory(folder.file("folder.dat"));
  const struct {
    std::string path;
    std::string error;
  } cases[] = {
      {readOnly, readOnly + " is read-only; it was left as it is"},
      {fifo.path(), fifo.path() + " is not a regular file; it was left as it is"},
      {folder.file("folder.dat"), folder.file("folder.dat") + " is not a regular file; it was left as it is"},
      {folder.file("missing/x.dat"), "cannot write " + folder.file("missing/x.dat") +
                                         ": cannot create a temporary file in " + folder.file("missing") +
                                         ": No such file or directory"},
  };
  for (const auto& [path, expectedError] : cases) {
    std::string error;
    bool written = true;
    ASSERT_TRUE(fifo.returnsWithin([&] { written = replaceFile(path, "new", &error); })) << path;
    EXPECT_FALSE(written) << path;
    EXPECT_EQ(error, expectedError);
  }
  EXPECT_EQ(test::fileBytes(readOnly), "kept");
  EXPECT_EQ(modeOf(readOnly), 0444u);
  EXPECT_TRUE(fifo.isStillAFifo());
  EXPECT_EQ(namesIn(folder.file("")), (std::vector<std::string>{"folder.dat", "pipe.dat", "read-only.dat"}));
}

TEST(CanCreateFilesIn, TriesForRealAndLeavesNothing) {
  const test::ScratchFolder folder;
  EXPECT_TRUE(canCreateFilesIn(folder.file("")));
  EXPECT_TRUE(namesIn(folder.file("")).empty());
  std::string error;
  EXPECT_FALSE(canCreateFilesIn(folder.file("none"), &error));
  EXPECT_EQ(error, "cannot create a temporary file in " + folder.file("none") + ": No such file or directory");
}

}  // namespace
}  // namespace quorel
