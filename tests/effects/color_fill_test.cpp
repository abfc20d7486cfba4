#include "effects/color_fill.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "imaging/arithmetic.h"
#include "imaging/random_source.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

FillParams Params(int blending, ColorValue color, int step = 1) {
  return {.blending = blending, .color = color, .step = step};
}

// A raster in which every column sees every channel value 0..255 down its first 256 rows,
// the values of the three channels and of neighbouring columns differing, followed by
// rows of noise.
RasterImage EveryValueRaster(int width, int height, std::uint32_t seed) {
  RasterImage image = testing::MakeNoiseRaster(width, height, seed);
  for (int y = 0; y < std::min(height, 256); ++y)
    for (int x = 0; x < width; ++x)
      image.SetPixel(x, y,
                     Rgb{static_cast<std::uint8_t>(y + 7 * x), static_cast<std::uint8_t>(y + 101 * x + 85),
                         static_cast<std::uint8_t>(255 - y + 3 * x)});
  return image;
}

// The source pixel s with every channel that is on replaced by mix(colour channel, s channel).
template <typename Mix>
Rgb MixWhereOn(const FillParams& p, Rgb s, Mix mix) {
  const Rgb c = SplitColor(p.color);
  const auto value = [&](bool on, int cc, int v) { return static_cast<std::uint8_t>(on ? mix(cc, v) : v); };
  return Rgb{value(p.channels.red, c.r, s.r), value(p.channels.green, c.g, s.g),
             value(p.channels.blue, c.b, s.b)};
}

// The overlay written out pixel by pixel: (a C) div 100 + ((100 - a) S) div 100, each term
// truncated on its own, the blending a limited to 1..100, every step-th column from the
// first (the other columns keep what the destination held), channels that are off kept.
RasterImage ReferenceOverlay(RasterImage out, const RasterImage& source, const FillParams& p) {
  const int a = std::clamp(p.blending, 1, 100);
  for (int y = 0; y < source.Height(); ++y)
    for (int x = 0; x < source.Width(); x += std::max(p.step, 1))
      out.SetPixel(x, y, MixWhereOn(p, source.Pixel(x, y), [a](int c, int v) {
                     return a * c / 100 + (100 - a) * v / 100;
                   }));
  return out;
}

// Every source value, blendings at and beyond the ends, steps, channel masks and colours,
// in place and from a source into another raster; 37 columns: whole vector blocks and a rest.
TEST(FullColorOverlay, AgreesWithThePerPixelFormula) {
  const RasterImage source = EveryValueRaster(37, 258, 29);
  for (const int blending : {-5, 0, 1, 2, 33, 50, 67, 99, 100, 250}) {
    for (const int step : {0, 1, 3, 16}) {
      FillParams p =
          Params(blending, (blending + step) % 2 == 0 ? MakeColor(17, 0, 200) : colors::kWhite, step);
      p.channels.red = blending % 2 == 0;
      p.channels.blue = step != 3;
      RasterImage inPlace = source;
      FullColorOverlay(inPlace, inPlace, p);
      ASSERT_EQ(inPlace, ReferenceOverlay(source, source, p)) << "blending " << blending << " step " << step;
      const RasterImage black(37, 258, colors::kBlack);
      RasterImage target = black;
      FullColorOverlay(target, source, p);
      ASSERT_EQ(target, ReferenceOverlay(black, source, p))
          << "apart, blending " << blending << " step " << step;
    }
  }
}

// Every visited pixel draws red, green and blue in turn, also the pixels the step skips.
TEST(FullColorOverlay, RandomColourPerVisitedPixel) {
  RasterImage image(7, 3, colors::kBlack);
  RandomSource random(7);
  FillParams p = Params(100, colors::kBlue, 2);
  p.random = &random;
  FullColorOverlay(image, image, p);

  RandomSource reference(7);
  RasterImage expected(7, 3, colors::kBlack);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) {
      const int r = reference.Below(256);
      const int g = reference.Below(256);
      const int b = reference.Below(256);
      if (x % 2 == 0) expected.SetPixel(x, y, MakeColor(r, g, b));
    }
  EXPECT_EQ(image, expected);
}

TEST(GradientWeight, SinglePrecisionShareIsKept) {
  // p = 20 / 70 in single precision; 18 / p is 62.999996..., not 63.
  EXPECT_LT(GradientWeight(GradientSide::kLeft, 70, 20, 18), 63.0f);
  EXPECT_FLOAT_EQ(GradientWeight(GradientSide::kLeft, 100, 20, 10), 50.0f);
  EXPECT_FLOAT_EQ(GradientWeight(GradientSide::kRight, 100, 20, 10), 50.0f);
  EXPECT_FLOAT_EQ(GradientWeight(GradientSide::kBottom, 40, 8, 0), 40.0f);
}

