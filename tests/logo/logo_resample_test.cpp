#include "logo/logo_resample.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::MakeGradientRaster;

struct PreviewCase {
  int w;
  int h;
  int percent;
  ImageSize expected;
};

TEST(ResizePreviewSize, ScalesTheLongerSideAndRoundsHalvesToEven) {
  using P = PreviewCase;
  // 10 x 5 at 50 %: 2.5 rounds to the even 2; 7 x 5 at 150 %: ratio 10 / 7, 7.14; 3 x 1 at
  // 50 %: a side of 0 would empty the logo.
  for (const P& c : {P{100, 60, 50, {50, 30}}, P{60, 100, 50, {30, 50}}, P{10, 5, 50, {5, 2}},
                     P{7, 5, 150, {10, 7}}, P{200, 100, 100, {200, 100}}, P{33, 33, 200, {66, 66}},
                     P{3, 1, 50, {1, 1}}, P{1, 1, 1, {1, 1}}, P{0, 0, 50, {0, 0}}}) {
    EXPECT_EQ(ResizePreviewSize(c.w, c.h, c.percent), c.expected) << c.w << "x" << c.h << " at " << c.percent;
  }
}

TEST(MakeResizedLogo, UsingTheHalfSizeTwiceGivesAQuarter) {
  for (const bool smooth : {true, false}) {
    RasterImage logo = MakeGradientRaster(100, 60);
    RasterImage resized;
    MakeResizedLogo(logo, 50, smooth, resized);
    ASSERT_EQ(testing::SizeOf(resized), std::pair(50, 30));
    logo = resized;  // "Use resized logo"
    MakeResizedLogo(logo, 50, smooth, resized);
    EXPECT_EQ(testing::SizeOf(resized), std::pair(25, 15));
  }
}

TEST(PlainStretch, PicksNearestPixels) {
  RasterImage target;
  PlainStretch(testing::GreyRaster({{1, 2, 3, 4}}), 2, 1, target);
  EXPECT_EQ(testing::Greys(target), (std::vector<std::vector<int>>{{1, 3}}));
  PlainStretch(testing::GreyRaster({{1, 2}}), 5, 1, target);
  EXPECT_EQ(testing::Greys(target), (std::vector<std::vector<int>>{{1, 1, 1, 2, 2}}));
}

}  // namespace
}  // namespace quillstone
