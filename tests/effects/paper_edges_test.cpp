#include "effects/paper_edges.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace quillstone {
namespace {

constexpr ColorValue kPaper = 0x00F0E0D0;

// With strength 1 every random amount is 0, so "Paper 1" draws exact rectangles: on the
// left (-5, t)..(5, t + 5), on the right (W + 4, t)..(W - 5, t + 5), at the top
// (t, -5)..(t + 5, 5) and at the bottom (t, H - 5)..(t + 5, H + 5), t = 0, 10, 20, ...
TEST(PaperEdges, RectanglesEveryTenthLine) {
  const int W = 30;
  const int H = 25;
  RasterImage image(W, H, colors::kBlack);
  RandomSource random(1);
  PaperEdges(image, PaperStyle::kRectangles, kPaper, 1, random);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const bool paper = (x < 5 && y % 10 < 5) || (x >= W - 5 && y % 10 < 5) || (y < 5 && x % 10 < 5) ||
                         (y >= H - 5 && x % 10 < 5);
      ASSERT_EQ(image.Pixel(x, y), paper ? SplitColor(kPaper) : SplitColor(colors::kBlack)) << x << "," << y;
    }
}

// Shapes reach at most strength - 1 + 5 pixels into the image, and a fixed seed gives the
// same edges on every call, however far the source had run before (it is reseeded).
TEST(PaperEdges, OnlyEdgesAndDeterministic) {
  const int W = 60;
  const int H = 45;
  const int strength = 10;
  const int reach = strength - 1 + 5;
  const RasterImage source = testing::MakeGradientRaster(W, H);
  for (const PaperStyle style : {PaperStyle::kRectangles, PaperStyle::kRoundedLeft, PaperStyle::kEllipses}) {
    SCOPED_TRACE(static_cast<int>(style));
    RasterImage first = source;
    RandomSource random(42);
    PaperEdges(first, style, kPaper, strength, random);
    for (int i = 0; i < 17; ++i) random.Below(100);
    RasterImage second = source;
    PaperEdges(second, style, kPaper, strength, random);
    EXPECT_EQ(first, second);

    int changed = 0;
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        if (first.Pixel(x, y) == source.Pixel(x, y)) continue;
        ++changed;
        ASSERT_EQ(first.Pixel(x, y), SplitColor(kPaper));
        ASSERT_TRUE(x < reach || x >= W - reach || y < reach || y >= H - reach) << x << "," << y;
      }
    EXPECT_GT(changed, 2 * (W + H));  // every edge gets a ragged strip
    RasterImage empty;
    PaperEdges(empty, style, kPaper, 5, random);
    EXPECT_TRUE(empty.Empty());
  }
}

}  // namespace
}  // namespace quillstone
