#include "logo/logo_geometry.h"

#include <gtest/gtest.h>

#include "imaging/raster_flip.h"
#include "logo/logo_rotation.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::MakeGradientRaster;
using testing::MakeRaster;

const std::vector<std::pair<char, ColorValue>> kLegend = {
    {'A', MakeColor(10, 0, 0)}, {'B', MakeColor(20, 0, 0)}, {'C', MakeColor(30, 0, 0)},
    {'D', MakeColor(40, 0, 0)}, {'E', MakeColor(50, 0, 0)}, {'F', MakeColor(60, 0, 0)}};

RasterImage Rows(const std::vector<std::string>& rows) {
  return MakeRaster(rows, kLegend);
}

TEST(LogoGeometry, EditsGiveTheExpectedPixels) {
  struct Case {
    void (*operation)(RasterImage&);
    std::vector<std::string> before, after;
  };
  for (const Case& c :
       {Case{MirrorLogoRightHalf, {"ABCDE"}, {"ABCBA"}},
        Case{MirrorLogoRightHalf, {"ABCD", "DCBA"}, {"ABBA", "DCCD"}},
        Case{MirrorLogoRightHalf, {"AB"}, {"AA"}}, Case{MirrorLogoRightHalf, {"A", "B"}, {"A", "B"}},
        Case{MirrorLogoBottomHalf, {"AB", "CD", "EF"}, {"AB", "CD", "AB"}},
        Case{MirrorLogoBottomHalf, {"A", "B", "C", "D"}, {"A", "B", "B", "A"}},
        Case{FlipHorizontal, {"ABC", "DEF"}, {"CBA", "FED"}},
        Case{FlipVertical, {"ABC", "DEF", "AAB"}, {"AAB", "DEF", "ABC"}},
        // Source pixel (x, y) lands at column y, row W - 1 - x.
        Case{RotateLogoQuarter, {"ABC", "DEF"}, {"CF", "BE", "AD"}}}) {
    RasterImage logo = Rows(c.before);
    c.operation(logo);
    EXPECT_EQ(logo, Rows(c.after)) << c.before.front() << " ...";
  }
}

TEST(LogoGeometry, EmptyLogosStayEmpty) {
  for (auto* operation :
       {FlipHorizontal, FlipVertical, MirrorLogoRightHalf, MirrorLogoBottomHalf, RotateLogoQuarter}) {
    RasterImage logo;
    operation(logo);
    EXPECT_EQ(logo, RasterImage());
  }
  RasterImage rotated(3, 3);
  ASSERT_TRUE(RotateLogoByAngle(RasterImage(), 45, colors::kRed, rotated).ok());
  EXPECT_TRUE(rotated.Empty());
}

// 90 degrees is the quarter turn, into the reference itself too; 180 flips both ways.
TEST(RotateLogoByAngle, RightAnglesTurnExactly) {
  RasterImage turned = MakeGradientRaster(40, 30);
  RotateLogoQuarter(turned);
  RasterImage rotated = MakeGradientRaster(40, 30);
  ASSERT_TRUE(RotateLogoByAngle(rotated, 90, colors::kRed, rotated).ok());
  EXPECT_EQ(rotated, turned);
  RasterImage flipped = MakeGradientRaster(40, 30);
  FlipHorizontal(flipped);
  FlipVertical(flipped);
  ASSERT_TRUE(RotateLogoByAngle(MakeGradientRaster(40, 30), 180, colors::kRed, rotated).ok());
  EXPECT_EQ(rotated, flipped);
}

// The alpha channel takes the very turn of the pixels, and the corners it gains are clear.
TEST(RotateLogoByAngle, AlphaTurnsWithThePixels) {
  const RasterImage logo = testing::MakeNoiseRaster(9, 5, 2);
  std::vector<std::uint8_t> alpha;
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 9; ++x) alpha.push_back(logo.Pixel(x, y).r);
  for (const int angle : {0, 30, 90, -45}) {
    RasterImage turned;
    std::vector<std::uint8_t> turnedAlpha;
    ASSERT_TRUE(RotateLogoByAngle(logo, angle, colors::kBlack, turned).ok());
    ASSERT_TRUE(RotateLogoAlphaByAngle(alpha, 9, 5, angle, turnedAlpha).ok());
    ASSERT_EQ(turnedAlpha.size(), static_cast<std::size_t>(turned.Width() * turned.Height())) << angle;
    for (int y = 0; y < turned.Height(); ++y)
      for (int x = 0; x < turned.Width(); ++x)
        ASSERT_EQ(turnedAlpha[y * turned.Width() + x], turned.Pixel(x, y).r)
            << angle << ": " << x << ", " << y;
  }
}

TEST(RotateLogoByAngle, FortyFiveDegreesGrowsTheBoxAndFillsTheCorners) {
  const RasterImage reference(100, 100, colors::kWhite);
  const ColorValue fill = MakeColor(1, 2, 3);
  RasterImage rotated;
  ASSERT_TRUE(RotateLogoByAngle(reference, 45, fill, rotated).ok());
  ASSERT_EQ(testing::SizeOf(rotated), std::pair(142, 142));  // round(70.71) twice
  for (const auto& [x, y] : {std::pair{0, 0}, {141, 0}, {0, 141}, {141, 141}, {20, 20}}) {
    EXPECT_EQ(rotated.Pixel(x, y), SplitColor(fill)) << x << ", " << y;
  }
  EXPECT_EQ(rotated.Pixel(71, 71), SplitColor(colors::kWhite));
  EXPECT_EQ(rotated.Pixel(71, 1), SplitColor(colors::kWhite));  // the turned corners touch the box
  EXPECT_EQ(rotated.Pixel(1, 71), SplitColor(colors::kWhite));
}

struct SmallAngleCase {
  int width;
  int height;
  int angle;
  bool copied;
  int rotatedWidth;
  int rotatedHeight;
};

// |angle in radians| x max(W, H) <= 1 copies: at 1 degree up to 57 pixels a side.
TEST(RotateLogoByAngle, SmallAnglesOnSmallLogosCopy) {
  for (const SmallAngleCase& c :
       {SmallAngleCase{50, 40, 1, true, 50, 40}, SmallAngleCase{57, 3, 1, true, 57, 3},
        SmallAngleCase{58, 3, 1, false, 58, 4}, SmallAngleCase{100, 40, 1, false, 101, 42},
        SmallAngleCase{100, 40, 0, true, 100, 40}}) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " at " + std::to_string(c.angle));
    const RasterImage reference = MakeGradientRaster(c.width, c.height);
    RasterImage rotated;
    ASSERT_TRUE(RotateLogoByAngle(reference, c.angle, colors::kRed, rotated).ok());
    EXPECT_EQ(testing::SizeOf(rotated), std::pair(c.rotatedWidth, c.rotatedHeight));
    EXPECT_EQ(rotated == reference, c.copied);
  }
}

TEST(RotateLogoByAngle, BoxBeyondTheRasterLimitsIsRefused) {
  const RasterImage reference(RasterImage::kMaxSide, 1, colors::kWhite);
  RasterImage rotated(2, 2, colors::kBlue);
  const Status status = RotateLogoByAngle(reference, 45, colors::kRed, rotated);
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find("46341x46341"), std::string::npos) << status.message();
  EXPECT_EQ(rotated, RasterImage(2, 2, colors::kBlue));
}

}  // namespace
}  // namespace quillstone
