#include <gtest/gtest.h>

#include "decor/frames.h"
#include "decor/texture_overlay.h"
#include "pipeline/render_fixture.h"
#include "support/margins.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

constexpr ColorValue kOuter = MakeColor(250, 0, 0);
constexpr ColorValue kInner = MakeColor(0, 250, 0);

using Renderer = testing::RenderFixture;

// Sets the render to place only the logo, at the given places, fully opaque unless told.
void LogoOnly(WatermarkSettings& s, std::initializer_list<LogoPlace> places, int alpha = 100) {
  s.combination = CombinationOrder::kActive;
  s.action = WatermarkAction::kPlaceLogo;
  s.logo.places = {};
  for (const LogoPlace p : places) s.logo.places[static_cast<int>(p)] = true;
  s.logo.alpha = alpha;
}

using testing::AllPixels;
using testing::Framed;

// The frames come after the marking stages: a logo placed at the bottom right of the
// 100 x 50 image ends up inside the frames, moved by their width, not under them.
TEST(DecorHooks, FramesRunAfterTheMarkingStages) {
  Renderer r{RasterImage(100, 50, colors::kBlack), RasterImage(10, 10, colors::kWhite)};
  LogoOnly(r.settings, {LogoPlace::kBottomRight});
  r.settings.frame = {true, true, kOuter, kInner, 3, 2};
  const RasterImage logoAt90x40 = Framed(RasterImage(10, 10, colors::kWhite), 90, 40, 0, 0, colors::kBlack);
  EXPECT_EQ(r.Render().marked, Framed(Framed(logoAt90x40, 2, 2, 2, 2, kInner), 3, 3, 3, 3, kOuter));
  EXPECT_EQ(r.output.sizeLabel, "110x60");
}

// Margins "before": the marked image starts as the enlarged original, and the logo is
// placed on the enlarged size and blended over the margin colours.
TEST(DecorHooks, MarginsBeforeLieUnderTheLogo) {
  Renderer r{RasterImage(100, 50, colors::kBlack), RasterImage(10, 10, MakeColor(200, 200, 200))};
  LogoOnly(r.settings, {LogoPlace::kTopLeft, LogoPlace::kBottomRight}, 50);
  r.settings.texture = testing::Margins(10, 0, 5, 5, TextureMode::kBeforeWatermarking);
  const RasterImage& marked = r.Render().marked;
  ASSERT_EQ(testing::SizeOf(marked), std::pair(110, 60));
  // Top left: half logo grey over the left colour (0, 0, 255): 100, 100, 100 + 127.
  EXPECT_TRUE(AllPixels(marked, 0, 0, 5, 10, MakeColor(100, 100, 227)));
  // Columns 5 .. 9 of the top band: over the top colour (10, 20, 30).
  EXPECT_TRUE(AllPixels(marked, 5, 0, 10, 10, MakeColor(105, 110, 115)));
  // Bottom right of the enlarged image: over the right colour and the picture's black.
  EXPECT_TRUE(AllPixels(marked, 105, 50, 110, 60, MakeColor(135, 140, 145)));
  EXPECT_TRUE(AllPixels(marked, 100, 50, 105, 60, MakeColor(100, 100, 100)));
  EXPECT_TRUE(AllPixels(marked, 10, 10, 100, 50, colors::kBlack));

  // The logo after another stage blends over what is there, margins included.
  r.original = RasterImage(20, 10, colors::kBlack);
  r.logo = RasterImage(4, 4, MakeColor(200, 200, 200));
  LogoOnly(r.settings, {LogoPlace::kTopLeft}, 50);
  r.settings.combination = CombinationOrder::kTL;
  r.settings.texture = testing::Margins(0, 0, 2, 0, TextureMode::kBeforeWatermarking);
  const RasterImage& onResult = r.Render().marked;
  ASSERT_EQ(onResult.Width(), 22);
  EXPECT_TRUE(AllPixels(onResult, 0, 0, 2, 4, MakeColor(100, 100, 227)));
  EXPECT_TRUE(AllPixels(onResult, 2, 0, 4, 4, MakeColor(100, 100, 100)));
}

// Margins "after": the frames are drawn first and the margins go around them (each drawn as
// the decor tests check it).
TEST(DecorHooks, MarginsAfterGoAroundTheFramesAndMarginsOffLeaveTheSizeAlone) {
  Renderer r{testing::MakeGradientRaster(20, 10)};
  LogoOnly(r.settings, {});
  r.settings.frame = {true, false, kOuter, kInner, 2, 1};
  r.settings.texture = testing::Margins(3, 4, 5, 6, TextureMode::kAfterWatermarking);
  RasterImage expected = r.original;
  DrawFrames(expected, r.settings.frame);
  TextureOverlay(expected, expected, r.settings.texture, RasterImage());
  // The kept output's buffers are reused.
  for (int run = 0; run < 2; ++run) EXPECT_EQ(r.Render().marked, expected) << "run " << run;
  // Margins set but switched off leave the size alone.
  r.settings.frame.outerOn = false;
  r.settings.texture.enabled = false;
  EXPECT_EQ(r.Render().marked, r.original);
}

}  // namespace
}  // namespace quillstone
