#include "workspace/source_browsing.h"

#include <gtest/gtest.h>

#include "batch/batch_test_files.h"
#include "platform/atomic_file.h"
#include "platform/text_file.h"
#include "support/decoded_file.h"
#include "workspace/workspace_fixture.h"

namespace quillstone {
namespace {

using testing::TempDir;

using SourceBrowsingTest = testing::WorkspaceTest;

// An unreadable JPEG opens as the placeholder under its own name; a broken bitmap leaves
// the current image, its name and its per-image text alone; opening turns as chosen.
TEST_F(SourceBrowsingTest, OpeningListedFiles) {
  testing::WriteTestJpeg(pictures / "a.jpg", 30, 20);
  testing::WriteFile(pictures / "b.bmp", "BM broken");
  testing::WriteFile(pictures / "c.jpg", "not a jpeg");
  ASSERT_TRUE(WriteFileReplacing((pictures / "a.jpg.txt").string(), "Beach\r\n"));
  workspace.settings().orientation.orientation = Orientation::kRotate90Clockwise;
  ASSERT_TRUE(ChangeSourceDirectory(workspace, pictures.path().string()));
  ASSERT_TRUE(ChangeFileMask(workspace, "*.jpg;*.bmp"));

  ASSERT_TRUE(OpenSelectedFile(workspace));
  EXPECT_EQ(workspace.currentFileName(), "a.jpg");
  EXPECT_EQ(workspace.sourceDirectory(), pictures.path().string() + "/");
  EXPECT_EQ(testing::SizeOf(workspace.originalImage()), std::pair(20, 30));
  EXPECT_EQ(workspace.individualText().lines, std::vector<std::string>{"Beach"});
  EXPECT_EQ(renders, 1);

  EXPECT_TRUE(StepSourceFile(workspace, SourceStep::kNext).failed());
  EXPECT_EQ(workspace.currentFileName(), "a.jpg");
  EXPECT_EQ(workspace.originalImage().Height(), 30);
  EXPECT_EQ(workspace.individualText().lines, std::vector<std::string>{"Beach"});
  EXPECT_EQ(renders, 1);

  ASSERT_TRUE(StepSourceFile(workspace, SourceStep::kNext));
  EXPECT_EQ(workspace.currentFileName(), "c.jpg");
  EXPECT_EQ(workspace.originalImage().Width(), testing::Decoded(testing::PlaceholderPicture()).Height())
      << "turned like any picture";
  EXPECT_EQ(renders, 2);
}

TEST_F(SourceBrowsingTest, PreviewAddsTheFolderToTheHistoryAndKeepsTheImageBeingMarked) {
  testing::WriteFile(pictures / "c.jpg", "not a jpeg");
  ASSERT_TRUE(ChangeSourceDirectory(workspace, pictures.path().string()));
  RasterImage preview;
  ASSERT_TRUE(PreviewFile(workspace, preview));
  EXPECT_EQ(preview, testing::Decoded(testing::PlaceholderPicture()));
  EXPECT_EQ(workspace.sourceHistory().entries(), std::vector<std::string>{pictures.path().string() + "/"});
  EXPECT_EQ(workspace.currentFileName(), "");
  EXPECT_EQ(renders, 0);
}

TEST_F(SourceBrowsingTest, SourceHistoryEntryOfAFolderThatIsGoneChangesNothing) {
  testing::WriteTestJpeg(pictures / "a.jpg");
  {
    TempDir gone;
    workspace.sourceHistory().Add(gone.path().string());
  }
  workspace.sourceHistory().Add(pictures.path().string());
  EXPECT_TRUE(ChooseSourceHistoryEntry(workspace, prompter, 0));
  EXPECT_EQ(workspace.sourceFiles().directory(), pictures.path().string() + "/");
  EXPECT_FALSE(ChooseSourceHistoryEntry(workspace, prompter, 1));
  EXPECT_EQ(prompter.messages, std::vector<std::string>{"ERROR: Sourcedirectory does not longer exist !"});
  EXPECT_EQ(workspace.sourceFiles().directory(), pictures.path().string() + "/");
}

TEST_F(SourceBrowsingTest, ConvertImagesSwitchesTheMarksOffOnlyAfterYes) {
  WatermarkSettings& settings = workspace.settings().watermark;
  settings.combination = CombinationOrder::kLTC;
  settings.action = WatermarkAction::kUseText;
  settings.texture.enabled = true;
  settings.logo.places.fill(true);
  const WatermarkSettings before = settings;
  EXPECT_FALSE(ConvertImagesCommand(workspace, prompter));
  EXPECT_EQ(settings, before);

  prompter.answers = {true};
  EXPECT_TRUE(ConvertImagesCommand(workspace, prompter));
  EXPECT_EQ(settings.combination, CombinationOrder::kActive);
  EXPECT_EQ(settings.action, WatermarkAction::kPlaceLogo);
  EXPECT_FALSE(settings.frame.outerOn || settings.frame.innerOn || settings.texture.enabled);
  for (const bool on : settings.logo.places) EXPECT_FALSE(on);
  EXPECT_EQ(renders, 1);
}

}  // namespace
}  // namespace quillstone
