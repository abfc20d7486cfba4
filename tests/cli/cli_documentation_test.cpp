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

// The man page and the bash completion are written by hand; an option added to or dropped
// from the program's option table without them fails here.
TEST(CliDocumentationTest, ManPageAndCompletionKnowEveryOption) {
  std::set<std::string> options = {"--help", "--version"};
  for (const std::string_view name : CliOptionNames()) options.emplace(name);

  const std::string manPage = testing::FileContents(testing::SourceDir() / "data/man/quillstone-cli.1.in");
  ASSERT_FALSE(manPage.empty());
  EXPECT_EQ(LongOptions(manPage), options);

  const std::string completion =
      testing::FileContents(testing::SourceDir() / "data/completion/quillstone-cli");
  ASSERT_FALSE(completion.empty());
  EXPECT_EQ(LongOptions(completion), options);
  EXPECT_EQ(LongOptions(CliHelpText()), options);
}

}  // namespace
}  // namespace quillstone
