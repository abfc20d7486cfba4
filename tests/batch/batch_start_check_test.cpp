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
  void (*spoil)(BatchJob& job, const std::filesystem::path& temp);
  std::string expected;  // the message, or "" for none
};

class StartCheckTest : public ::testing::TestWithParam<StartCheckCase> {};

TEST_P(StartCheckTest, RefusesWithItsMessage) {
  TempDir temp;
  std::filesystem::create_directories(temp / "source" / "sub");
  std::filesystem::create_directories(temp / "dest");
  std::filesystem::create_directory_symlink(temp / "source", temp / "link");
  BatchJob job;
  job.sourceDirectory = (temp / "source").string() + "/";
  job.destinationDirectory = (temp / "dest").string();
  job.names = {"a.jpg", "b.jpg"};
  GetParam().spoil(job, temp.path());

  const Status status = CheckBatchStart(job);
  if (GetParam().expected.empty()) {
    EXPECT_TRUE(status.ok()) << status.message();
  } else {
    EXPECT_EQ(status.message(), GetParam().expected);
  }
}

const std::string kPrefixRefusal = "must not contain \"/\" or \"..\"";

INSTANTIATE_TEST_SUITE_P(
    Checks, StartCheckTest,
    ::testing::Values(
        StartCheckCase{"Passes", [](BatchJob&, const std::filesystem::path&) {}, ""},
        StartCheckCase{"BlankDestination",
                       [](BatchJob& job, const std::filesystem::path&) { job.destinationDirectory = "  "; },
                       std::string(kNoDestinationMessage)},
        // The first failing check speaks: an empty destination before an empty list.
        StartCheckCase{"BlankDestinationAndNoImages",
                       [](BatchJob& job, const std::filesystem::path&) {
                         job.destinationDirectory.clear();
                         job.names.clear();
                       },
                       std::string(kNoDestinationMessage)},
        StartCheckCase{"SameText",
                       [](BatchJob& job, const std::filesystem::path& t) {
                         job.destinationDirectory = (t / "source").string();
                       },
                       std::string(kSameDirectoryMessage)},
        StartCheckCase{"SameThroughLink",
                       [](BatchJob& job, const std::filesystem::path& t) {
                         job.destinationDirectory = (t / "link").string();
                       },
                       std::string(kSameDirectoryMessage)},
        StartCheckCase{"SameThroughDotDot",
                       [](BatchJob& job, const std::filesystem::path& t) {
                         job.destinationDirectory = (t / "source" / "sub" / "..").string();
                       },
                       std::string(kSameDirectoryMessage)},
        // Letter case makes another folder: a second one, and one that does not exist yet.
        StartCheckCase{"FolderDifferingInLetterCase",
                       [](BatchJob& job, const std::filesystem::path& t) {
                         std::filesystem::create_directory(t / "Source");
                         job.destinationDirectory = (t / "Source").string();
                       },
                       ""},
        StartCheckCase{"MissingFolderDifferingInLetterCase",
                       [](BatchJob& job, const std::filesystem::path& t) {
                         job.destinationDirectory = (t / "SOURCE/").string();
                       },
                       std::string(kMissingDestinationMessage)},
        StartCheckCase{"NoImages", [](BatchJob& job, const std::filesystem::path&) { job.names.clear(); },
                       std::string(kNoImagesMessage)},
        StartCheckCase{
            "MissingDestination",
            [](BatchJob& job,
               const std::filesystem::path& t) { job.destinationDirectory = (t / "nothere").string(); },
            std::string(kMissingDestinationMessage)},
        StartCheckCase{
            "SubdirectoryOfSource",
            [](BatchJob& job, const std::filesystem::path&
                                  t) { job.destinationDirectory = (t / "source" / "sub").string(); },
            ""},
        StartCheckCase{"BlankPrefix", [](BatchJob& job, const std::filesystem::path&) { job.prefix = "  "; },
                       ""}),
    [](const ::testing::TestParamInfo<StartCheckCase>& info) { return std::string(info.param.label); });

TEST(StartCheckTest, RefusesPrefixesThatLeaveTheDestination) {
  TempDir temp;
  std::filesystem::create_directories(temp / "source");
  std::filesystem::create_directories(temp / "dest");
  BatchJob job;
  job.sourceDirectory = (temp / "source").string();
  job.destinationDirectory = (temp / "dest").string();
  job.names = {"a.jpg"};
  for (const char* prefix : {"../", "sub/new_", "..", " ../x "}) {
    job.prefix = prefix;
    const Status status = CheckBatchStart(job);
    EXPECT_NE(status.message().find(kPrefixRefusal), std::string::npos) << prefix << ": " << status.message();
  }
  job.prefix = "v1.0_";  // a dot is fine, only ".." is not
  EXPECT_TRUE(CheckBatchStart(job).ok());
}

TEST(OneLineMessageTest, JoinsTheLinesOfAMessageBox) {
  EXPECT_EQ(OneLineMessage(kNoImagesMessage),
            "No images found for watermarking ! Please select an other sourcedirectory !");
  EXPECT_EQ(OneLineMessage("a\r\n\r\nb\n"), "a b");
}

}  // namespace
}  // namespace quillstone
