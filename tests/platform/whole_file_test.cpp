#include "platform/whole_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/test_support.h"

namespace quillstone {
namespace {

namespace fs = std::filesystem;
using Outcome = WholeFileRead::Outcome;

struct ReadCase {
  const char* path;  // inside the test folder
  std::size_t limit;
  Outcome outcome;
  const char* content;  // what bytes holds afterwards
  const char* reason;   // a part of the reason
};

// A file, a folder, a named pipe and a missing path, read with various limits; whatever is
// not read leaves the bytes alone, and nothing blocks.
TEST(WholeFile, ReadsOnlyRegularFilesWithinTheLimit) {
  testing::TempDir dir;
  std::ofstream(dir / "ten", std::ios::binary) << "0123456789";
  fs::create_directory(dir / "folder");
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  const ReadCase cases[] = {
      {"ten", 10, Outcome::kRead, "0123456789", ""},
      {"ten", 9, Outcome::kRefused, "kept", "the file is larger than 9 bytes"},
      {"none", 10, Outcome::kMissing, "kept", "No such file"},
      {"ten/below", 10, Outcome::kMissing, "kept", ""},
      {"folder", 10, Outcome::kRefused, "kept", "it is a folder"},
      {"pipe", 10, Outcome::kRefused, "kept", "it is not a regular file"},
  };
  for (const ReadCase& c : cases) {
    std::string bytes = "kept";
    const auto start = std::chrono::steady_clock::now();
    const WholeFileRead read = ReadWholeFile(dir / c.path, c.limit, bytes);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << c.path;
    EXPECT_EQ(read.outcome, c.outcome) << c.path;
    EXPECT_EQ(bytes, c.content) << c.path;
    EXPECT_NE(read.reason.find(c.reason), std::string::npos) << c.path << ": " << read.reason;
  }
}

// The leading bytes are checked before the rest is read: a huge file of the wrong kind is
// refused at once, and the check sees no more than the file holds.
TEST(WholeFile, LeadingBytesAreCheckedFirst) {
  testing::TempDir dir;
  std::ofstream(dir / "huge").close();
  fs::resize_file(dir / "huge", std::uintmax_t{1} << 31);  // sparse: no disk space taken
  std::ofstream(dir / "short") << "AB";
  std::string seen;
  const LeadingBytesCheck check = [&seen](std::string_view leading) {
    seen = leading;
    return leading.starts_with("AB") ? std::string() : std::string("no AB");
  };
  std::string bytes;
  const auto start = std::chrono::steady_clock::now();
  const WholeFileRead huge = ReadWholeFile(dir / "huge", std::size_t{1} << 32, bytes, check);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  EXPECT_EQ(huge.reason, "no AB");
  EXPECT_EQ(seen.size(), kLeadingBytes);
  EXPECT_TRUE(bytes.empty());

  ASSERT_TRUE(ReadWholeFile(dir / "short", 100, bytes, check).read());
  EXPECT_EQ(seen, "AB");
  EXPECT_EQ(bytes, "AB");
}

// A file that holds more than its size says (as those under /proc do, or one still being
// written) is read on to its end, within the limit.
TEST(WholeFile, ReadsOnPastTheMeasuredSize) {
  std::ifstream file("/proc/version", std::ios::binary);
  const std::string expected((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_GT(expected.size(), 10u);
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile("/proc/version", 1 << 20, bytes).read());
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(ReadWholeFile("/proc/version", 10, bytes).reason, "the file is larger than 10 bytes");
  EXPECT_EQ(bytes, expected);
}

}  // namespace
}  // namespace quillstone
