#include "platform/canvas.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::CountPixels;

TEST(Canvas, RectanglesAreHalfOpenAndClippedAndFramesOutlineThem) {
  RasterImage image(10, 8, colors::kBlack);
  {
    Canvas canvas(image);
    canvas.FillRectangle(2, 1, 5, 4, colors::kRed);      // 3 x 3
    canvas.FillRectangle(8, 6, 20, 20, colors::kBlue);   // clipped to 2 x 2
    canvas.FillRectangle(-5, 7, 1, -3, colors::kGreen);  // corners reordered: x -5..0, y -3..6
  }
  EXPECT_EQ(CountPixels(image, colors::kRed), 9);
  EXPECT_TRUE(testing::AllPixels(image, 2, 1, 5, 4, colors::kRed));
  EXPECT_EQ(CountPixels(image, colors::kBlue), 4);
  EXPECT_EQ(CountPixels(image, colors::kGreen), 7);
  // A frame outlines the covered area: a 4 x 3 ring.
  RasterImage framed(6, 5, colors::kBlack);
  Canvas(framed).FrameRectangle(1, 1, 5, 4, colors::kWhite);
  EXPECT_EQ(CountPixels(framed, colors::kWhite), 10);
  EXPECT_EQ(framed.Pixel(2, 2), SplitColor(colors::kBlack));
}

TEST(Canvas, DrawsIntoTheRastersOwnRowsWithoutAntialiasing) {
  RasterImage image(41, 31, colors::kBlack);
  {
    Canvas canvas(image);
    canvas.FillEllipse(0, 0, 41, 31, colors::kWhite);
    canvas.FillRoundRectangle(0, 0, 10, 10, 5, 5, colors::kRed);
  }
  // Only the two drawn colours and the background appear: no blended edge pixels.
  const int total = image.Width() * image.Height();
  EXPECT_EQ(CountPixels(image, colors::kBlack) + CountPixels(image, colors::kWhite) +
                CountPixels(image, colors::kRed),
            total);
  EXPECT_EQ(image.Pixel(20, 15), SplitColor(colors::kWhite));
  EXPECT_EQ(image.Pixel(0, 30), SplitColor(colors::kBlack));  // outside the ellipse
  EXPECT_EQ(image.Pixel(0, 0), SplitColor(colors::kBlack));   // rounded corner left out
  EXPECT_EQ(image.Pixel(5, 5), SplitColor(colors::kRed));
}

}  // namespace
}  // namespace quillstone
