#include "logo/logo_effects.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::MakeGradientRaster;

void Darken(RasterImage& logo) {
  DarkenLogo(logo, kLogoDarkenAmount);
}
void Lighten(RasterImage& logo) {
  LightenLogo(logo, kLogoLightenAmount);
}

// The gradient picture of that size, rippled with a fixed seed.
RasterImage Rippled(int width, int height, RippleKind kind, int amount, std::uint32_t seed = 1) {
  RasterImage logo = MakeGradientRaster(width, height);
  RandomSource random(seed);
  RippleLogo(logo, kind, amount, random);
  return logo;
}

TEST(LogoEffects, WorkedValuesOfThePixelEffects) {
  struct Case {
    void (*effect)(RasterImage&);
    Rgb before, after;
  };
  for (const Case& c :
       {Case{Darken, {255, 20, 128}, {245, 20, 123}}, Case{Darken, {25, 26, 0}, {25, 25, 0}},
        Case{Lighten, {0, 250, 128}, {10, 250, 132}}, Case{Lighten, {255, 229, 230}, {255, 230, 230}},
        Case{WeightedGreyLogo, {255, 0, 0}, {76, 76, 76}}, Case{WeightedGreyLogo, {0, 0, 255}, {28, 28, 28}},
        Case{WeightedGreyLogo, {0, 255, 0}, {150, 150, 150}},     // 150.45
        Case{WeightedGreyLogo, {5, 0, 0}, {2, 2, 2}},             // 1.5 to even
        Case{WeightedGreyLogo, {15, 0, 0}, {4, 4, 4}},            // 4.5 to even
        Case{WeightedGreyLogo, {100, 200, 50}, {154, 154, 154}},  // 153.5
        Case{InvertLogo, {0, 100, 255}, {255, 155, 0}}}) {
    RasterImage logo(1, 1, MakeColor(c.before));
    c.effect(logo);
    EXPECT_EQ(logo.Pixel(0, 0), c.after) << testing::Describe(c.before);
  }
}

TEST(LogoEffects, ColourReplacements) {
  const ColorValue a = MakeColor(1, 2, 3);
  const ColorValue b = MakeColor(1, 2, 4);
  RasterImage logo = testing::MakeRaster({"ab", "ba"}, {{'a', a}, {'b', b}});
  RasterImage others = logo;
  ReplaceOtherColors(others, a, colors::kRed);
  EXPECT_EQ(others, testing::MakeRaster({"ar", "ra"}, {{'a', a}, {'r', colors::kRed}}));
  ReplaceColor(logo, b, colors::kGreen);
  EXPECT_EQ(logo, testing::MakeRaster({"ag", "ga"}, {{'a', a}, {'g', colors::kGreen}}));
}

// A 4 x 4 picture, black but for a grey 200 at the bottom right. Partners at distance 3
// exist only for column/row 0 (right/lower) and 3 (left/upper); elsewhere the pixel's own
// column or row stands in. Rows are blurred in place from the top:
//   (0,0) = (0 + 0 + 0 + 200) / 4 = 50
//   (3,0) = ((0,0)=50 + 0 + 0 + 200) / 4 = 62
//   (0,3) = ((0,0)=50 + 0 + (3,0)=62 + 200) / 4 = 78
//   (3,3) = (50 + (0,3)=78 + 62 + 200) / 4 = 97
TEST(DiagonalBlurPass, HandWorkedFourByFour) {
  RasterImage logo(4, 4, colors::kBlack);
  logo.SetPixel(3, 3, MakeColor(200, 200, 200));
  DiagonalBlurPass(logo);
  EXPECT_EQ(logo, testing::GreyRaster({{50, 0, 0, 62}, {0, 0, 0, 0}, {0, 0, 0, 0}, {78, 0, 0, 97}}));
}

TEST(DiagonalBlurPass, PicturesOfThreePixelsOrLessAndFlatPicturesStay) {
  for (const auto& [w, h] : {std::pair{3, 10}, {10, 3}, {1, 1}, {2, 40}}) {
    const RasterImage logo = MakeGradientRaster(w, h);
    RasterImage blurred = logo;
    BlurLogo(blurred);
    EXPECT_EQ(blurred, logo) << w << "x" << h;
  }
  RasterImage flat(9, 7, MakeColor(17, 99, 250));
  BlurLogo(flat);
  EXPECT_EQ(flat, RasterImage(9, 7, MakeColor(17, 99, 250)));
}

