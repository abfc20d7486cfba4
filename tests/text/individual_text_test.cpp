#include "text/individual_text.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/test_support.h"

namespace quillstone {
namespace {

using Lines = std::vector<std::string>;

using testing::WriteFile;

class IndividualTexts : public ::testing::Test {
 protected:
  std::string Side(const std::string& name) const { return (dir_ / name).string(); }
  testing::TempDir dir_;
};

TEST(SideFilePaths, NameWithExtensionAndTxt) {
  EXPECT_EQ(SideFilePath("/pics/", "beach.jpg"), "/pics/beach.jpg.txt");
  EXPECT_EQ(SideFilePath("/pics", "beach.jpg"), "/pics/beach.jpg.txt");
  EXPECT_EQ(SideFilePathForImage("/pics/IMG_1.JPG"), "/pics/IMG_1.JPG.txt");
}

TEST_F(IndividualTexts, FoundWithAnyLineBreakAndOnlyWithTheImagesExtension) {
  // Read through the shared text reader (its tests cover every line break and encoding).
  const std::pair<std::string, Lines> cases[] = {
      {"\xEF\xBB\xBFone\r\n\r\nthr\xC3\xA9\ne", {"one", "", "thr\xC3\xA9", "e"}},
      {std::string(500, 'w') + "\r\n", {std::string(500, 'w')}},  // one hard line, however long
  };
  for (const auto& [bytes, lines] : cases) {
    WriteFile(dir_ / "beach.jpg.txt", bytes);
    EXPECT_EQ(LoadIndividualText(Side("beach.jpg.txt")),
              (IndividualText{Side("beach.jpg.txt"), lines, lines, SideFileState::kFound, ""}));
  }
  // A text without the image's extension is not the image's.
  std::filesystem::remove(dir_ / "beach.jpg.txt");
  WriteFile(dir_ / "beach.txt", "not for beach.jpg\r\n");
  EXPECT_EQ(LoadIndividualTextForImage(Side("beach.jpg")).state, SideFileState::kNotFound);
}

TEST_F(IndividualTexts, SaveWritesCrLfAndLoadsBack) {
  IndividualText text = LoadIndividualText(Side("beach.jpg.txt"));
  text.lines = {"first", "", "caf\xC3\xA9"};
  ASSERT_TRUE(SaveIndividualText(text).ok());
  EXPECT_EQ(testing::FileContents(dir_ / "beach.jpg.txt"), "first\r\n\r\ncaf\xC3\xA9\r\n");
  EXPECT_EQ(text.state, SideFileState::kFound);
  EXPECT_EQ(LoadIndividualText(Side("beach.jpg.txt")).lines, text.lines);
}

TEST_F(IndividualTexts, EmptiedTextDeletesTheSideFile) {
  WriteFile(dir_ / "beach.jpg.txt", "old\r\n");
  IndividualText text = LoadIndividualText(Side("beach.jpg.txt"));
  text.lines.clear();
  ASSERT_TRUE(SaveIndividualText(text).ok());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "beach.jpg.txt"));
  EXPECT_EQ(text.state, SideFileState::kNotFound);
  // Saving again is no error, also when the file is already gone.
  EXPECT_TRUE(SaveIndividualText(text).ok());
}

TEST_F(IndividualTexts, UnchangedTextIsNotRewritten) {
  // Latin-1 bytes and LF breaks stay as they are when nobody edited the text.
  WriteFile(dir_ / "beach.jpg.txt", "caf\xE9\nline");
  IndividualText text = LoadIndividualText(Side("beach.jpg.txt"));
  ASSERT_TRUE(SaveIndividualText(text).ok());
  EXPECT_EQ(testing::FileContents(dir_ / "beach.jpg.txt"), "caf\xE9\nline");
  text.lines.push_back("more");
  ASSERT_TRUE(SaveIndividualText(text).ok());
  EXPECT_EQ(testing::FileContents(dir_ / "beach.jpg.txt"), "caf\xC3\xA9\r\nline\r\nmore\r\n");
}

TEST_F(IndividualTexts, FileThatWasNotThereIsNotDeletedAndNothingLoadedNothingSaved) {
  IndividualText text = LoadIndividualText(Side("beach.jpg.txt"));
  ASSERT_EQ(text.state, SideFileState::kNotFound);
  WriteFile(dir_ / "beach.jpg.txt", "written by someone else\r\n");
  EXPECT_TRUE(SaveIndividualText(text).ok());
  EXPECT_EQ(testing::FileContents(dir_ / "beach.jpg.txt"), "written by someone else\r\n");
  IndividualText nothing;
  nothing.lines = {"x"};
  EXPECT_TRUE(SaveIndividualText(nothing).ok());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1);
}

TEST_F(IndividualTexts, UnreadableSideFileIsNeverDeletedOrOverwritten) {
  // A folder with the side file's name is there but cannot be read as a text.
  std::filesystem::create_directory(dir_ / "beach.jpg.txt");
  IndividualText text = LoadIndividualText(Side("beach.jpg.txt"));
  EXPECT_EQ(text.state, SideFileState::kUnreadable);
  EXPECT_TRUE(text.lines.empty());
  EXPECT_TRUE(SaveIndividualText(text).ok());  // nothing typed: nothing to do
  text.lines = {"typed"};
  const Status status = SaveIndividualText(text);
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(status.message(), kIndividualTextSaveErrorMessage);
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "beach.jpg.txt"));
}

TEST_F(IndividualTexts, FileWithoutReadPermissionIsKept) {
  WriteFile(dir_ / "beach.jpg.txt", "secret\r\n");
  std::filesystem::permissions(dir_ / "beach.jpg.txt", std::filesystem::perms::none);
  if (::access(Side("beach.jpg.txt").c_str(), R_OK) == 0) {
    GTEST_SKIP() << "running with rights that read any file; the folder case covers unreadable side files";
  }
  IndividualText text = LoadIndividualText(Side("beach.jpg.txt"));
  EXPECT_EQ(text.state, SideFileState::kUnreadable);
  EXPECT_TRUE(SaveIndividualText(text).ok());
  std::filesystem::permissions(dir_ / "beach.jpg.txt", std::filesystem::perms::owner_all);
  EXPECT_EQ(testing::FileContents(dir_ / "beach.jpg.txt"), "secret\r\n");
}

TEST_F(IndividualTexts, FailedWriteReportsTheSaveError) {
  IndividualText text = LoadIndividualText(Side("missing-folder/beach.jpg.txt"));
  EXPECT_EQ(text.state, SideFileState::kNotFound);
  text.lines = {"x"};
  const Status status = SaveIndividualText(text);
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(status.message(), "Unable to save the individual text !");
  EXPECT_EQ(text.state, SideFileState::kNotFound);
}

TEST(ApplyIndividualTexts, ReplacesTheWatermarkTextWhenOn) {
  IndividualText text;
  text.lines = {"per image"};
  Lines watermark = {"common"};
  ApplyIndividualText(text, false, watermark);
  EXPECT_EQ(watermark, Lines{"common"});
  ApplyIndividualText(text, true, watermark);
  EXPECT_EQ(watermark, Lines{"per image"});
  ApplyIndividualText(IndividualText{}, true, watermark);  // not found: no text at all
  EXPECT_TRUE(watermark.empty());
}

}  // namespace
}  // namespace quillstone
