#include "config/owned_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "support/test_support.h"

namespace quillstone {
namespace {

void Put(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST(OwnedFile, ReadsWholeFilesAndTellsAMissingOne) {
  testing::TempDir dir;
  Put(dir / "a", std::string("x\0y", 3));
  std::string bytes;
  bool missing = true;
  ASSERT_TRUE(ReadWholeFile(dir / "a", bytes, &missing).ok());
  EXPECT_EQ(bytes, std::string("x\0y", 3));
  EXPECT_FALSE(missing);

  ASSERT_TRUE(ReadWholeFile(dir / "b", bytes, &missing).ok());
  EXPECT_TRUE(missing);
  EXPECT_EQ(bytes, "");

  bytes = "kept";
  EXPECT_FALSE(ReadWholeFile(dir.path(), bytes).ok());
  EXPECT_EQ(bytes, "kept");

  Put(dir / "big", std::string(100, 'z'));
  EXPECT_FALSE(ReadWholeFile(dir / "big", bytes, nullptr, 99).ok());
  EXPECT_TRUE(ReadWholeFile(dir / "big", bytes, nullptr, 100).ok());

  // A path through a file names no file: missing, not an error.
  ASSERT_TRUE(ReadWholeFile(dir / "a" / "b", bytes, &missing).ok());
  EXPECT_TRUE(missing);
}

TEST(OwnedFile, RefusesWhatIsNoRegularFile) {
  testing::TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  std::string bytes = "kept";
  const Status status = ReadWholeFile(dir / "pipe", bytes);
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find("pipe"), std::string::npos) << status.message();
  EXPECT_EQ(bytes, "kept");
}

}  // namespace
}  // namespace quillstone
