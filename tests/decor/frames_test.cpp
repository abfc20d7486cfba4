#include "decor/frames.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "decor/expand_canvas.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::MakeGradientRaster;

constexpr ColorValue kOuter = MakeColor(200, 0, 0);
constexpr ColorValue kInner = MakeColor(0, 0, 200);

struct FrameCase {
  const char* name;
  bool outerOn;
  bool innerOn;
  int outerWidth;
  int innerWidth;
  int outerRing;  // painted outer pixels on every side
  int innerRing;  // painted inner pixels inside the outer ring
};

class DrawFramesTest : public ::testing::TestWithParam<FrameCase> {};

// Every pixel of the result: by its distance to the nearest edge it belongs to the outer
// ring, the inner ring, or the image moved by the total border.
TEST_P(DrawFramesTest, BorderIsPaintedCompletelyAndImageSitsInTheMiddle) {
  const FrameCase& c = GetParam();
  const RasterImage source = MakeGradientRaster(100, 50);
  RasterImage image = source;
  FrameSettings settings;
  settings.outerOn = c.outerOn;
  settings.innerOn = c.innerOn;
  settings.outerWidth = c.outerWidth;
  settings.innerWidth = c.innerWidth;
  settings.outerColor = kOuter;
  settings.innerColor = kInner;
  DrawFrames(image, settings);

  const int border = c.outerRing + c.innerRing;
  ASSERT_EQ(image.Width(), 100 + 2 * border);
  ASSERT_EQ(image.Height(), 50 + 2 * border);
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      const int edge = std::min({x, y, image.Width() - 1 - x, image.Height() - 1 - y});
      Rgb expected;
      if (edge < c.outerRing) {
        expected = SplitColor(kOuter);
      } else if (edge < border) {
        expected = SplitColor(kInner);
      } else {
        expected = source.Pixel(x - border, y - border);
      }
      ASSERT_EQ(image.Pixel(x, y), expected) << "at " << x << ", " << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Frames, DrawFramesTest,
                         ::testing::Values(FrameCase{"BothOn", true, true, 3, 2, 3, 2},  // 110 x 60
                                           FrameCase{"InnerOnly", false, true, 7, 4, 0, 4},
                                           FrameCase{"OuterOnly", true, false, 5, 9, 5, 0},
                                           FrameCase{"BothOff", false, false, 3, 2, 0, 0},
                                           FrameCase{"WidthsBroughtIntoRange", true, true, 0, 250, 1, 100}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DrawFrames, ScratchKeptBetweenRunsGivesTheSameResult) {
  const RasterImage source = MakeGradientRaster(30, 20);
  FrameSettings settings;
  settings.outerWidth = 4;
  RasterImage scratch;
  RasterImage first = source;
  DrawFrames(first, settings, scratch);
  RasterImage second = source;
  DrawFrames(second, settings, scratch);
  EXPECT_EQ(first, second);
  RasterImage plain = source;
  DrawFrames(plain, settings);
  EXPECT_EQ(first, plain);
}

TEST(ExpandCanvas, MovesTheContentByHalfTheMarginSums) {
  const RasterImage source = MakeGradientRaster(3, 2);
  RasterImage image = source;
  ExpandCanvas(image, /*top=*/1, /*bottom=*/4, /*left=*/2, /*right=*/5);
  ASSERT_EQ(image.Width(), 10);
  ASSERT_EQ(image.Height(), 7);
  // (left + right) div 2 = 3, (top + bottom) div 2 = 2.
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(image.Pixel(3 + x, 2 + y), source.Pixel(x, y));
}

TEST(ExpandCanvas, NoOrNegativeMarginsLeaveTheImage) {
  const RasterImage source = MakeGradientRaster(5, 4);
  RasterImage image = source;
  ExpandCanvas(image, 0, -3, 0, -1);
  EXPECT_EQ(image, source);
}

TEST(ExpandCanvas, BeyondTheRasterLimitIsRefused) {
  RasterImage image = MakeGradientRaster(RasterImage::kMaxSide - 1, 1);
  EXPECT_THROW(ExpandCanvas(image, 0, 0, 1, 1), std::length_error);
}

}  // namespace
}  // namespace quillstone
