#include "effects/convolve3x3.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace quillstone {
namespace {

TEST(Convolve3x3, ResultIsTwoPixelsSmallerOrEmpty) {
  RasterImage target;
  Convolve3x3(RasterImage(5, 4), target, kEmbossKernel1, 0);
  EXPECT_EQ(target.Width(), 3);
  EXPECT_EQ(target.Height(), 2);
  Convolve3x3(RasterImage(2, 5), target, kEmbossKernel1, 0);
  EXPECT_TRUE(target.Empty());
  Convolve3x3(RasterImage(5, 2), target, kEmbossKernel1, 0);
  EXPECT_TRUE(target.Empty());
  Convolve3x3(RasterImage(), target, kEmbossKernel1, 0);
  EXPECT_TRUE(target.Empty());
}

// A kernel with a single 1 at (row, column) moves the source: output (x, y) is source
// (x + column, y + row), since source (x + 1, y + 1) is the centre. The image is wide
// enough for the 16-byte blocks and the rest.
TEST(Convolve3x3, KernelRowsAreDyAndColumnsDx) {
  const RasterImage source = testing::MakeGradientRaster(23, 6);
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      Kernel3x3 k{};
      k[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = 1;
      RasterImage target;
      Convolve3x3(source, target, k, 0);
      for (int y = 0; y < target.Height(); ++y)
        for (int x = 0; x < target.Width(); ++x)
          ASSERT_EQ(target.Pixel(x, y), source.Pixel(x + column, y + row))
              << row << "," << column << " at " << x << "," << y;
    }
  }
}

// One output pixel from a 3 x 3 grey source: centre value, left neighbour, all others.
struct FilterCase {
  const char* name;
  Kernel3x3 kernel;
  int offset;
  int centre;
  int left;
  int others;
  int expected;
};

class FilterValue : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterValue, ClampedFloatingDivisionTruncated) {
  const FilterCase& c = GetParam();
  const int o = c.others;
  const RasterImage source = testing::GreyRaster({{o, o, o}, {c.left, c.centre, o}, {o, o, o}});
  RasterImage target;
  Convolve3x3(source, target, c.kernel, c.offset);
  ASSERT_EQ(target.Width(), 1);
  EXPECT_EQ(target.Pixel(0, 0).g, c.expected);
}

constexpr Kernel3x3 kBox{{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}}};         // divisor 9
constexpr Kernel3x3 kSharpen3{{{0, 0, 0}, {-1, 5, -1}, {0, 0, 0}}};  // divisor 3
constexpr Kernel3x3 kWide{{{0, 0, 0}, {0, 200, 0}, {0, 0, 0}}};      // divisor 200, 32-bit sums

INSTANTIATE_TEST_SUITE_P(
    Values, FilterValue,
    ::testing::Values(
        FilterCase{"NeonFlatIsBlack", kNeonKernel, 0, 100, 100, 100, 0},
        FilterCase{"EngravingFlatIs130", kNeonKernel, 130, 100, 100, 100, 130},
        FilterCase{"Emboss1Flat", kEmbossKernel1, 0, 100, 100, 100, 100},
        FilterCase{"Emboss3Flat", kEmbossKernel3, 0, 100, 100, 100, 100},
        // 7 * 255 / -1 = -1785: clamped to 0; -8 * 255 / -1 = 2040: clamped to 255.
        FilterCase{"ClampLow", kEmbossKernel3, 0, 255, 0, 0, 0},
        FilterCase{"ClampHigh", kEmbossKernel3, 0, 0, 255, 255, 255},
        // (16 - 6) / -4 + 10 = 7.5 -> 7 (floor of the quotient, not 8 from truncating it first).
        FilterCase{"NegativeQuotientPlusOffset", kEmbossKernel1, 10, 1, 6, 0, 7},
        // -9 / -4 = 2.25 -> 2.
        FilterCase{"PositiveQuotient", kEmbossKernel1, 0, 0, 9, 0, 2},
        // (16 - 14) / -4 = -0.5 is clamped to 0.
        FilterCase{"SmallNegativeIsZero", kEmbossKernel1, 0, 1, 14, 0, 0},
        FilterCase{"SmallNegativePlusOffset", kEmbossKernel1, 1, 1, 14, 0, 0},
        FilterCase{"BoxBlur", kBox, 0, 255, 0, 0, 28},
        FilterCase{"BoxBlurNegativeOffset", kBox, -30, 255, 0, 0, 0},
        // -10 / 3 + 5 = 1.67 -> 1.
        FilterCase{"OddDivisorNegative", kSharpen3, 5, 0, 10, 0, 1},
        FilterCase{"WideSums", kWide, 5, 77, 0, 0, 82},
        FilterCase{"HugeOffset", kNeonKernel, 1 << 30, 0, 0, 0, 255}),
    [](const ::testing::TestParamInfo<FilterCase>& info) { return info.param.name; });

TEST(Convolve3x3, ChannelsAreFilteredSeparately) {
  RasterImage source(3, 3, MakeColor(10, 100, 250));
  RasterImage target;
  Convolve3x3(source, target, kEmbossKernel3, 0);
  EXPECT_EQ(target.Pixel(0, 0), (Rgb{10, 100, 250}));
}

TEST(Convolve3x3, TargetMayBeTheSource) {
  RasterImage image = testing::MakeGradientRaster(20, 5);
  RasterImage expected;
  Convolve3x3(image, expected, kEmbossKernel2, 0);
  Convolve3x3(image, image, kEmbossKernel2, 0);
  EXPECT_EQ(image, expected);
}

}  // namespace
}  // namespace quillstone
