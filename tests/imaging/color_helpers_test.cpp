#include <gtest/gtest.h>

#include "imaging/arithmetic.h"
#include "imaging/color_value.h"
#include "imaging/random_source.h"
#include "imaging/raster_image.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

TEST(ColorValue, SplitAndMakeAreInverseAndContrastSwitchesAtHalfLuminance) {
  const Rgb c = SplitColor(0x00FF8040);
  EXPECT_EQ(c, (Rgb{0x40, 0x80, 0xFF}));
  EXPECT_EQ(MakeColor(c), 0x00FF8040u);
  EXPECT_EQ(MakeColor(0x140, -1, 0x1FF), 0x00FFFF40u);  // only the low byte of each counts
  // The contrast colour switches at half luminance.
  EXPECT_EQ(ContrastColor(colors::kBlue), colors::kWhite);  // L = 28.05
  EXPECT_EQ(ContrastColor(0x0000FFFF), colors::kBlack);     // yellow, L = 226.95
  EXPECT_EQ(ContrastColor(MakeColor(127, 127, 127)), colors::kWhite);
  EXPECT_EQ(ContrastColor(MakeColor(128, 128, 128)), colors::kBlack);
}

TEST(ColorValue, PercentBlendTruncatesEachTerm) {
  struct Case {
    int a, fg, bg, expected;
  };
  for (const Case& c : {Case{50, 255, 0, 127}, Case{100, 200, 10, 200}, Case{0, 200, 10, 10},
                        Case{33, 255, 255, 254}, Case{50, 255, 255, 254}, Case{1, 99, 99, 98}}) {
    EXPECT_EQ(PercentBlend(c.a, c.fg, c.bg), c.expected) << c.a << "% of " << c.fg << " over " << c.bg;
  }
}

TEST(Arithmetic, TruncAndClamp) {
  EXPECT_EQ(Trunc(2.99), 2);
  EXPECT_EQ(Trunc(-2.99), -2);
  EXPECT_EQ(Clamp255(-5), 0);
  EXPECT_EQ(Clamp255(300), 255);
  EXPECT_EQ(Clamp255(17), 17);
}

TEST(RasterImage, RowsArePaddedToFourBytes) {
  for (const auto& [width, stride] :
       std::vector<std::pair<int, int>>{{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}}) {
    RasterImage image(width, 2);
    EXPECT_EQ(image.Stride(), stride) << "width " << width;
    EXPECT_EQ(image.Row(1) - image.Row(0), stride);
  }
}

TEST(RasterImage, CopyIsDeepAndAssignmentReusesMemory) {
  RasterImage a = testing::MakeGradientRaster(7, 5);
  RasterImage b(20, 20);
  const std::uint8_t* before = b.Bits();
  b = a;
  EXPECT_EQ(b.Bits(), before) << "a large enough target keeps its buffer";
  EXPECT_TRUE(b == a);
  b.SetPixel(0, 0, colors::kWhite);
  EXPECT_FALSE(b == a) << "copies are independent";
}

TEST(RasterImage, RefusesSizesBeyondTheLimits) {
  RasterImage image;
  EXPECT_THROW(image.Resize(65536, 1), std::length_error);
  EXPECT_THROW(image.Resize(-1, 1), std::length_error);
  EXPECT_THROW(image.Resize(20000, 20000), std::length_error);  // more than 2^28 pixels
  EXPECT_NO_THROW(image.Resize(65535, 1));
  EXPECT_NO_THROW(image.Resize(0, 5));
  EXPECT_TRUE(image.Empty());
}

TEST(RandomSource, FixedSeedRepeatsAfterReseed) {
  RandomSource random(42);
  std::vector<int> first;
  for (int i = 0; i < 20; ++i) first.push_back(random.Below(256));
  random.Reseed();
  for (int i = 0; i < 20; ++i) EXPECT_EQ(random.Below(256), first[i]);
  for (int i = 0; i < 1000; ++i) {
    const int v = random.Below(7);
    EXPECT_GE(v, 0);
    EXPECT_LT(v, 7);
  }
  EXPECT_EQ(random.Below(0), 0);
}

}  // namespace
}  // namespace quillstone