TEST(BandGeometry, AreaAnchorAndSpanOfEachSide) {
  struct Case {
    GradientSide side;
    int width, height, strength;
    GradientGeometry expected;
  };
  using enum GradientSide;
  for (const Case& c :
       {Case{kLeft, 100, 7, 5, {{0, 20, 0, 7}, 20, 20}}, Case{kRight, 100, 7, 5, {{79, 100, 0, 7}, 99, 20}},
        Case{kTop, 7, 100, 5, {{0, 7, 0, 20}, 20, 20}}, Case{kBottom, 7, 100, 5, {{0, 7, 79, 100}, 99, 20}},
        Case{kLeft, 100, 7, 2, {{0, 50, 0, 7}, 50, 50}}, Case{kRight, 100, 7, 2, {{49, 100, 0, 7}, 99, 50}},
        Case{kRight, 100, 7, 1, {{0, 100, 0, 7}, 99, 99}}, Case{kLeft, 4, 7, 5, {{0, 0, 0, 7}, 0, 0}},
        Case{kRight, 4, 7, 5, {{3, 4, 0, 7}, 3, 0}}, Case{kLeft, 100, 7, 0, {{0, 100, 0, 7}, 100, 100}}}) {
    EXPECT_EQ(BandGeometry(c.side, c.width, c.height, c.strength), c.expected)
        << static_cast<int>(c.side) << " " << c.width << "x" << c.height << " strength " << c.strength;
  }
}

// The weight is a single-precision value: with blending 70 over a 20-column band, column 2
// has share 62.999996 and red 100 over black gives 62 (a double share of exactly 63 would
// give 63); with blending 75, even column 0 has share 74.99999 and 4 over black gives 2.
TEST(ColorBand, SinglePrecisionWeightDecidesTruncation) {
  struct Case {
    int blending;
    int x;
    int red;
    int expected;
  };
  for (const Case c : {Case{70, 2, 100, 62}, Case{75, 0, 4, 2}}) {
    RasterImage image(100, 1, colors::kBlack);
    ColorBand(GradientSide::kLeft, image, image, Params(c.blending, MakeColor(c.red, 0, 0)), 5);
    EXPECT_EQ(image.Pixel(c.x, 0).r, c.expected) << "blending " << c.blending;
  }
}

TEST(ColorBand, RandomGradientMatchesTheDrawSequence) {
  RasterImage image(10, 2, colors::kBlack);
  RandomSource random(3);
  FillParams p = Params(100, colors::kWhite, 2);
  p.random = &random;
  ColorBand(GradientSide::kLeft, image, image, p, 2);  // columns 0..4, share 100 - 20 x
  RandomSource reference(3);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 5; ++x) {
      const int r = reference.Below(256);
      reference.Below(256);
      reference.Below(256);
      if (x % 2 != 0) continue;
      const double share = 100 - 20 * x;
      EXPECT_EQ(image.Pixel(x, y).r, static_cast<int>(r * share / 100)) << x << "," << y;
    }
}

// On a 20 x 10 image; the full colour box has no anchor or span.
TEST(BoxGeometry, ClipsTheBoxToTheImage) {
  struct Case {
    ColorBoxKind kind;
    int x1, y1, x2, y2;
    GradientGeometry expected;
  };
  using enum ColorBoxKind;
  for (const Case& c :
       {Case{kFullColor, 2, 3, 5, 7, {{2, 6, 3, 7}}}, Case{kFullColor, -4, -4, 30, 30, {{0, 20, 0, 10}}},
        Case{kLeft, -5, 0, 10, 5, {{0, 11, 0, 5}, 10, 10}},
        Case{kRight, 4, 0, 25, 5, {{4, 20, 0, 5}, 19, 15}},
        // top: span from the y1 given, before it is raised to 0
        Case{kTop, 0, -10, 5, 10, {{0, 6, 0, 10}, 10, 20}},
        Case{kBottom, 0, -10, 5, 10, {{0, 6, 0, 10}, 10, 10}},
        Case{kTop, 0, 2, 5, 40, {{0, 6, 2, 10}, 10, 8}},
        Case{kLeft, 25, 0, 30, 5, {{25, 20, 0, 5}, 19, 6}}}) {
    GradientGeometry g = BoxGeometry(c.kind, 20, 10, c.x1, c.y1, c.x2, c.y2);
    if (c.kind == kFullColor) g.anchor = g.span = 0;
    EXPECT_EQ(g, c.expected) << static_cast<int>(c.kind) << ": " << c.x1 << "," << c.y1 << " .. " << c.x2
                             << "," << c.y2;
  }
}

TEST(ColorBox, FullColourCoversColumnsInclusiveRowsExclusive) {
  RasterImage image(6, 5, colors::kBlack);
  ColorBox(ColorBoxKind::kFullColor, image, image, Params(100, colors::kWhite), 1, 1, 3, 3);
  EXPECT_EQ(image, testing::Framed(RasterImage(3, 2, colors::kWhite), 1, 1, 2, 2, colors::kBlack));
}

