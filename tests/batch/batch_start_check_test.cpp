#include "batch/batch_start_check.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::TempDir;

TEST(BatchPrefixTest, DropsSurroundingBlanksOnly) {
  EXPECT_EQ(BatchPrefix("  web_ "), "web_");
  EXPECT_EQ(BatchPrefix("\tmy photo_\t"), "my photo_");
  EXPECT_EQ(BatchPrefix("   "), "");
}

// One job that passes every check; each case spoils one thing.
struct StartCheckCase {
  const char* label;
  const char* destination;  // in the temp folder, or blank as it stands; null keeps "dest"
  bool noImages;
  const char* prefix;
  std::string_view expected;  // the message, or "" for none
};

// A part of the message for a prefix that would lead out of the destination.
constexpr std::string_view kPrefixRefusal = "must not contain \"/\" or \"..\"";

class StartCheckTest : public ::testing::TestWithParam<StartCheckCase> {};

TEST_P(StartCheckTest, RefusesWithItsMessage) {
  const StartCheckCase& c = GetParam();
  TempDir temp;
  std::filesystem::create_directories(temp / "source" / "sub");
  std::filesystem::create_directories(temp / "dest");
  std::filesystem::create_directory(temp / "Source");
  std::filesystem::create_directory_symlink(temp / "source", temp / "link");
  BatchJob job{.sourceDirectory = (temp / "source").string() + "/",
               .names = {"a.jpg", "b.jpg"},
               .destinationDirectory = (temp / "dest").string()};
  if (c.destination != nullptr) {
    const bool blank = std::string_view(c.destination).find_first_not_of(' ') == std::string_view::npos;
    job.destinationDirectory = blank ? c.destination : (temp / c.destination).string();
  }
  if (c.noImages) job.names.clear();
  job.prefix = c.prefix;

  const Status status = CheckBatchStart(job);
  if (c.expected.empty()) {
    EXPECT_TRUE(status.ok()) << status.message();
  } else if (c.expected == kPrefixRefusal) {
    EXPECT_NE(status.message().find(c.expected), std::string::npos) << status.message();
  } else {
    EXPECT_EQ(status.message(), c.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Checks, StartCheckTest,
    ::testing::Values(StartCheckCase{"Passes", nullptr, false, "", ""},
                      StartCheckCase{"BlankDestination", "  ", false, "", kNoDestinationMessage},
                      // The first failing check speaks: an empty destination before an empty list.
                      StartCheckCase{"BlankDestinationAndNoImages", "", true, "", kNoDestinationMessage},
                      StartCheckCase{"SameText", "source", false, "", kSameDirectoryMessage},
                      StartCheckCase{"SameThroughLink", "link", false, "", kSameDirectoryMessage},
                      StartCheckCase{"SameThroughDotDot", "source/sub/..", false, "", kSameDirectoryMessage},
                      // Letter case makes another folder: a second one, and one that does not exist yet.
                      StartCheckCase{"FolderDifferingInLetterCase", "Source", false, "", ""},
                      StartCheckCase{"MissingFolderDifferingInLetterCase", "SOURCE/", false, "",
                                     kMissingDestinationMessage},
                      StartCheckCase{"NoImages", nullptr, true, "", kNoImagesMessage},
                      StartCheckCase{"MissingDestination", "nothere", false, "", kMissingDestinationMessage},
                      StartCheckCase{"SubdirectoryOfSource", "source/sub", false, "", ""},
                      // A prefix that leads out of the destination (the output name's rule).
                      StartCheckCase{"PrefixUp", nullptr, false, "../", kPrefixRefusal}),
    [](const ::testing::TestParamInfo<StartCheckCase>& info) { return std::string(info.param.label); });

TEST(OneLineMessageTest, JoinsTheLinesOfAMessageBox) {
  EXPECT_EQ(OneLineMessage(kNoImagesMessage),
            "No images found for watermarking ! Please select an other sourcedirectory !");
  EXPECT_EQ(OneLineMessage("a\r\n\r\nb\n"), "a b");
}

}  // namespace
}  // namespace quillstone
