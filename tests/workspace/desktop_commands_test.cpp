#include "workspace/desktop_commands.h"

#include <gtest/gtest.h>

#include "batch/batch_test_files.h"
#include "imagefiles/size_preset.h"
#include "support/decoded_file.h"
#include "workspace/desktop_fakes.h"
#include "workspace/workspace_fixture.h"

namespace quillstone {
namespace {

using testing::FakeClipboard;
using testing::FakePriority;
using testing::FakeWallpaper;
using testing::MakeGradientRaster;

class DesktopCommandsTest : public testing::WorkspaceTest {
 protected:
  DesktopCommandsTest() {
    workspace.SetSourceImage(MakeGradientRaster(30, 20), "g.bmp", home.path().string());
    workspace.Render();
  }
};

// A picture from the clipboard becomes the source through "temp.bmp", selected in the list
// of the user directory, resized by the size preset; the reminder comes either way.
TEST_F(DesktopCommandsTest, ClipboardInGoesThroughTheHoldingFile) {
  testing::WriteTestBmp(home / "other.bmp", 8, 8);
  FakeClipboard clipboard;
  clipboard.held = MakeGradientRaster(64, 40);
  workspace.settings().resize.preset = SizePreset::kPercent50;
  prompter.answers = {true};
  ASSERT_TRUE(GetImageFromClipboard(workspace, clipboard));
  EXPECT_EQ(workspace.currentFileName(), "temp.bmp");
  RasterImage resized = *clipboard.held, scratch;
  ApplySizePreset(resized, workspace.settings().resize, scratch);
  EXPECT_EQ(workspace.originalImage(), resized);
  EXPECT_LT(resized.Width(), 64);
  EXPECT_EQ(prompter.messages.back(), "Clipboard: " + std::string(kClipboardReminder));

  // No picture, or No: nothing changes; the reminder only follows the question answered Yes.
  clipboard.held.reset();
  const RasterImage before = workspace.originalImage();
  prompter.answers = {true, false};
  EXPECT_FALSE(GetImageFromClipboard(workspace, clipboard));
  EXPECT_FALSE(GetImageFromClipboard(workspace, clipboard));
  EXPECT_EQ(workspace.originalImage(), before);
  EXPECT_EQ(prompter.messages.size(), 2u);
}

TEST_F(DesktopCommandsTest, ClipboardOutTakesTheMarkedPicture) {
  FakeClipboard clipboard;
  prompter.answers = {false, true};
  EXPECT_FALSE(CopyImageToClipboard(workspace, clipboard));
  EXPECT_FALSE(clipboard.held);
  EXPECT_TRUE(CopyImageToClipboard(workspace, clipboard));
  EXPECT_EQ(clipboard.held, workspace.watermarkedImage());
}

TEST_F(DesktopCommandsTest, WallpaperStylesAndTheOldOneBackOnFailure) {
  FakeWallpaper wallpaper;
  prompter.answers = {true};
  ASSERT_TRUE(SetWallpaperCommand(workspace, wallpaper, WallpaperStyle::kStretched));
  const std::string uri = "file://" + (home / "wallpaper.bmp").string();
  EXPECT_EQ(wallpaper.applied, (std::vector<Wallpaper>{{uri, uri, "stretched"}}));
  EXPECT_EQ(testing::Decoded(home / "wallpaper.bmp"), workspace.watermarkedImage());

  // Refused: the wallpaper before goes back and the reason is shown.
  const Wallpaper before = wallpaper.current;
  wallpaper.refused = "wallpaper";
  prompter.answers = {true};
  EXPECT_FALSE(SetWallpaperCommand(workspace, wallpaper, WallpaperStyle::kTiled));
  EXPECT_EQ(wallpaper.applied.back(), before);
  EXPECT_EQ(wallpaper.current, before);
  EXPECT_NE(prompter.messages.back().find("the desktop said no"), std::string::npos);

  // Where the desktop offers no way, the entry says why and asks nothing.
  wallpaper.unavailable = "no portal";
  const std::size_t asked = prompter.questions.size();
  EXPECT_FALSE(SetWallpaperCommand(workspace, wallpaper, WallpaperStyle::kTiled));
  EXPECT_EQ(prompter.questions.size(), asked);
  EXPECT_NE(prompter.messages.back().find("no portal"), std::string::npos);
}

TEST_F(DesktopCommandsTest, FullViewHandsTemp2ToTheDesktop) {
  ASSERT_TRUE(ShowFullViewCommand(workspace));
  EXPECT_EQ(opener.opened, std::vector<std::filesystem::path>{home / "temp2.bmp"});
  EXPECT_EQ(testing::Decoded(home / "temp2.bmp"), workspace.watermarkedImage());
}

TEST_F(DesktopCommandsTest, RefusedPriorityKeepsTheOneInForce) {
  FakePriority control;
  control.refuseRaising = true;
  EXPECT_EQ(ChangePriorityCommand(workspace, control, ProcessPriority::kNormal, ProcessPriority::kHigh),
            ProcessPriority::kNormal);
  EXPECT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(ChangePriorityCommand(workspace, control, ProcessPriority::kNormal, ProcessPriority::kIdle),
            ProcessPriority::kIdle);
  EXPECT_EQ(control.set, std::vector<ProcessPriority>{ProcessPriority::kIdle});
}

}  // namespace
}  // namespace quillstone
