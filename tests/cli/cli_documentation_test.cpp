#include <gtest/gtest.h>

#include <set>
#include <string>

#include "cli/cli_options.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

bool IsLower(char c) {
  return c >= 'a' && c <= 'z';
}

// The long options ("--name", letters and inner dashes) a text mentions; a roff source
// writes each dash as "\-".
std::set<std::string> LongOptions(std::string text) {
  for (std::size_t at = text.find("\\-"); at != std::string::npos; at = text.find("\\-", at))
    text.erase(at, 1);
  std::set<std::string> options;
  for (std::size_t at = text.find("--"); at != std::string::npos; at = text.find("--", at + 2)) {
    std::size_t end = at + 2;
    while (end < text.size() &&
           (IsLower(text[end]) || (text[end] == '-' && end + 1 < text.size() && IsLower(text[end + 1]))))
      ++end;
    if (end > at + 2 && IsLower(text[at + 2])) options.insert(text.substr(at, end - at));
  }
  return options;
}

// The man page and the bash completion are written by hand from the usage text; an option
// added to or dropped from the program without them fails here.
TEST(CliDocumentationTest, ManPageAndCompletionKnowEveryOptionOfTheUsageText) {
  const std::set<std::string> usage = LongOptions(CliHelpText());
  ASSERT_TRUE(usage.count("--quality") && usage.count("--version"));

  const std::string manPage = testing::FileContents(testing::SourceDir() / "data/man/quillstone-cli.1.in");
  ASSERT_FALSE(manPage.empty());
  EXPECT_EQ(LongOptions(manPage), usage);

  const std::string completion =
      testing::FileContents(testing::SourceDir() / "data/completion/quillstone-cli");
  ASSERT_FALSE(completion.empty());
  EXPECT_EQ(LongOptions(completion), usage);
}

}  // namespace
}  // namespace quillstone