// The left gradient runs from x1 to x2; a top box reaching above the image starts faded.
TEST(ColorBox, GradientsRunFromTheBoxesOwnEdge) {
  RasterImage row(12, 1, colors::kBlack);
  ColorBox(ColorBoxKind::kLeft, row, row, Params(100, colors::kWhite), 0, 0, 10, 1);
  EXPECT_EQ(testing::Greys(row),
            (std::vector<std::vector<int>>{{255, 229, 204, 178, 153, 127, 102, 76, 51, 25, 0, 0}}));
  RasterImage image(2, 12, colors::kBlack);
  ColorBox(ColorBoxKind::kTop, image, image, Params(100, colors::kWhite), 0, -10, 1, 10);
  EXPECT_EQ(image.Pixel(0, 0).r, 127);  // share 10 / 0.2 = 50, not 100
  EXPECT_EQ(image.Pixel(1, 5).r, 63);   // share 25
  EXPECT_EQ(image.Pixel(1, 9).r, 12);   // share 5
  EXPECT_EQ(image.Pixel(0, 10).r, 0);   // row y2 is outside the box
}

TEST(ColorBox, EmptyAndZeroSpanBandsAndBoxesDrawNothing) {
  RasterImage image(5, 5, colors::kBlack);
  const FillParams p = Params(100, colors::kWhite);
  for (GradientSide side :
       {GradientSide::kLeft, GradientSide::kRight, GradientSide::kTop, GradientSide::kBottom})
    ColorBand(side, image, image, p, 6);                            // 5 / 6: a band of no columns or rows
  ColorBox(ColorBoxKind::kLeft, image, image, p, 2, 0, 2, 5);       // one column, span 0
  ColorBox(ColorBoxKind::kFullColor, image, image, p, 3, 4, 1, 2);  // corners the wrong way round
  ColorBox(ColorBoxKind::kTop, image, image, p, 0, 7, 5, 9);        // below the image
  ColorBox(ColorBoxKind::kFullColor, image, image, p, -9, -9, -2, -2);
  EXPECT_EQ(image, RasterImage(5, 5, colors::kBlack));
}

// The band written out pixel by pixel: Trunc(C f / 100 + (100 - f) S / 100) in double
// precision with the single-precision weight f, every step-th column (row for top and
// bottom) of the band, channels that are off kept.
RasterImage ReferenceBand(GradientSide side, const RasterImage& source, const FillParams& p, int strength) {
  RasterImage out = source;
  const GradientGeometry g = BandGeometry(side, source.Width(), source.Height(), strength);
  if (g.span <= 0) return out;
  const bool columns = side == GradientSide::kLeft || side == GradientSide::kRight;
  for (int y = g.area.y0; y < g.area.y1; ++y)
    for (int x = g.area.x0; x < g.area.x1; ++x) {
      const int t = columns ? x : y;
      if (t % p.step != 0) continue;
      const double w = GradientWeight(side, p.blending, g.span, g.anchor - t);
      out.SetPixel(x, y, MixWhereOn(p, source.Pixel(x, y), [w](int c, int v) {
                     return Clamp255(Trunc(c * w / 100.0 + (100.0 - w) * v / 100.0));
                   }));
    }
  return out;
}

// The bands are computed through exact integer lines fitted to each column's (or row's)
// values; they must give the straightforward formula's pixels for every source value,
// blending, strength, step, mask, colour and both in place and into another raster. The
// right band of 40 columns at strength 1 and blending 25 has a column whose slightly
// negative share truncates toward zero, which no line fits.
TEST(ColorBand, AgreesWithThePerPixelFormula) {
  RandomSource random(17);
  const RasterImage wide = EveryValueRaster(83, 260, 17);
  const RasterImage tall = EveryValueRaster(300, 261, 18);
  const RasterImage narrow = EveryValueRaster(40, 256, 19);
  const std::vector<GradientSide> sides{GradientSide::kLeft, GradientSide::kRight, GradientSide::kTop,
                                        GradientSide::kBottom};
  int checked = 0;
  for (int blending = 1; blending <= 100; blending += (blending < 10 || blending > 95 ? 1 : 7)) {
    for (const GradientSide side : sides) {
      const bool columns = side == GradientSide::kLeft || side == GradientSide::kRight;
      const RasterImage& source = checked % 5 == 0 ? narrow : (columns ? wide : tall);
      const int strength = 1 + (blending + checked) % 10;
      FillParams p = Params(blending, MakeColor(random.Below(256), random.Below(256), random.Below(256)),
                            1 + (blending % 7 == 0 ? 2 : 0));
      p.channels.green = blending % 3 != 0;
      const RasterImage expected = ReferenceBand(side, source, p, strength);
      RasterImage inPlace = source;
      ColorBand(side, inPlace, inPlace, p, strength);
      ASSERT_EQ(inPlace, expected) << "blending " << blending << " strength " << strength;
      RasterImage target = source;  // a raster of its own, so the rows do not overlap
      ColorBand(side, target, source, p, strength);
      ASSERT_EQ(target, expected) << "apart, blending " << blending << " strength " << strength;
      ++checked;
    }
  }
  const FillParams edge = Params(25, MakeColor(60, 5, 255));
  RasterImage image = narrow;
  ColorBand(GradientSide::kRight, image, image, edge, 1);
  EXPECT_EQ(image, ReferenceBand(GradientSide::kRight, narrow, edge, 1));
}

}  // namespace
}  // namespace quillstone
