#include "platform/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_time.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

namespace fs = std::filesystem;

TEST(TextFile, DecodesUtf8AndLatin1) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain", "plain"},
      {"\xEF\xBB\xBFwith mark", "with mark"},
      {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
      {"caf\xE9", "caf\xC3\xA9"},                    // Latin-1 e acute
      {"\xC3\xA9\xE9", "\xC3\xA9\xC3\xA9"},          // both in one text
      {"\xC0\xAF", "\xC3\x80\xC2\xAF"},              // overlong '/' is no UTF-8
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},  // a surrogate is no UTF-8
      {"\xE2\x82", "\xC3\xA2\xC2\x82"},              // cut short at the end
      {std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(DecodeTextBytes(bytes), text);
}

TEST(TextFile, SplitsLinesAtAnyBreak) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(SplitTextLines(""), Lines{});
  EXPECT_EQ(SplitTextLines("a"), Lines{"a"});
  EXPECT_EQ(SplitTextLines("a\r\n"), Lines{"a"});
  EXPECT_EQ(SplitTextLines("\r\n"), Lines{""});
  EXPECT_EQ(SplitTextLines("a\n\rb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitTextLines("a\r\rb\n\n"), (Lines{"a", "", "b", ""}));
  EXPECT_EQ(JoinLinesCrLf({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(TextFile, ReadOutcomes) {
  testing::TempDir dir;
  EXPECT_EQ(ReadTextFileLines((dir / "none.txt").string()).outcome, TextFileRead::Outcome::kMissing);
  EXPECT_EQ(ReadTextFileLines((dir / "none/deeper.txt").string()).outcome, TextFileRead::Outcome::kMissing);
  fs::create_directory(dir / "folder.txt");
  const TextFileRead folder = ReadTextFileLines((dir / "folder.txt").string());
  EXPECT_EQ(folder.outcome, TextFileRead::Outcome::kUnreadable);
  EXPECT_FALSE(folder.error.empty());
}

TEST(FileTime, PipeGivesATimeWithoutBlockingAndYearsGoBeyondAnInt) {
  testing::TempDir dir;
  const fs::path pipe = dir / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_TRUE(FileLastWriteTime(pipe.string()).has_value());
  EXPECT_FALSE(FileLastWriteTime((dir / "missing").string()).has_value());
  EXPECT_FALSE(FileLastWriteTime(dir.path().string()).has_value());
  // A file time far in the future gives its own year, past what an int holds: two days
  // before the last second the C library converts, so in any time zone.
  const LocalDateTime t = ToLocalDateTime(67768036191676799 - 2 * 86400, 0);
  EXPECT_EQ(t.year, 2147485547);
  EXPECT_EQ(t.month, 12);
}

}  // namespace
}  // namespace quillstone
