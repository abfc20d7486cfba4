#include "decor/texture_overlay.h"

#include <gtest/gtest.h>

#include "support/margins.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::AllPixels;
using testing::kBottomMargin;
using testing::kLeftMargin;
using testing::kRightMargin;
using testing::kTopMargin;
using testing::MakeGradientRaster;
using testing::Margins;

constexpr ColorValue kTextureColor = MakeColor(9, 99, 199);

TEST(TextureOverlay, NoMarginsGiveAnExactCopyAndMarginsAreLimitedTo1000) {
  const RasterImage source = MakeGradientRaster(37, 21);
  TextureSettings settings = Margins(0, 0, 0, 0);
  settings.top.useTexture = settings.left.useTexture = true;
  RasterImage destination(5, 5);
  TextureOverlay(destination, source, settings, RasterImage(8, 8, kTextureColor));
  EXPECT_EQ(destination, source);
  // Margins are limited to 0..1000.
  TextureOverlay(destination, MakeGradientRaster(4, 4), Margins(5000, -7, 0, 0), RasterImage());
  EXPECT_EQ(testing::SizeOf(destination), std::pair(4, 1004));
}

TEST(TextureOverlay, ColouredBandsAroundThePicture) {
  const RasterImage source = MakeGradientRaster(100, 50);
  RasterImage destination;
  TextureOverlay(destination, source, Margins(10, 0, 5, 5), RasterImage());
  // The top band, then the side bands over the corners.
  const RasterImage withTop = testing::Framed(source, 0, 10, 0, 0, kTopMargin);
  EXPECT_EQ(destination,
            testing::Framed(testing::Framed(withTop, 5, 0, 0, 0, kLeftMargin), 0, 0, 5, 0, kRightMargin));
}

// A 100 x 50 picture. Top band, margins t = 10, l = r = 5: the texture covers exactly
// columns [from, to) of the band, the rest keeps the top colour. Left band, t = 10, b = 20,
// l = 6: the destination is 80 rows high and the texture is placed on those 80 rows, while
// only a texture at least 50 high stretches.
TEST(TextureOverlay, TextureCoversItsSpan) {
  struct Case {
    bool top;  // the top band, else the left band
    TextureAlign align;
    int textureSize;  // along the band
    int from;         // first covered column or row
    int to;           // one past the last
  };
  using enum TextureAlign;
  for (const Case& c :
       {Case{true, kCenter, 40, 35, 75},  // l + 30 .. l + 69
        Case{true, kStretch, 40, 5, 105}, Case{true, kStart, 40, 5, 45}, Case{true, kEnd, 40, 65, 105},
        Case{true, kCenter, 41, 35, 76},                                    // 50 + 5 - 20
        Case{true, kStart, 120, 5, 105}, Case{true, kCenter, 100, 5, 105},  // wide ones stretch
        Case{false, kStart, 30, 0, 30}, Case{false, kEnd, 30, 50, 80},
        Case{false, kCenter, 30, 25, 55},  // 80 div 2 - 15
        Case{false, kStretch, 30, 0, 80},
        // 60 rows fit into the 80 destination rows, but not under the 50-row
        // picture, so the texture is stretched over the whole height.
        Case{false, kStart, 60, 0, 80}}) {
    SCOPED_TRACE(std::string(c.top ? "top " : "left ") + std::to_string(static_cast<int>(c.align)) + " " +
                 std::to_string(c.textureSize));
    TextureSettings settings = c.top ? Margins(10, 0, 5, 5) : Margins(10, 20, 6, 0);
    auto& side = c.top ? settings.top : settings.left;
    side.useTexture = true;
    side.align = c.align;
    RasterImage destination;
    TextureOverlay(
        destination, MakeGradientRaster(100, 50), settings,
        c.top ? RasterImage(c.textureSize, 3, kTextureColor) : RasterImage(4, c.textureSize, kTextureColor));
    if (c.top) {
      EXPECT_TRUE(AllPixels(destination, c.from, 0, c.to, 10, kTextureColor));
      EXPECT_TRUE(AllPixels(destination, 5, 0, c.from, 10, kTopMargin));
      EXPECT_TRUE(AllPixels(destination, c.to, 0, 105, 10, kTopMargin));
      EXPECT_TRUE(AllPixels(destination, 0, 0, 5, 10, kLeftMargin));
    } else {
      ASSERT_EQ(destination.Height(), 80);
      EXPECT_TRUE(AllPixels(destination, 0, c.from, 6, c.to, kTextureColor));
      EXPECT_TRUE(AllPixels(destination, 0, 0, 6, c.from, kLeftMargin));
      EXPECT_TRUE(AllPixels(destination, 0, c.to, 6, 80, kLeftMargin));
    }
  }
}

TEST(TextureOverlay, RightAndBottomTexturesFollowTheirOwnAlignment) {
  TextureSettings settings = Margins(0, 5, 0, 3);
  settings.bottom.useTexture = true;
  settings.bottom.align = TextureAlign::kEnd;
  settings.right.useTexture = true;
  settings.right.align = TextureAlign::kEnd;
  RasterImage destination;
  TextureOverlay(destination, MakeGradientRaster(30, 20), settings, RasterImage(10, 8, kTextureColor));
  ASSERT_EQ(testing::SizeOf(destination), std::pair(33, 25));
  EXPECT_TRUE(AllPixels(destination, 20, 20, 30, 25, kTextureColor));
  EXPECT_TRUE(AllPixels(destination, 0, 20, 20, 25, kBottomMargin));
  EXPECT_TRUE(AllPixels(destination, 30, 17, 33, 25, kTextureColor));  // bottom 8 of 25 rows
  EXPECT_TRUE(AllPixels(destination, 30, 0, 33, 17, kRightMargin));
}

// Nearest-neighbour sampling at pixel centres: band pixel i of n shows texture pixel
// (2i + 1) * size div 2n, along and across the band.
TEST(TextureOverlay, TextureIsScaledByNearestNeighbour) {
  TextureSettings settings = Margins(10, 0, 2, 0);
  settings.top.useTexture = true;
  const RasterImage texture = MakeGradientRaster(120, 4);  // pixel (x, y) = (x, y, x + y)
  RasterImage destination;
  TextureOverlay(destination, MakeGradientRaster(100, 5), settings, texture);
  for (const int i : {0, 1, 2, 49, 50, 98, 99}) {
    for (const int y : {0, 1, 2, 3, 7, 9}) {
      EXPECT_EQ(destination.Pixel(2 + i, y), texture.Pixel((2 * i + 1) * 120 / 200, (2 * y + 1) * 4 / 20))
          << i << ", " << y;
    }
  }
}

TEST(TextureOverlay, WithoutTextureThePlainColourStays) {
  TextureSettings settings = Margins(3, 3, 3, 3);
  settings.top.useTexture = settings.left.useTexture = true;
  RasterImage destination;
  TextureOverlay(destination, MakeGradientRaster(10, 10), settings, RasterImage());
  EXPECT_TRUE(AllPixels(destination, 3, 0, 13, 3, kTopMargin));
  EXPECT_TRUE(AllPixels(destination, 0, 0, 3, 16, kLeftMargin));
}

TEST(TextureOverlay, DestinationMayBeTheSource) {
  const RasterImage source = MakeGradientRaster(12, 9);
  const TextureSettings settings = Margins(2, 3, 4, 1);
  RasterImage expected;
  TextureOverlay(expected, source, settings, RasterImage());
  RasterImage image = source;
  TextureOverlay(image, image, settings, RasterImage());
  EXPECT_EQ(image, expected);
}

}  // namespace
}  // namespace quillstone
