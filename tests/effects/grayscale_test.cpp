#include "effects/grayscale.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace quillstone {
namespace {

// Pure white and red, then noise wide enough for whole 16-pixel blocks and a rest.
TEST(Grayscale, UsesIntegerWeights) {
  RasterImage image = testing::MakeRaster({"wr"}, {{'w', colors::kWhite}, {'r', colors::kRed}});
  GrayscaleInPlace(image);
  EXPECT_EQ(image, testing::GreyRaster({{255, 76}}));  // 77 * 255 >> 8
  const RasterImage noise = testing::MakeNoiseRaster(37, 3);
  image = noise;
  GrayscaleInPlace(image);
  for (int y = 0; y < noise.Height(); ++y)
    for (int x = 0; x < noise.Width(); ++x) {
      const Rgb c = noise.Pixel(x, y);
      const auto v = static_cast<std::uint8_t>((77 * c.r + 151 * c.g + 28 * c.b) >> 8);
      ASSERT_EQ(image.Pixel(x, y), (Rgb{v, v, v})) << x << ", " << y;
    }
}

}  // namespace
}  // namespace quillstone
