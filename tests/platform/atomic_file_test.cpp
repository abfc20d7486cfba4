#include "platform/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/test_support.h"

namespace quillstone {
namespace {

namespace fs = std::filesystem;

TEST(AtomicFile, ReplacingKeepsPermissionsAndLeavesNoTemporaryFile) {
  testing::TempDir dir;
  const fs::path path = dir / "notes.txt";
  std::ofstream(path) << "old";
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(WriteFileReplacing(path, "new").ok());
  EXPECT_EQ(testing::FileContents(path), "new");
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);
}

// A link stays a link; the file it leads to is written, or made when it is missing.
TEST(AtomicFile, ReplacingWritesThroughASymbolicLink) {
  testing::TempDir dir;
  std::ofstream(dir / "target.txt") << "old";
  fs::create_directory(dir / "sub");
  fs::create_symlink("target.txt", dir / "link.txt");
  fs::create_symlink("sub/new.txt", dir / "dangling.txt");
  ASSERT_TRUE(WriteFileReplacing((dir / "link.txt").string(), "new").ok());
  ASSERT_TRUE(WriteFileReplacing(dir / "dangling.txt", "made").ok());
  EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
  EXPECT_TRUE(fs::is_symlink(dir / "dangling.txt"));
  EXPECT_EQ(testing::FileContents(dir / "target.txt"), "new");
  EXPECT_EQ(testing::FileContents(dir / "sub" / "new.txt"), "made");
}

TEST(AtomicFile, FailedReplaceLeavesWhatWasThere) {
  testing::TempDir dir;
  fs::create_directory(dir / "taken.txt");
  std::ofstream(dir / "taken.txt" / "inside") << "keep";
  const Status status = WriteFileReplacing((dir / "taken.txt").string(), "new");
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find("taken.txt"), std::string::npos);
  EXPECT_EQ(testing::FileContents(dir / "taken.txt" / "inside"), "keep");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);
  EXPECT_FALSE(WriteFileReplacing((dir / "no-folder" / "x.txt").string(), "new").ok());
}

TEST(AtomicFile, EveryNameTheFileSystemTakesCanBeWritten) {
  testing::TempDir dir;
  for (const std::size_t length : {242u, 250u, 255u}) {
    const fs::path path = dir / std::string(length, 'n');
    ASSERT_TRUE(WriteFileReplacing(path, "new").ok()) << length;
    ASSERT_TRUE(WriteFileReplacing(path, "newer").ok()) << length;
    EXPECT_EQ(testing::FileContents(path), "newer");
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 3);
}

// A link that leads round in a circle names no file: nothing is written anywhere, not even
// a temporary file in the current folder.
TEST(AtomicFile, LinkLoopIsRefusedBeforeAnythingIsWritten) {
  testing::TempDir dir;
  testing::TempDir current;
  fs::create_symlink("self.txt", dir / "self.txt");
  fs::create_symlink("b.txt", dir / "a.txt");
  fs::create_symlink("a.txt", dir / "b.txt");
  const fs::path before = fs::current_path();
  fs::current_path(current.path());
  for (const char* name : {"self.txt", "a.txt"}) {
    AtomicFile file;
    const Status status = file.Open(dir / name);
    EXPECT_FALSE(status.ok()) << name;
    EXPECT_NE(status.message().find("a link loop"), std::string::npos) << status.message();
  }
  fs::current_path(before);
  EXPECT_TRUE(fs::is_empty(current.path()));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 3);
}

}  // namespace
}  // namespace quillstone
