#include "imagefiles/sepia.h"

#include <gtest/gtest.h>

#include "imagefiles/color_depth.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

TEST(Sepia, TonesEachLuminanceThroughTheTwoTables) {
  struct Case {
    Rgb in, out;
  };
  for (const Case& c : {
           Case{{255, 255, 255}, {255, 255, 255}}, Case{{0, 0, 0}, {0, 0, 0}},
           Case{{128, 128, 128}, {152, 128, 102}},  // 255 * (128/255)^0.75 = 152.07, ^1.33 = 101.96
           Case{{64, 64, 64}, {90, 64, 41}},        // 90.42, 40.56
           Case{{255, 0, 0}, {104, 77, 52}},        // Y = (19635 + 128) >> 8 = 77: 103.87, 51.87
           Case{{0, 0, 255}, {50, 29, 14}},         // Y = (7395 + 128) >> 8 = 29: 49.94, 14.15
       }) {
    EXPECT_EQ(SepiaColor(c.in), c.out) << testing::Describe(c.in);
    RasterImage image(3, 2, MakeColor(c.in));
    SepiaTone(image);
    EXPECT_EQ(image.Pixel(2, 1), c.out) << testing::Describe(c.in);
  }
}

TEST(Sepia, TonedPaletteStillCoversTheTonedImage) {
  RasterImage image = testing::MakeGradientRaster(40, 30);
  StorageFormat format = ReduceColorDepth(image, ColorDepth::kBits8);
  SepiaTone(image);
  SepiaTone(format.palette);
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      ASSERT_NE(std::find(format.palette.begin(), format.palette.end(), image.Pixel(x, y)),
                format.palette.end());
}

}  // namespace
}  // namespace quillstone
