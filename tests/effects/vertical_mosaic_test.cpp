#include "effects/vertical_mosaic.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace quillstone {
namespace {

TEST(VerticalMosaic, BlocksRepeatTheirFirstRow) {
  const RasterImage source = testing::MakeGradientRaster(5, 9);
  RasterImage image = source;
  VerticalMosaic(image, 4, 1);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 5; ++x) ASSERT_EQ(image.Pixel(x, y), source.Pixel(x, y - y % 4)) << x << "," << y;
}

TEST(VerticalMosaic, OnlyStepColumnsAreCopied) {
  const RasterImage source = testing::MakeGradientRaster(7, 5);
  RasterImage image = source;
  VerticalMosaic(image, 2, 3);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) {
      const int from = x % 3 == 0 ? y - y % 2 : y;
      ASSERT_EQ(image.Pixel(x, y), source.Pixel(x, from)) << x << "," << y;
    }
}

TEST(VerticalMosaic, OneRowBlocksChangeNothing) {
  RasterImage image = testing::MakeGradientRaster(4, 4);
  const RasterImage before = image;
  VerticalMosaic(image, 1, 1);
  VerticalMosaic(image, 0, 0);
  EXPECT_EQ(image, before);
}

}  // namespace
}  // namespace quillstone
