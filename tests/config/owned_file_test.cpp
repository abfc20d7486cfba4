#include "config/owned_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "config/text_lines_file.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

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
}

TEST(OwnedFile, ReplaceKeepsPermissionsAndFollowsLinks) {
  testing::TempDir dir;
  Put(dir / "target", "old");
  ::chmod((dir / "target").c_str(), 0640);
  std::filesystem::create_symlink("target", dir / "link");
  ASSERT_TRUE(ReplaceFile(dir / "link", "new").ok());
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link"));
  EXPECT_EQ(Slurp(dir / "target"), "new");
  struct stat info {};
  ASSERT_EQ(::stat((dir / "target").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(OwnedFile, AFailedReplaceReportsAndLeavesNoTrace) {
  testing::TempDir dir;
  std::filesystem::create_directory(dir / "folder");
  Put(dir / "folder" / "inside", "x");
  const Status overFolder = ReplaceFile(dir / "folder", "bytes");
  EXPECT_FALSE(overFolder.ok());
  EXPECT_NE(overFolder.message().find("folder"), std::string::npos) << overFolder.message();
  EXPECT_EQ(Slurp(dir / "folder" / "inside"), "x");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

  EXPECT_FALSE(ReplaceFile(dir / "no" / "such" / "file", "bytes").ok());
}

TEST(TextLines, SplitsOnEveryKindOfLineEnd) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(SplitTextLines(""), Lines{});
  EXPECT_EQ(SplitTextLines("\n"), Lines{""});
  EXPECT_EQ(SplitTextLines("a"), Lines{"a"});
  EXPECT_EQ(SplitTextLines("a\r\nb\rc\nd\n"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitTextLines("a\n\n\nb"), (Lines{"a", "", "", "b"}));
  EXPECT_EQ(SplitTextLines("\xEF\xBB\xBFhi\r\n"), Lines{"hi"});
}

TEST(TextLines, DecodesLatin1WhenNotUtf8) {
  EXPECT_EQ(DecodeTextBytes("caf\xC3\xA9"), "caf\xC3\xA9");                // valid UTF-8 kept
  EXPECT_EQ(DecodeTextBytes("caf\xE9"), "caf\xC3\xA9");                    // Latin-1 e acute
  EXPECT_EQ(DecodeTextBytes("\xC0\x80"), "\xC3\x80\xC2\x80");              // overlong form is not UTF-8
  EXPECT_EQ(DecodeTextBytes("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xC2\x80");  // surrogate is not UTF-8
}

TEST(TextLines, WriteThenReadGivesTheSameLines) {
  testing::TempDir dir;
  const std::vector<std::string> lines{"First", "", "  indented", "\xC3\xA4\xC3\xB6", ""};
  ASSERT_TRUE(WriteTextLines(dir / "t.txt", lines).ok());
  EXPECT_EQ(Slurp(dir / "t.txt"), "First\n\n  indented\n\xC3\xA4\xC3\xB6\n\n");
  std::vector<std::string> read{"old"};
  bool missing = true;
  ASSERT_TRUE(ReadTextLines(dir / "t.txt", read, &missing).ok());
  EXPECT_FALSE(missing);
  EXPECT_EQ(read, lines);

  read = {"kept"};
  ASSERT_TRUE(ReadTextLines(dir / "none.txt", read, &missing).ok());
  EXPECT_TRUE(missing);
  EXPECT_EQ(read, std::vector<std::string>{"kept"});
}

}  // namespace
}  // namespace quillstone
