// Reading files that may be something else than a file: a FIFO, a folder, a device.
#include "common/regular_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/stage_set.h"
#include "tests/common/stage_fixtures.h"
#include "tests/support/fifo.h"

namespace quorel {
namespace {

namespace fs = std::filesystem;

TEST(RegularFile, OnlyARegularFileIsReadAndNothingElseIsWaitedOn) {
  const test::ScratchFolder folder;
  const std::string text = folder.write("set.qrl", "2\r\nme\r\n");
  const testing::Fifo fifo(folder.file("pipe.qrl"));
  fs::create_symlink(text, folder.file("link.qrl"));
  fs::create_symlink(fifo.path(), folder.file("link-to-pipe.qrl"));
  const struct {
    std::string path;
    std::string error;  // empty: read
  } cases[] = {
      {text, ""},
      {folder.file("link.qrl"), ""},
      {fifo.path(), "not a regular file (a FIFO)"},
      {folder.file("link-to-pipe.qrl"), "not a regular file (a FIFO)"},
      {folder.file(""), "not a regular file (a folder)"},
      {"/dev/null", "not a regular file (a device)"},
      {folder.file("missing.qrl"), "cannot open: No such file or directory"},
  };
  for (const auto& [path, error] : cases) {
    RegularFileRead read;
    ASSERT_TRUE(fifo.returnsWithin([&] { read = readRegularFile(path, 1024); })) << path << " was waited on";
    EXPECT_EQ(read.ok, error.empty()) << path;
    EXPECT_EQ(read.error, error) << path;
    EXPECT_EQ(read.contents, error.empty() ? "2\r\nme\r\n" : "") << path;
  }
}

TEST(RegularFile, AFileLargerThanTheCapIsRefused) {
  const test::ScratchFolder folder;
  const std::string path = folder.write("big", std::string(1025, 'x'));
  EXPECT_TRUE(readRegularFile(path, 1025));
  const RegularFileRead read = readRegularFile(path, 1024);
  EXPECT_FALSE(read);
  EXPECT_EQ(read.error, "larger than 1024 bytes");
  EXPECT_EQ(readRegularFile(path, std::size_t{1} << 20).contents.size(), 1025u);
}

// The stage file of a set, the temporary stage file of test play and qrltool all load here.
TEST(RegularFile, AStageFileThatIsAFifoIsRefusedWithItsName) {
  const test::ScratchFolder folder;
  const testing::Fifo fifo(folder.file("pipe.qrl"));
  EditorStageSlots set;
  StageLoadResult result;
  ASSERT_TRUE(fifo.returnsWithin([&] { result = loadStageFile(fifo.path(), set); })) << "the load hung";
  EXPECT_FALSE(result);
  EXPECT_EQ(result.error.text(), fifo.path() + ": not a regular file (a FIFO)");
}

}  // namespace
}  // namespace quorel
