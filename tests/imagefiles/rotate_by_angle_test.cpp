#include "imagefiles/rotate_by_angle.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "imagefiles/geometry_rasters.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::LetterRaster;
using testing::Letters;
using Rows = std::vector<std::string>;

RasterImage Turned(const RasterImage& source, double angle) {
  RasterImage result;
  const Status status = RotateByAngle(source, result, colors::kBlack, angle);
  EXPECT_TRUE(status.ok()) << status.message();
  return result;
}

const Rows kClockwise = {"ea", "fb", "gc", "hd"};  // top-left lands top-right

// The angle turns the picture counter-clockwise; every source pixel appears exactly once.
TEST(RotateByAngle, QuarterTurnsOfFourByTwoAreExact) {
  const Rows counterClockwise = {"dh", "cg", "bf", "ae"};  // top-right lands top-left
  const Rows half = {"hgfe", "dcba"};
  const Rows same = {"abcd", "efgh"};
  struct Case {
    double angle;
    Rows expected;
  };
  for (const Case& c : {Case{270, kClockwise}, Case{-90, kClockwise}, Case{630, kClockwise},
                        Case{90, counterClockwise}, Case{-270, counterClockwise}, Case{450, counterClockwise},
                        Case{180, half}, Case{-180, half}, Case{540, half}, Case{0, same}, Case{360, same},
                        Case{-720, same}, Case{90.0 + 360.0 * 1e12, counterClockwise}}) {
    EXPECT_EQ(Letters(Turned(LetterRaster(same), c.angle)), c.expected) << c.angle;
  }
}

TEST(RotateByAngle, FourQuarterTurnsGiveTheOriginalBack) {
  // Odd sides, so no centre rule can hide a lost edge row or column.
  const RasterImage original = testing::MakeGradientRaster(5, 3);
  for (const double step : {90.0, -90.0, 270.0}) {
    RasterImage image = original;
    for (int i = 0; i < 4; ++i) image = Turned(image, step);
    EXPECT_EQ(image, original) << "four turns by " << step;
  }
  EXPECT_EQ(Turned(Turned(original, 90), -90), original);
  EXPECT_EQ(Turned(Turned(original, 180), 180), original);
}

TEST(RotateByAngle, FortyFiveDegreesHoldsTheWholePictureOnTheFillColour) {
  // iSin = iCos = trunc(0.7071 * 65536) = 46340; the canvas is (16 * 46340) >> 16 = 11
  // square. Pixel (6, 0): dx = 1, dy = -5 gives sx = (6 * 46340 >> 16) + 5 = 9 and
  // sy = (-4 * 46340 >> 16) + 3 = 0, the top-right corner B.
  Rows rows(6, std::string(10, 'x'));
  rows[0][0] = 'A';
  rows[0][9] = 'B';
  rows[5][0] = 'C';
  rows[5][9] = 'D';
  const Rows expected = {
      "......BB...", ".....xxxx..", "....xxxxxx.", "...xxxxxxxD", "..xxxxxxxxD", ".xxxxxxxxx.",
      "Axxxxxxxx..", "Axxxxxxx...", ".xxxxxx....", "..xxxx.....", "...CC......",
  };
  EXPECT_EQ(Letters(Turned(LetterRaster(rows), 45)), expected);
  // Canvas that no source pixel covers takes the fill colour.
  RasterImage result;
  ASSERT_TRUE(RotateByAngle(RasterImage(10, 6, colors::kWhite), result, colors::kRed, 45).ok());
  EXPECT_EQ(result.Pixel(0, 0), SplitColor(colors::kRed));
  EXPECT_EQ(result.Pixel(5, 5), SplitColor(colors::kWhite));
}

TEST(RotateByAngle, TurnsAFullWidthRowByAQuarter) {
  // 65535 x 1 turned by 90 counter-clockwise: one column, the row's right end on top.
  const RasterImage source = testing::MakeGradientRaster(RasterImage::kMaxSide, 1);
  for (const double angle : {90.0, 270.0}) {
    const RasterImage result = Turned(source, angle);
    ASSERT_EQ(result.Width(), 1);
    ASSERT_EQ(result.Height(), RasterImage::kMaxSide);
    int wrong = 0;
    for (int y = 0; y < result.Height(); ++y) {
      const int sx = angle == 90.0 ? RasterImage::kMaxSide - 1 - y : y;
      if (result.Pixel(0, y) != source.Pixel(sx, 0)) ++wrong;
    }
    EXPECT_EQ(wrong, 0) << "angle " << angle;
  }
}

TEST(RotateByAngle, GeneralAnglesWorkBeyond32767Pixels) {
  // 0.0001 degrees: iSin = 0, iCos = 65535. 40000 * 65535 overflows 32 bits; in 64 bits
  // the canvas is (40000 * 65535) >> 16 = 39999 by (2 * 65535) >> 16 = 1, centred at
  // x = 19999 on the source's x = 20000, y = 1. Column x samples
  // ((x - 19999) * 65535 >> 16) + 20000.
  const RasterImage source = testing::MakeGradientRaster(40000, 2);
  const RasterImage result = Turned(source, 0.0001);
  ASSERT_EQ(testing::SizeOf(result), std::pair(39999, 1));
  EXPECT_EQ(result.Pixel(0, 0), source.Pixel(1, 1));  // (-19999 * 65535) >> 16 = -19999
  EXPECT_EQ(result.Pixel(19999, 0), source.Pixel(20000, 1));
  EXPECT_EQ(result.Pixel(39998, 0), source.Pixel(39998, 1));  // (19999 * 65535) >> 16 = 19998
}

TEST(RotateByAngle, RefusesBadAnglesAndOversizedCanvases) {
  const RasterImage before = LetterRaster({"ab"});
  struct Case {
    RasterImage source;
    double angle;
  };
  // 65535 x 2 by 45 degrees needs a 46340 x 46340 canvas: over 2^28 pixels.
  for (const Case& c : {Case{LetterRaster({"ab", "cd"}), std::numeric_limits<double>::quiet_NaN()},
                        Case{LetterRaster({"ab", "cd"}), std::numeric_limits<double>::infinity()},
                        Case{RasterImage(RasterImage::kMaxSide, 2), 45.0}}) {
    RasterImage destination = before;
    const Status status = RotateByAngle(c.source, destination, colors::kBlack, c.angle);
    EXPECT_FALSE(status.ok()) << "angle " << c.angle;
    EXPECT_FALSE(status.message().empty());
    EXPECT_EQ(destination, before) << "a refused turn leaves the destination as it was";
  }
}

TEST(RotateByAngle, SourceMayAlsoBeTheDestinationAndAnEmptySourceEmptiesIt) {
  RasterImage image = LetterRaster({"abcd", "efgh"});
  ASSERT_TRUE(RotateByAngle(image, image, colors::kBlack, 270).ok());
  EXPECT_EQ(Letters(image), kClockwise);
  image = LetterRaster({"abcd", "efgh"});
  ASSERT_TRUE(RotateByAngle(image, image, colors::kBlack, 30).ok());
  EXPECT_EQ(image.Width(), 4);   // (4 * 56755 + 2 * 32767) >> 16 = 4
  EXPECT_EQ(image.Height(), 3);  // (4 * 32767 + 2 * 56755) >> 16 = 3
  // An empty source gives an empty destination.
  RasterImage destination = LetterRaster({"ab"});
  ASSERT_TRUE(RotateByAngle(RasterImage(0, 5), destination, colors::kBlack, 45).ok());
  EXPECT_TRUE(destination.Empty());
}

}  // namespace
}  // namespace quillstone
