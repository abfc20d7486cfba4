#include "pipeline/logo_fit.h"

#include <gtest/gtest.h>

#include <vector>

#include "pipeline/logo_stage.h"
#include "pipeline/render_fixture.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

constexpr ColorValue kGrey = 0x00808080;
const Rgb kRed{255, 0, 0};

TEST(RelativeLogoSize, LongerSideTakesItsShareOfTheShorterImageSide) {
  struct Case {
    int w, h, W, H, percent;
    ImageSize expected;
  };
  const Case cases[] = {
      {100, 50, 2000, 1000, 10, {100, 50}},  // already its share
      {100, 50, 2000, 1000, 20, {200, 100}},
      {100, 50, 500, 400, 10, {40, 20}},
      {50, 100, 400, 500, 10, {20, 40}},   // a tall logo by its height
      {180, 48, 640, 480, 12, {58, 15}},   // 57.6 and 15.47 rounded
      {300, 1, 1000, 1000, 10, {100, 1}},  // never thinner than a pixel
      {10, 10, 3, 50, 1, {1, 1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RelativeLogoSize(c.w, c.h, c.W, c.H, c.percent), c.expected)
        << c.w << "x" << c.h << " at " << c.percent << "% of " << c.W << "x" << c.H;
  }
}

// A logo already at its size is not resampled (the resampler is no identity); a scaled one
// takes its alpha along; untouched settings hand the logo through as it is.
TEST(FitLogo, ScalesPixelsAndAlphaTogetherAndOnlyWhenNeeded) {
  RasterImage logo(100, 50, MakeColor(200, 10, 10));
  logo.SetPixel(0, 0, Rgb{1, 2, 3});
  const std::vector<std::uint8_t> alpha(100 * 50, 128);
  LogoSettings settings;
  LogoFitBuffers buffers;
  FittedLogo fitted;
  ASSERT_TRUE(FitLogo(logo, alpha, settings, 500, 400, buffers, fitted));
  EXPECT_EQ(fitted.logo, &logo);
  EXPECT_EQ(fitted.alpha.data(), alpha.data());

  settings.relativeSize = true;
  ASSERT_TRUE(FitLogo(logo, alpha, settings, 2000, 1000, buffers, fitted));
  EXPECT_EQ(fitted.logo, &logo);

  ASSERT_TRUE(FitLogo(logo, alpha, settings, 500, 400, buffers, fitted));
  ASSERT_EQ(testing::SizeOf(*fitted.logo), std::pair(40, 20));
  EXPECT_EQ(std::vector(fitted.alpha.begin(), fitted.alpha.end()), std::vector<std::uint8_t>(40 * 20, 128));
  EXPECT_EQ(fitted.logo->Pixel(20, 10), (Rgb{200, 10, 10}));
}

// Tiled at an angle, the corners the turn adds and the transparent colour stay out of the
// image: only the logo's own colour is blended.
TEST(FitLogo, TurnedTileBlendsNoCornerAndNoTransparentPixel) {
  RasterImage logo(20, 10, MakeColor(255, 0, 0));
  logo.SetPixel(0, 0, Rgb{0, 0, 0});  // the transparent colour
  const LogoSettings settings{.alpha = 100, .tile = true, .tileAngle = 45};
  LogoFitBuffers buffers;
  FittedLogo fitted;
  ASSERT_TRUE(FitLogo(logo, {}, settings, 200, 120, buffers, fitted));
  ASSERT_GT(fitted.logo->Width(), 20);
  ASSERT_EQ(fitted.alpha.size(), static_cast<std::size_t>(fitted.logo->Width()) * fitted.logo->Height());
  RasterImage image(200, 120, kGrey);
  BlendLogoTiled(image, *fitted.logo, image, settings, ChannelMask{}, fitted.alpha.data());
  const int red = testing::CountPixels(image, MakeColor(kRed));
  EXPECT_EQ(red + testing::CountPixels(image, kGrey), 200 * 120) << "the logo's red or the image's grey";
  EXPECT_GT(red, 200 * 120 / 8);
}

class TiledLogo : public ::testing::Test {
 protected:
  RasterImage Tiled() {
    RasterImage image(200, 120, kGrey);
    BlendLogoTiled(image, logo_, image, settings_, ChannelMask{});
    return image;
  }
  RasterImage logo_{20, 10, MakeColor(255, 0, 0)};
  LogoSettings settings_{.alpha = 100, .tile = true, .tileSpacing = 50};
};

// With 50 % spacing the steps are 30 and 15; a tile sits on the centre place (90, 55), the
// rows above and below are shifted by 15, and every corner of the image has tiles.
TEST_F(TiledLogo, CoversCentreAndCornersOnAShiftedGrid) {
  EXPECT_EQ(TileGridFor(200, 120, 20, 10, 50), (TileGrid{90, 55, 30, 15}));
  const RasterImage image = Tiled();
  const auto red = [&](int x, int y) { return image.Pixel(x, y) == kRed; };
  EXPECT_TRUE(red(100, 60));  // the centre
  EXPECT_TRUE(red(90, 55) && red(109, 64) && !red(110, 55) && !red(90, 65));
  // Row y = 40..49 is shifted: tiles at -15, 15, 45, ...
  EXPECT_TRUE(red(0, 40) && red(4, 40) && !red(5, 40) && !red(14, 40) && red(15, 40));
  EXPECT_FALSE(red(0, 50));  // between two rows
  for (const auto& [cx, cy] : {std::pair{0, 0}, {170, 0}, {0, 105}, {170, 105}}) {
    bool covered = false;
    for (int y = cy; y < cy + 15; ++y)
      for (int x = cx; x < cx + 30; ++x) covered = covered || red(x, y);
    EXPECT_TRUE(covered) << "corner " << cx << "," << cy;
  }
}

// Spacing 0 leaves no gap: the rows of tiles cover the whole image.
TEST_F(TiledLogo, NoSpacingCoversEveryPixel) {
  settings_.tileSpacing = 0;
  EXPECT_EQ(Tiled(), RasterImage(200, 120, MakeColor(kRed)));
}

// Through the render: tiling ignores the places and a logo larger than the image is cut
// at the edges instead of refused; off, the places and the size check are as before.
TEST(RenderTiledLogo, IgnoresPlacesAndCutsTilesAtTheEdges) {
  testing::RenderFixture f{RasterImage(60, 40, kGrey), RasterImage(80, 50, MakeColor(255, 0, 0))};
  f.settings.logo.alpha = 100;
  f.settings.logo.places.fill(false);
  f.settings.logo.tile = true;
  EXPECT_TRUE(f.Render().warnings.empty());
  EXPECT_EQ(f.output.marked.Pixel(0, 0), kRed);
  EXPECT_EQ(f.output.marked.Pixel(59, 39), kRed);
  f.settings.logo.tile = false;
  EXPECT_EQ(f.Render().warnings, std::vector<std::string>{kLogoTooBigWarning});
}

}  // namespace
}  // namespace quillstone
