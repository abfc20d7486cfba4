#include "effects/vertical_mosaic.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace quillstone {
namespace {

// Blocks of rows repeat their first row, in every step-th column only.
TEST(VerticalMosaic, BlocksRepeatTheirFirstRowInStepColumns) {
  const RasterImage source = testing::MakeGradientRaster(7, 9);
  for (const auto& [rows, step] : {std::pair{4, 1}, {2, 3}}) {
    RasterImage image = source;
    VerticalMosaic(image, rows, step);
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 7; ++x) {
        const int from = x % step == 0 ? y - y % rows : y;
        ASSERT_EQ(image.Pixel(x, y), source.Pixel(x, from)) << rows << " rows, step " << step << ": " << x;
      }
  }
  // One-row blocks, and none, change nothing.
  RasterImage image = source;
  VerticalMosaic(image, 1, 1);
  VerticalMosaic(image, 0, 0);
  EXPECT_EQ(image, source);
}

}  // namespace
}  // namespace quillstone
