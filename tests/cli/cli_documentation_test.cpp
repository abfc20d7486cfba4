#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "cli/cli_options.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

// The long options ("--name") a text mentions; a roff source writes each dash as "\-".
std::set<std::string> LongOptions(std::string text) {
  text = std::regex_replace(text, std::regex(R"(\\-)"), "-");
  std::set<std::string> options;
  const std::regex option("--[a-z][a-z-]*[a-z]");
  for (auto match = std::sregex_iterator(text.begin(), text.end(), option); match != std::sregex_iterator();
       ++match)
    options.insert(match->str());
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
