#include "pipeline/color_effect_stage.h"

#include <gtest/gtest.h>

#include "effects/color_fill.h"
#include "effects/paper_edges.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

ColorEffectSettings Style(ColorStyle style, int step = 5) {
  return {.step = step, .style = ColorStyleIndex(style)};
}

// Runs the stage with all channels on and a fixed random source.
void Apply(RasterImage& image, const ColorEffectSettings& settings, int strength = 5,
           ChannelMask channels = {}) {
  RasterImage scratch;
  RandomSource random(11);
  ApplyColorEffect(image, scratch, settings, strength, channels, random);
}

TEST(ColorStyleCaptions, DisplayTextShowsOneAmpersand) {
  EXPECT_EQ(ColorStyleDisplayText("Emboss black&&white"), "Emboss black&white");
  EXPECT_EQ(ColorStyleDisplayText("full color"), "full color");
  EXPECT_EQ(ColorStyleDisplayText("&File"), "File");
  EXPECT_EQ(ColorStyleDisplayText("a&&&&b&"), "a&&b");
}

// The step and the random colour reach the overlay: the stage gives what the overlay gives
// with the stage's random source.
TEST(ColorEffectStage, FullColourTakesTheStepAndTheRandomColour) {
  ColorEffectSettings s = Style(ColorStyle::kFullColor, 5);
  s.randomColor = true;
  RasterImage image(11, 2, colors::kBlack);
  Apply(image, s);
  RasterImage expected(11, 2, colors::kBlack);
  RandomSource random(11);
  FullColorOverlay(expected, expected,
                   {.blending = s.blending, .color = s.color, .step = 5, .random = &random});
  EXPECT_EQ(image, expected);
}

// Which of the four bands each band style draws, seen at the middle of each edge of a
// 100 x 100 black image: strength 5 colours 20 columns or rows from the edge (the 21st from
// the right or bottom lies in the band with share 0, so it keeps its value).
TEST(ColorEffectStage, BandStylesDrawTheirEdges) {
  struct Case {
    ColorStyle style;
    bool left, right, top, bottom;
  };
  using enum ColorStyle;
  for (const Case c :
       {Case{kLeftToRight, true, false, false, false}, Case{kRightToLeft, false, true, false, false},
        Case{kTopToBottom, false, false, true, false}, Case{kBottomToTop, false, false, false, true},
        Case{kBottomAndTop, false, false, true, true}, Case{kLeftAndRight, true, true, false, false},
        Case{kAllFourSides, true, true, true, true}}) {
    RasterImage image(100, 100, colors::kBlack);
    Apply(image, Style(c.style, 1));
    SCOPED_TRACE(ColorStyleIndex(c.style));
    for (const int d : {0, 19}) {
      EXPECT_EQ(image.Pixel(d, 50).b != 0, c.left) << d;
      EXPECT_EQ(image.Pixel(99 - d, 50).b != 0, c.right) << d;
      EXPECT_EQ(image.Pixel(50, d).b != 0, c.top) << d;
      EXPECT_EQ(image.Pixel(50, 99 - d).b != 0, c.bottom) << d;
    }
    EXPECT_EQ(image.Pixel(20, 50).b + image.Pixel(79, 50).b + image.Pixel(50, 20).b + image.Pixel(50, 79).b,
              0);
  }
}

TEST(ColorEffectStage, FourBandsBlendOneAfterAnother) {
  // Corner (0, 0): the top band gives blue 127 (share 50), the left band then blends over
  // that: 127.5 + 63.5 = 191.
  RasterImage image(100, 100, colors::kBlack);
  Apply(image, Style(ColorStyle::kAllFourSides, 1));
  EXPECT_EQ(image.Pixel(0, 0), (Rgb{0, 0, 191}));
}

TEST(ColorEffectStage, ChannelMaskHonouredByBandsAndByBlackWhiteThenFullColour) {
  RasterImage image(40, 40, MakeColor(50, 60, 70));
  ColorEffectSettings s = Style(ColorStyle::kAllFourSides, 1);
  s.color = colors::kWhite;
  ChannelMask mask{.green = false};
  Apply(image, s, 2, mask);
  EXPECT_EQ(image.Pixel(0, 0).g, 60);
  EXPECT_GT(image.Pixel(0, 0).r, 50);
  // (200, 200, 200) turns 254 grey; then blue at 50%: red 127, green kept (off), blue 254.
  RasterImage grey(4, 3, MakeColor(200, 200, 200));
  Apply(grey, Style(ColorStyle::kBlackAndWhiteFullColor, 1), 5, mask);
  EXPECT_EQ(grey.Pixel(1, 1), (Rgb{127, 254, 254}));
}

