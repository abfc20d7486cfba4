#include <gtest/gtest.h>

#include <fstream>

#include "decor/banner.h"
#include "imagefiles/bmp_writer.h"
#include "support/decoded_file.h"
#include "text/banner_size.h"
#include "workspace/banner_flow.h"
#include "workspace/source_loading.h"
#include "workspace/texture_flow.h"
#include "workspace/workspace_fixture.h"

namespace quillstone {
namespace {

constexpr ColorValue kBackground = MakeColor(255, 255, 198);

// A workspace that renders: a 20 x 10 grey picture and a 2 x 2 white logo at the top-left
// place at full strength, frames off, so every pixel outside the logo is worked out by hand.
class DecorFlowTest : public testing::WorkspaceTest {
 protected:
  DecorFlowTest() {
    watermark().logo.alpha = 100;
    watermark().logo.useTransparentColor = false;
    testing::PlainMarks(watermark(), 0);
    workspace.SetSourceImage(RasterImage(20, 10, kGrey), "grey.bmp", home.path().string());
    workspace.SetLogoImage(RasterImage(2, 2, colors::kWhite));
  }

  Rgb Marked(int x, int y) const { return workspace.watermarkedImage().Pixel(x, y); }

  static constexpr ColorValue kGrey = MakeColor(100, 100, 100);
};

TEST_F(DecorFlowTest, LoadedTextureFillsTheNextRenderAndABadFileKeepsIt) {
  TextureSettings& texture = watermark().texture;
  texture.enabled = true;
  texture.mode = TextureMode::kAfterWatermarking;
  texture.top = {4, colors::kBlack, true, TextureAlign::kStretch};
  ASSERT_TRUE(WriteBmp(RasterImage(3, 3, colors::kGreen), home / "green.bmp").ok());
  std::ofstream(home / "broken.bmp") << "not a bitmap";

  prompter.files = {home / "green.bmp"};
  ASSERT_TRUE(LoadTextureCommand(workspace));
  EXPECT_EQ(renders, 1);
  EXPECT_EQ(Marked(7, 2), SplitColor(colors::kGreen));

  prompter.files = {home / "broken.bmp"};
  ASSERT_TRUE(LoadTextureCommand(workspace).failed());
  EXPECT_THAT(prompter.messages, ::testing::ElementsAre(::testing::HasSubstr("broken.bmp")));
  EXPECT_EQ(workspace.textureImage(), RasterImage(3, 3, colors::kGreen));
  EXPECT_EQ(renders, 1) << "a failed load does not render";
  EXPECT_TRUE(LoadTextureCommand(workspace).cancelled());
}

TEST_F(DecorFlowTest, TextureSizeBecomesTheMarginUpToTheLargest) {
  TextureSettings& texture = watermark().texture;
  EXPECT_FALSE(TextureSizeToMargin(workspace, MarginSide::kLeft)) << "no texture yet";
  EXPECT_EQ(texture.left.margin, 0);

  ASSERT_TRUE(WriteBmp(RasterImage(1200, 30, colors::kGreen), home / "wide.bmp").ok());
  ASSERT_TRUE(workspace.LoadTexture(home / "wide.bmp").ok());
  const std::pair<MarginSide, int> cases[] = {
      {MarginSide::kLeft, kMaxTextureMargin},
      {MarginSide::kRight, kMaxTextureMargin},
      {MarginSide::kTop, 30},
      {MarginSide::kBottom, 30},
  };
  for (const auto& [side, margin] : cases) {
    EXPECT_TRUE(TextureSizeToMargin(workspace, side));
    EXPECT_EQ(texture.side(side).margin, margin) << static_cast<int>(side);
  }
}

TEST_F(DecorFlowTest, NewBannerIsTheRenderedSourceInTheListAndOnDisk) {
  ASSERT_TRUE(CheckBannerFields(workspace));
  ASSERT_TRUE(CreateBannerSource(workspace));

  EXPECT_EQ(workspace.originalImage(), RasterImage(470, 60, kBackground));
  EXPECT_EQ(renders, 1);
  EXPECT_EQ(Marked(2, 0), SplitColor(kBackground));
  EXPECT_EQ(workspace.currentFileName(), kBannerFileName);
  EXPECT_EQ(workspace.sourceDirectory(), home.path().string() + "/");
  EXPECT_EQ(workspace.sourceFiles().SelectedName(), std::string(kBannerFileName));
  EXPECT_EQ(testing::Decoded(home / std::string(kBannerFileName)), workspace.originalImage());
  EXPECT_EQ(prompter.messages, std::vector<std::string>{"Banner: " + std::string(kBannerSavedMessage)});
}

// A size the banner refuses (the banner tests say which) is named by the check and by the
// creation alike, and creates nothing.
TEST_F(DecorFlowTest, RefusedBannerSizeSaysSoAndCreatesNothing) {
  workspace.settings().banner.width = "3000";
  EXPECT_FALSE(CheckBannerFields(workspace));
  EXPECT_FALSE(CreateBannerSource(workspace));
  EXPECT_EQ(prompter.messages, std::vector<std::string>(2, "Stop: " + std::string(kBannerTooLargeMessage)));
  EXPECT_FALSE(std::filesystem::exists(home / std::string(kBannerFileName)));
  EXPECT_EQ(workspace.originalImage(), RasterImage(20, 10, kGrey));
  EXPECT_EQ(workspace.currentFileName(), "grey.bmp");
  EXPECT_EQ(renders, 0);
}

TEST_F(DecorFlowTest, BannerThatCannotBeWrittenChangesNothing) {
  const std::filesystem::path blocked = home / "blocked";
  std::ofstream(blocked) << "a file where the folder should be";
  Workspace elsewhere(prompter, opener, {testing::SourceDir() / "data", blocked});
  elsewhere.SetRenderEnabled(true);
  EXPECT_FALSE(CreateBannerSource(elsewhere));
  EXPECT_THAT(prompter.messages, ::testing::ElementsAre(::testing::StartsWith("Banner: ")));
  EXPECT_TRUE(elsewhere.originalImage().Empty());
}

TEST_F(DecorFlowTest, BannerFieldsFromPresetsTheLogoAndTheText) {
  BannerFields& fields = workspace.settings().banner;
  ChooseBannerPreset(fields, 11);
  EXPECT_EQ(fields.width + "x" + fields.height, "1024x20");
  ChooseBannerPreset(fields, static_cast<int>(kBannerPresets.size()));
  EXPECT_EQ(fields.width + "x" + fields.height, "1024x20") << "no such preset";

  workspace.SetLogoImage(RasterImage());
  EXPECT_FALSE(UseLogoSideForBanner(workspace, BannerSide::kWidth)) << "no logo";
  workspace.SetLogoImage(RasterImage(30, 20));
  EXPECT_TRUE(UseLogoSideForBanner(workspace, BannerSide::kWidth));
  EXPECT_EQ(fields.width + "x" + fields.height, "30x20");
  ChooseBannerPreset(fields, 0);
  EXPECT_TRUE(UseLogoSideForBanner(workspace, BannerSide::kHeight));
  EXPECT_EQ(fields.width + "x" + fields.height, "90x20");

  workspace.watermarkText().clear();
  EXPECT_FALSE(CalculateBannerFields(workspace));
  EXPECT_EQ(fields.width + "x" + fields.height, "90x20") << "no text, no change";
  // The size the text measures (the banner size tests say how) with the window's margin.
  workspace.settings().watermark.text.font.face = "DejaVu Sans";
  workspace.watermarkText() = {"Hello", "World"};
  fields.margin = 5;
  ASSERT_TRUE(CalculateBannerFields(workspace));
  const auto size = CalculateBannerSize({"Hello", "World"}, workspace.settings().watermark.text, 5);
  EXPECT_EQ(fields.width + "x" + fields.height,
            std::to_string(size->width) + "x" + std::to_string(size->height));
}

}  // namespace
}  // namespace quillstone