// 4 rows limit the amount to 2; rows 1 and 0 are copied down by their offsets.
TEST(RippleLogo, SawtoothOnFourRows) {
  const RasterImage logo = MakeGradientRaster(4, 4);
  const RasterImage rippled = Rippled(4, 4, RippleKind::kSawtooth, kLogoRippleAmount);
  // Offsets x mod 3: 0, 1, 2, 0; rows 0 .. a - 1 move down by them and keep what nothing covers.
  RasterImage expected = logo;
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 2; ++y) expected.SetPixel(x, y + x % 3, logo.Pixel(x, y));
  EXPECT_EQ(rippled, expected);
}

TEST(RippleLogo, TriangleOffsetsRiseAndFall) {
  // 8 rows: amount 10 is limited to 4; offsets 0 1 2 3 4 3 2 1 0 along a row.
  const RasterImage logo = MakeGradientRaster(9, 8);
  const RasterImage rippled = Rippled(9, 8, RippleKind::kTriangle, kLogoTriangleRippleAmount);
  const int offsets[] = {0, 1, 2, 3, 4, 3, 2, 1, 0};
  for (int x = 0; x < 9; ++x) EXPECT_EQ(rippled.Pixel(x, 3 + offsets[x]), logo.Pixel(x, 3)) << x;
}

TEST(RippleLogo, RandomOffsetsStayBelowTheAmount) {
  // Gradient pixel (x, y) is (x, y, x + y): every result pixel must come from its own
  // column and from 0 .. amount - 1 rows above, and the first column never moves.
  const RasterImage rippled = Rippled(50, 12, RippleKind::kRandom, kLogoRippleAmount, 7);
  bool moved = false;
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 50; ++x) {
      const Rgb p = rippled.Pixel(x, y);
      EXPECT_EQ(p.r, x);
      EXPECT_LE(p.g, y);
      EXPECT_GT(p.g, y - kLogoRippleAmount);
      EXPECT_EQ(p.b, (x + p.g) % 256);
      if (x == 0) {
        EXPECT_EQ(p.g, y);
      }
      moved = moved || p.g != y;
    }
  }
  EXPECT_TRUE(moved);
}

// Amount 10 becomes 11 (h = 5). Row 0: run length t = 11, m = 10, so the held colour
// changes at x = 0, 1, 11, 21, 22. Row 1: t = 1, every pixel keeps its own colour.
// Row 3: t = 3, m = 7: changes at 0, 1, 3, 6, 8, 9, 12, 15, 18, 21, 22.
TEST(TrianglePatternLogo, RunsFollowTheRowRhythm) {
  const RasterImage logo = MakeGradientRaster(24, 4);
  RasterImage patterned = logo;
  TrianglePatternLogo(patterned, kLogoTrianglePatternAmount);
  const auto expectRuns = [&](int y, std::vector<int> changes) {
    int held = 0;
    for (int x = 0; x < 24; ++x) {
      if (std::find(changes.begin(), changes.end(), x) != changes.end()) held = x;
      EXPECT_EQ(patterned.Pixel(x, y), logo.Pixel(held, y)) << "row " << y << ", column " << x;
    }
  };
  expectRuns(0, {0, 1, 11, 21, 22});
  expectRuns(1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23});
  expectRuns(3, {0, 1, 3, 6, 8, 9, 12, 15, 18, 21, 22});
}

TEST(LogoEffects, EmptyLogosStayEmptyAndOneRowPicturesDoNotRipple) {
  RandomSource random(1);
  EXPECT_EQ(Rippled(20, 1, RippleKind::kSawtooth, 5), MakeGradientRaster(20, 1));
  RasterImage logo;
  DarkenLogo(logo, 10);
  WeightedGreyLogo(logo);
  BlurLogo(logo);
  RippleLogo(logo, RippleKind::kRandom, 5, random);
  TrianglePatternLogo(logo, 10);
  ReplaceOtherColors(logo, colors::kBlack, colors::kWhite);
  EXPECT_TRUE(logo.Empty());
}

}  // namespace
}  // namespace quillstone