TEST(ColorEffectStage, MosaicRowsRepeatBlockStarts) {
  const RasterImage source = testing::MakeGradientRaster(6, 9);
  RasterImage image = source;
  ColorEffectSettings s = Style(ColorStyle::kVerticalMosaic);
  s.mosaicRows = 4;
  s.step = 1;
  Apply(image, s);
  for (int y = 0; y < 9; ++y) EXPECT_EQ(image.Pixel(3, y), source.Pixel(3, y - y % 4)) << "row " << y;
}

// Each paper style draws its own shape in its own colour and strength.
TEST(ColorEffectStage, PaperStylesUseTheirOwnShapeColourAndStrength) {
  const PaperStyle shapes[3] = {PaperStyle::kRectangles, PaperStyle::kRoundedLeft, PaperStyle::kEllipses};
  for (int k = 0; k < 3; ++k) {
    ColorEffectSettings s = Style(static_cast<ColorStyle>(ColorStyleIndex(ColorStyle::kPaper1) + k));
    s.paperColors = {0x00112233, 0x00445566, 0x00778899};
    s.paperStrengths = {4, 6, 8};
    RasterImage image(40, 30, colors::kBlack);
    Apply(image, s);
    RasterImage expected(40, 30, colors::kBlack);
    RandomSource random(11);
    PaperEdges(expected, shapes[k], s.paperColors[k], s.paperStrengths[k], random);
    EXPECT_EQ(image, expected) << "paper " << k;
  }
}

// The other filter styles and greyscale are compared whole below.
TEST(ColorEffectStage, FilterStylesShrinkByTwo) {
  for (const ColorStyle style : {ColorStyle::kEmbossColor2, ColorStyle::kEmbossColor3}) {
    RasterImage image = testing::MakeGradientRaster(64, 48);
    Apply(image, Style(style));
    EXPECT_EQ(testing::SizeOf(image), std::pair(62, 46)) << ColorStyleIndex(style);
  }
}

// Greyscale weighs the channels (77 r + 151 g + 28 b) >> 8 instead of taking their mean.
TEST(ColorEffectStage, GreyNeonAndEngravingOnFlatAreas) {
  RasterImage grey(5, 4, MakeColor(10, 20, 30));
  Apply(grey, Style(ColorStyle::kGrayscale));
  EXPECT_EQ(grey, RasterImage(5, 4, MakeColor(18, 18, 18)));

  RasterImage neon(5, 4, MakeColor(90, 90, 90));
  Apply(neon, Style(ColorStyle::kNeon));
  EXPECT_EQ(neon, RasterImage(3, 2, colors::kBlack));

  RasterImage engraving(5, 4, MakeColor(200, 30, 90));
  Apply(engraving, Style(ColorStyle::kEngravingGrayscale));
  EXPECT_EQ(engraving, RasterImage(3, 2, MakeColor(130, 130, 130)));
}

TEST(ColorEffectStage, EmbossColourOneOnAnEdge) {
  // Columns 0..2 black, 3..5 grey 100. The E1 columns sum to -7 (left), 10 (centre) and
  // -7 (right); output column x is source column x + 1: all black gives 0, then -700 / -4,
  // then (10 - 7) * 100 / -4 = -75 clamped, and flat -400 / -4.
  const std::vector<int> edge{0, 0, 0, 100, 100, 100};
  RasterImage image = testing::GreyRaster({edge, edge, edge});
  Apply(image, Style(ColorStyle::kEmbossColor1));
  EXPECT_EQ(image, testing::GreyRaster({{0, 175, 0, 100}}));
}

TEST(ColorEffectStage, EmptyImageAndUnknownStyleChangeNothing) {
  for (int style = 0; style < kColorStyleCount; ++style) {
    RasterImage empty;
    Apply(empty, Style(static_cast<ColorStyle>(style)));
    EXPECT_TRUE(empty.Empty()) << "style " << style;
  }
  RasterImage image = testing::MakeGradientRaster(5, 5);
  const RasterImage before = image;
  for (const int stored : {kColorStyleCount, -1}) {
    ColorEffectSettings s;
    s.style = stored;
    Apply(image, s);
  }
  EXPECT_EQ(image, before);
}

}  // namespace
}  // namespace quillstone
