#include "workspace/logo_tools.h"

#include <gtest/gtest.h>

#include "imagefiles/bmp_writer.h"
#include "imaging/raster_flip.h"
#include "logo/logo_geometry.h"
#include "logo/logo_rotation.h"
#include "support/decoded_file.h"
#include "workspace/logo_editor.h"
#include "workspace/source_loading.h"
#include "workspace/workspace_fixture.h"

namespace quillstone {
namespace {

using testing::MakeGradientRaster;
using testing::Turned;

// A workspace marking an 8 x 8 gradient with a 30 x 20 gradient logo at the top-left place,
// no frames; renders are counted.
class LogoToolsTest : public testing::WorkspaceTest {
 protected:
  LogoToolsTest() {
    testing::PlainMarks(watermark(), 0);
    workspace.SetSourceImage(MakeGradientRaster(8, 8), "g.bmp", pictures.path().string());
    workspace.SetLogoImage(logo);
  }

  void TurnTo(int angle) {
    workspace.settings().logoTools.angle = angle;
    ASSERT_TRUE(TurnLogo(workspace));
  }

  const RasterImage logo = MakeGradientRaster(30, 20);
};

TEST_F(LogoToolsTest, EveryTurnStartsFromTheUntouchedCopyOntoTheFillColour) {
  workspace.settings().logoTools.rotationFill = colors::kRed;
  TurnTo(10);
  TurnTo(20);
  EXPECT_EQ(workspace.logoImage(), Turned(logo, 20, colors::kRed));
  EXPECT_EQ(workspace.logoCopy(), logo);
  TurnTo(0);
  EXPECT_EQ(workspace.logoImage(), logo);

  // "Use transparent" turns again onto the logo's transparent colour.
  workspace.settings().watermark.logo.transparentColor = colors::kWhite;
  TurnTo(45);
  ASSERT_TRUE(UseTransparentAsFill(workspace));
  EXPECT_EQ(workspace.settings().logoTools.rotationFill, colors::kWhite);
  EXPECT_EQ(workspace.logoImage(), Turned(logo, 45, colors::kWhite));
  EXPECT_EQ(renders, 0) << "the window asks for the render";
}

TEST_F(LogoToolsTest, ResetMakesTheTurnedLogoTheReferenceWithoutTurningOrRendering) {
  TurnTo(30);
  const RasterImage turned30 = workspace.logoImage();
  EXPECT_FALSE(ResetLogoAngle(workspace));  // No
  EXPECT_EQ(workspace.settings().logoTools.angle, 30);
  EXPECT_EQ(workspace.logoCopy(), logo);

  prompter.answers = {true};
  ASSERT_TRUE(ResetLogoAngle(workspace));
  EXPECT_EQ(workspace.settings().logoTools.angle, 0);
  EXPECT_EQ(workspace.logoImage(), turned30) << "resetting does not turn back";
  EXPECT_EQ(workspace.logoCopy(), turned30);
  EXPECT_EQ(renders, 0);
  TurnTo(10);
  EXPECT_EQ(workspace.logoImage(), Turned(turned30, 10));
}

TEST_F(LogoToolsTest, AutocropCutsTheLogoBlendedAndKeepsTheUncroppedCopy) {
  const RasterImage framed = testing::Framed(MakeGradientRaster(6, 4), 2, 3, 1, 2, colors::kWhite);
  workspace.SetLogoImage(framed);
  workspace.settings().logoTools.cropCorner = CropCorner::kBottomRight;
  AutocropLogoCommand(workspace);
  EXPECT_EQ(workspace.logoImage(), MakeGradientRaster(6, 4));
  EXPECT_EQ(workspace.logoCopy(), framed);
  EXPECT_EQ(renders, 1);
}

TEST_F(LogoToolsTest, SavingTheLogoWritesABitmapAndNamesAFailure) {
  TurnTo(90);
  prompter.files = {home / "mine.bmp"};
  ASSERT_TRUE(SaveLogoAsBitmap(workspace, workspace.logoImage()));
  EXPECT_EQ(testing::Decoded(home / "mine.bmp"), workspace.logoImage());

  prompter.files = {home / "missing" / "mine.bmp"};
  EXPECT_FALSE(SaveLogoAsBitmap(workspace, workspace.logoImage()));
  EXPECT_THAT(prompter.messages, ::testing::ElementsAre(::testing::HasSubstr("missing")));
  EXPECT_FALSE(SaveLogoAsBitmap(workspace, workspace.logoImage())) << "cancelled";
}

TEST_F(LogoToolsTest, LogoBecomesTheSourceThroughTheHoldingFile) {
  EXPECT_FALSE(UseLogoAsImage(workspace));  // No
  EXPECT_FALSE(std::filesystem::exists(home / kTemporaryImageName));

  // A holding file that cannot be written changes nothing.
  std::filesystem::create_directory(home / kTemporaryImageName);  // a folder in its place
  prompter.answers = {true};
  EXPECT_FALSE(UseLogoAsImage(workspace));
  EXPECT_EQ(workspace.currentFileName(), "g.bmp");
  EXPECT_EQ(workspace.originalImage(), MakeGradientRaster(8, 8));
  EXPECT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(renders, 0);

  std::filesystem::remove(home / kTemporaryImageName);
  prompter.answers = {true};
  ASSERT_TRUE(UseLogoAsImage(workspace));
  EXPECT_EQ(workspace.originalImage(), logo);
  EXPECT_EQ(testing::Decoded(home / kTemporaryImageName), logo);
  EXPECT_EQ(workspace.currentFileName(), kTemporaryImageName);
  EXPECT_EQ(std::filesystem::path(workspace.sourceDirectory()), home.path() / "");
  EXPECT_EQ(workspace.sourceFiles().SelectedName(), kTemporaryImageName);
  EXPECT_EQ(renders, 1);
  EXPECT_EQ(workspace.watermarkedImage().Width(), 30);
}

TEST_F(LogoToolsTest, MarkedImageBecomesTheLogoThatTheNextRenderBlends) {
  workspace.SetLogoImage(RasterImage(2, 2, colors::kWhite));
  workspace.Render();
  const RasterImage marked = workspace.watermarkedImage();
  ASSERT_NE(marked, workspace.originalImage());
  EXPECT_FALSE(UseMarkedImageAsLogo(workspace));  // No
  EXPECT_EQ(workspace.logoImage().Width(), 2);

  prompter.answers = {true};
  ASSERT_TRUE(UseMarkedImageAsLogo(workspace));
  EXPECT_EQ(workspace.logoImage(), marked);
  EXPECT_EQ(workspace.logoCopy(), marked);
  EXPECT_EQ(renders, 1) << "taking the marked image does not render";

  LogoSettings& s = workspace.settings().watermark.logo;
  s.alpha = 100;
  s.useTransparentColor = false;
  workspace.Render();
  EXPECT_EQ(workspace.watermarkedImage(), marked);
}

// The logo special window's flows: a working copy that reaches the workspace only on Apply.
class LogoEditorTest : public LogoToolsTest {
 protected:
  LogoEditorTest() : editor(workspace) {}
  LogoEditor editor;
};

TEST_F(LogoEditorTest, ClosingWithoutApplyLeavesTheLogoAsItWas) {
  TurnTo(30);
  const RasterImage before = workspace.logoImage();
  editor.Open();
  for (LogoCommand command : {LogoCommand::kInvert, LogoCommand::kRotateQuarter, LogoCommand::kRippleRandom,
                              LogoCommand::kAutocrop, LogoCommand::kBlur}) {
    editor.Run(command);
  }
  ASSERT_TRUE(WriteBmp(RasterImage(3, 3, colors::kRed), home / "other.bmp"));
  prompter.files = {home / "other.bmp"};
  ASSERT_TRUE(editor.LoadLogo());
  EXPECT_EQ(editor.workingLogo(), RasterImage(3, 3, colors::kRed));
  EXPECT_EQ(workspace.logoImage(), before);
  EXPECT_EQ(workspace.logoCopy(), logo);
  EXPECT_EQ(workspace.settings().logoFileName, "");
  EXPECT_EQ(renders, 0);
}

TEST_F(LogoEditorTest, ApplyHandsOverTheEditedLogoAndRendersOnce) {
  const RasterImage framed = testing::Framed(MakeGradientRaster(6, 4), 1, 2, 3, 1, colors::kWhite);
  workspace.SetLogoImage(framed);
  editor.Open();
  editor.Run(LogoCommand::kFlipRight);
  editor.Run(LogoCommand::kAutocrop);
  EXPECT_EQ(workspace.logoImage(), framed);
  editor.Apply();
  RasterImage expected = MakeGradientRaster(6, 4);
  FlipHorizontal(expected);
  EXPECT_EQ(workspace.logoImage(), expected);
  EXPECT_EQ(workspace.logoCopy(), expected);
  EXPECT_EQ(renders, 1);
}

TEST_F(LogoEditorTest, ReloadReturnsToTheLogoOpenedOrLoaded) {
  editor.Open();
  editor.Run(LogoCommand::kInvert);
  editor.Run(LogoCommand::kReload);
  EXPECT_EQ(editor.workingLogo(), logo);

  const std::filesystem::path other = home / "other.bmp";
  ASSERT_TRUE(WriteBmp(MakeGradientRaster(5, 7), other));
  prompter.files = {other};
  editor.settings().mouseMode = LogoMouseMode::kCropSelection;
  ASSERT_TRUE(editor.LoadLogo());
  EXPECT_EQ(editor.settings().mouseMode, LogoMouseMode::kColorSelection);
  editor.Run(LogoCommand::kFlipDown);
  editor.Run(LogoCommand::kReload);
  EXPECT_EQ(editor.workingLogo(), MakeGradientRaster(5, 7));
  editor.Apply();
  EXPECT_EQ(workspace.logoImage(), MakeGradientRaster(5, 7));
  EXPECT_EQ(workspace.settings().logoFileName, other.string());

  // A file that cannot be read keeps the working logo and says why.
  prompter.files = {home / "nothing.bmp"};
  EXPECT_FALSE(editor.LoadLogo());
  EXPECT_EQ(editor.workingLogo(), MakeGradientRaster(5, 7));
  EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST_F(LogoEditorTest, PreviewFollowsThePercentageAndCanBecomeTheLogo) {
  editor.settings().resizePercent = 50;
  editor.Open();
  EXPECT_EQ(testing::SizeOf(editor.resizedLogo()), std::pair(15, 10));
  editor.Run(LogoCommand::kUseResized);
  EXPECT_EQ(editor.workingLogo().Width(), 15);
  EXPECT_EQ(editor.resizedLogo().Width(), 7) << "the percentage stays: 50 % of the new logo";
  editor.settings().resizePercent = 200;
  editor.RefreshPreview();
  EXPECT_EQ(editor.resizedLogo().Width(), 30);
}

TEST_F(LogoEditorTest, ClicksPickColoursThatTheChangeCommandsUse) {
  const RasterImage twoColours =
      testing::MakeRaster({"abb", "bba"}, {{'a', colors::kRed}, {'b', colors::kWhite}});
  workspace.SetLogoImage(twoColours);
  editor.Open();
  LogoSpecialSettings& s = editor.settings();
  s.activeSlot = ColorSlot::kSource;
  editor.Press(0, 0);
  EXPECT_EQ(s.heldColor, colors::kRed);
  EXPECT_EQ(s.sourceSlot, colors::kRed);
  editor.Move(1, 0);
  EXPECT_EQ(editor.liveColor(), colors::kWhite);
  editor.Move(9, 9);  // beyond the logo: the last colour seen stays
  EXPECT_EQ(editor.liveColor(), colors::kWhite);

  s.activeSlot = ColorSlot::kTarget;
  editor.Press(1, 0);
  EXPECT_EQ(s.heldColor, colors::kWhite);
  EXPECT_EQ(s.targetSlot, colors::kWhite);
  EXPECT_EQ(s.sourceSlot, colors::kRed);
  editor.Run(LogoCommand::kChangeSelectedColor);
  EXPECT_EQ(editor.workingLogo(), RasterImage(3, 2, colors::kWhite));

  editor.Run(LogoCommand::kReload);
  editor.Press(0, 0);  // held red; the target slot takes it too
  s.otherColorsTarget = colors::kBlue;
  editor.Run(LogoCommand::kChangeOtherColors);
  EXPECT_EQ(editor.workingLogo(),
            testing::MakeRaster({"abb", "bba"}, {{'a', colors::kRed}, {'b', colors::kBlue}}));
}

TEST_F(LogoEditorTest, CropDragAsksWithTheNewSizeAndCanKeepTheLastColumnAndRow) {
  editor.Open();
  editor.settings().mouseMode = LogoMouseMode::kCropSelection;

  // A press without a drag asks nothing.
  editor.Press(4, 4);
  EXPECT_FALSE(editor.Release(4, 4));
  EXPECT_TRUE(prompter.questions.empty());

  // Answered No: the outline goes and the logo stays.
  editor.Press(10, 5);
  editor.Move(20, 15);
  EXPECT_TRUE(editor.dragging());
  EXPECT_NE(editor.shownLogo(), logo) << "the outline shows";
  EXPECT_EQ(editor.workingLogo(), logo);
  EXPECT_FALSE(editor.Release(20, 15));
  EXPECT_THAT(prompter.questions, ::testing::ElementsAre(::testing::HasSubstr("width=10 height=10")));
  EXPECT_EQ(editor.shownLogo(), logo);

  // Answered Yes: the working logo is cropped and the mouse picks colours again.
  prompter.answers = {true};
  editor.Press(25, 12);
  editor.Move(40, 40);
  ASSERT_TRUE(editor.Release(28, 20));
  ASSERT_EQ(testing::SizeOf(editor.workingLogo()), std::pair(3, 8));
  EXPECT_EQ(editor.workingLogo().Pixel(2, 7), logo.Pixel(27, 19));
  EXPECT_EQ(editor.settings().mouseMode, LogoMouseMode::kColorSelection);
  EXPECT_EQ(editor.resizedLogo().Width(), 3);
}

}  // namespace
}  // namespace quillstone
