#include "decor/frames.h"

#include <gtest/gtest.h>

#include "decor/expand_canvas.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::Framed;
using testing::MakeGradientRaster;

constexpr ColorValue kOuter = MakeColor(200, 0, 0);
constexpr ColorValue kInner = MakeColor(0, 0, 200);

// The whole result: the image moved by the total border inside the inner ring, inside the
// outer ring.
TEST(DrawFrames, BorderIsPaintedCompletelyAndImageSitsInTheMiddle) {
  struct Case {
    bool outerOn, innerOn;
    int outerWidth, innerWidth;
    int out;  // painted outer pixels on every side
    int in;   // painted inner pixels inside the outer ring
  };
  const RasterImage source = MakeGradientRaster(100, 50);
  for (const Case& c :
       {Case{true, true, 3, 2, 3, 2}, Case{false, true, 7, 4, 0, 4}, Case{true, false, 5, 9, 5, 0},
        Case{false, false, 3, 2, 0, 0}, Case{true, true, 0, 250, 1, 100}}) {  // widths brought into range
    RasterImage image = source;
    DrawFrames(image, FrameSettings{c.outerOn, c.innerOn, kOuter, kInner, c.outerWidth, c.innerWidth});
    EXPECT_EQ(image,
              Framed(Framed(source, c.in, c.in, c.in, c.in, kInner), c.out, c.out, c.out, c.out, kOuter))
        << c.outerOn << c.innerOn << " " << c.outerWidth << " " << c.innerWidth;
  }
}

TEST(DrawFrames, ScratchKeptBetweenRunsGivesTheSameResult) {
  const RasterImage source = MakeGradientRaster(30, 20);
  FrameSettings settings{.outerWidth = 4};
  RasterImage plain = source;
  DrawFrames(plain, settings);
  RasterImage scratch;
  for (int run = 0; run < 2; ++run) {
    RasterImage image = source;
    DrawFrames(image, settings, scratch);
    EXPECT_EQ(image, plain) << "run " << run;
  }
}

// The window's example: the edge ring in the outer colour, the next ring in the inner
// colour, teal inside; a frame that is off leaves its ring teal.
TEST(DrawFramePreview, OutlinesFollowTheSwitchesAndColours) {
  constexpr ColorValue kTeal = MakeColor(0, 128, 128);
  RasterImage preview(3, 3);
  // One-pixel rings whatever the widths.
  const RasterImage teal(kFramePreviewSide - 4, kFramePreviewSide - 4, kTeal);
  for (const bool outerOn : {true, false})
    for (const bool innerOn : {true, false}) {
      DrawFramePreview(preview, FrameSettings{outerOn, innerOn, kOuter, kInner, 7, 9});
      EXPECT_EQ(preview, Framed(Framed(teal, 1, 1, 1, 1, innerOn ? kInner : kTeal), 1, 1, 1, 1,
                                outerOn ? kOuter : kTeal))
          << outerOn << innerOn;
    }
}

// No or negative margins leave the image; beyond the raster limit the canvas is refused.
TEST(ExpandCanvas, MovesTheContentByHalfTheMarginSums) {
  const RasterImage source = MakeGradientRaster(3, 2);
  RasterImage image = source;
  ExpandCanvas(image, /*top=*/1, /*bottom=*/4, /*left=*/2, /*right=*/5);
  ASSERT_EQ(testing::SizeOf(image), std::pair(10, 7));
  // (left + right) div 2 = 3, (top + bottom) div 2 = 2.
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(image.Pixel(3 + x, 2 + y), source.Pixel(x, y));
  image = source;
  ExpandCanvas(image, 0, -3, 0, -1);
  EXPECT_EQ(image, source);
  image = MakeGradientRaster(RasterImage::kMaxSide - 1, 1);
  EXPECT_THROW(ExpandCanvas(image, 0, 0, 1, 1), std::length_error);
}

}  // namespace
}  // namespace quillstone
