#include "effects/effect_commands.h"

#include <gtest/gtest.h>

#include <set>

#include "effects/color_style_presets.h"
#include "effects/image_effects.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

TEST(EffectCommands, UniqueWordsAndNoEmptySequence) {
  std::set<std::string_view> words;
  for (const EffectCommand& c : kEffectCommands) {
    words.insert(c.macroWord);
    EXPECT_GE(c.sequence.count, 1) << c.caption;
  }
  EXPECT_EQ(words.size(), kEffectCommands.size());
}

TEST(EffectCommands, RunByExactMacroWord) {
  RasterImage image(4, 2, MakeColor(0, 127, 255));
  EXPECT_TRUE(RunEffectCommand(image, "negative"));
  EXPECT_EQ(image.Pixel(1, 1), (Rgb{254, 127, 0}));
  // Replayed twice the effect accumulates: 254 - 254 = 0, 127, 254 - 0 = 254.
  EXPECT_TRUE(RunEffectCommand(image, "negative"));
  EXPECT_EQ(image.Pixel(1, 1), (Rgb{0, 127, 254}));
}

TEST(EffectCommands, WordsThatDoNotMatchExactlyDoNothing) {
  const RasterImage original = testing::MakeGradientRaster(6, 4);
  for (const char* word : {"Emboss", "emboss ", " emboss", "", "EMBOSS", "embos"}) {
    RasterImage image = original;
    EXPECT_FALSE(RunEffectCommand(image, word)) << '"' << word << '"';
    EXPECT_EQ(image, original);
  }
}

TEST(EffectCommands, SequencesRunInOrder) {
  // "Negative special": greyscale, contrast -10, contrast -2. (10, 20, 31) -> 20 -> 255 -> 0;
  // (200, 200, 200) -> 200 -> 0 -> 254.
  RasterImage image(2, 1);
  image.SetPixel(0, 0, Rgb{10, 20, 31});
  image.SetPixel(1, 0, Rgb{200, 200, 200});
  ASSERT_TRUE(RunEffectCommand(image, "negativespecial"));
  EXPECT_EQ(image.Pixel(0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(image.Pixel(1, 0), (Rgb{254, 254, 254}));

  // "Emboss" greys the image first: a flat colour embosses to 128 inside the frame.
  RasterImage flat(3, 2, MakeColor(10, 90, 200));
  ASSERT_TRUE(RunEffectCommand(flat, "emboss"));
  EXPECT_EQ(flat.Pixel(1, 0), (Rgb{128, 128, 128}));
  EXPECT_EQ(flat.Pixel(0, 0), (Rgb{100, 100, 100}));
}

struct WordCase {
  const char* word;
  Rgb in;
  Rgb out;
};

class EffectCommandWord : public ::testing::TestWithParam<WordCase> {};

// Each command's effect on the centre pixel of a flat 3 x 3 image.
TEST_P(EffectCommandWord, CentrePixel) {
  const WordCase& c = GetParam();
  RasterImage image(3, 3, MakeColor(c.in));
  ASSERT_TRUE(RunEffectCommand(image, c.word));
  EXPECT_EQ(image.Pixel(1, 1), c.out) << c.word;
}

INSTANTIATE_TEST_SUITE_P(Words, EffectCommandWord,
                         ::testing::Values(WordCase{"enhance1", {63, 64, 192}, {0, 1, 255}},
                                           WordCase{"enhance2", {10, 20, 31}, {0, 20, 42}},
                                           WordCase{"smallmosaic", {10, 20, 31}, {10, 20, 31}},
                                           WordCase{"coloreffect1", {10, 20, 31}, {0, 20, 141}},
                                           WordCase{"coloreffect2", {10, 20, 31}, {110, 20, 0}},
                                           WordCase{"solarizegrey", {10, 20, 31}, {235, 235, 235}},
                                           WordCase{"solarizecolor", {10, 128, 129}, {245, 127, 129}},
                                           WordCase{"average", {0, 0, 129}, {128, 128, 128}},
                                           WordCase{"smooth", {7, 8, 9}, {7, 8, 9}},
                                           WordCase{"fullred", {10, 20, 31}, {255, 20, 31}},
                                           WordCase{"fullgreen", {10, 20, 31}, {10, 255, 31}},
                                           WordCase{"fullblue", {10, 20, 31}, {10, 20, 255}},
                                           WordCase{"greyscale", {10, 20, 31}, {20, 20, 20}},
                                           WordCase{"brightnessmore", {250, 0, 100}, {255, 10, 110}},
                                           WordCase{"brightnessless", {250, 0, 100}, {240, 0, 90}}));

struct PresetCase {
  ColorStyle style;
  Rgb in;
  Rgb out;  // pixel (1, 0) of a flat 5 x 3 image
};

class ColorStylePresetCase : public ::testing::TestWithParam<PresetCase> {};

TEST_P(ColorStylePresetCase, PixelInsideTheFrame) {
  const PresetCase& c = GetParam();
  const EffectSequence* preset = ColorStylePreset(c.style);
  ASSERT_NE(preset, nullptr);
  RasterImage image(5, 3, MakeColor(c.in));
  ApplyEffectSequence(image, *preset);
  EXPECT_EQ(image.Pixel(1, 0), c.out) << "style " << ColorStyleIndex(c.style);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, ColorStylePresetCase,
    ::testing::Values(PresetCase{ColorStyle::kInvertRed, {10, 20, 30}, {245, 20, 30}},
                      PresetCase{ColorStyle::kInvertGreen, {10, 20, 30}, {10, 235, 30}},
                      PresetCase{ColorStyle::kInvertBlue, {10, 20, 30}, {10, 20, 225}},
                      PresetCase{ColorStyle::kInvertAll, {10, 20, 30}, {245, 235, 225}},
                      PresetCase{ColorStyle::kBlackAndWhite, {200, 200, 200}, {254, 254, 254}},
                      PresetCase{ColorStyle::kBlackAndWhite, {10, 20, 31}, {0, 0, 0}},
                      PresetCase{ColorStyle::kSolarize, {10, 200, 128}, {245, 200, 127}},
                      PresetCase{ColorStyle::kEnhance1, {63, 64, 191}, {0, 1, 255}},
                      PresetCase{ColorStyle::kEnhance2, {10, 20, 31}, {0, 20, 42}},
                      PresetCase{ColorStyle::kSmallMosaic, {10, 20, 30}, {10, 20, 30}},
                      PresetCase{ColorStyle::kEmbossBlackAndWhite, {10, 20, 30}, {128, 128, 128}},
                      PresetCase{ColorStyle::kJustRed, {10, 20, 30}, {10, 0, 0}},
                      PresetCase{ColorStyle::kJustGreen, {10, 20, 30}, {0, 20, 0}},
                      PresetCase{ColorStyle::kJustBlue, {10, 20, 30}, {0, 0, 30}},
                      PresetCase{ColorStyle::kNegative20Columns, {10, 20, 30}, {245, 235, 225}},
                      PresetCase{ColorStyle::kNegative20Rows, {10, 20, 30}, {245, 235, 225}},
                      PresetCase{ColorStyle::kNegative20Grid,
                                 {10, 20, 30},
                                 {10, 20, 30}},  // row and column band: inverted twice
                      PresetCase{ColorStyle::kBlackAndWhiteFullColor, {200, 200, 200}, {254, 254, 254}},
                      // Solarize 64: (245, 235, 224); grey 234; contrast -10 -> 0; contrast -2 -> 254.
                      PresetCase{ColorStyle::kSolarizeBlackAndWhite, {10, 20, 31}, {254, 254, 254}}));

TEST(ColorStylePresets, OnlyTheFixedSequenceStyles) {
  EXPECT_EQ(ColorStylePreset(ColorStyle::kAllFourSides), nullptr);
  EXPECT_EQ(ColorStylePreset(ColorStyle::kVerticalMosaic), nullptr);
  EXPECT_EQ(ColorStylePreset(static_cast<ColorStyle>(-1)), nullptr);
  for (int style = ColorStyleIndex(kFirstPresetStyle); style <= ColorStyleIndex(kLastPresetStyle); ++style)
    EXPECT_NE(ColorStylePreset(static_cast<ColorStyle>(style)), nullptr);
  EXPECT_EQ(*ColorStylePreset(ColorStyle::kBlackAndWhiteFullColor),
            *ColorStylePreset(ColorStyle::kBlackAndWhite));
}

TEST(ColorStylePresets, StripeWidthsTwentyFortySixty) {
  // Column 20 + k * 20 is the last inverted column of the first band for widths 20, 40, 60;
  // rows likewise for the row stripes; the combined styles restore the first band's corner.
  struct Stripe {
    ColorStyle style;
    int lastInverted;
    bool columns;
  };
  using enum ColorStyle;
  for (const Stripe s : {Stripe{kNegative20Columns, 20, true}, Stripe{kNegative40Columns, 40, true},
                         Stripe{kNegative60Columns, 60, true}, Stripe{kNegative20Rows, 20, false},
                         Stripe{kNegative40Rows, 40, false}, Stripe{kNegative60Rows, 60, false}}) {
    RasterImage image(70, 70, colors::kBlack);
    ApplyEffectSequence(image, *ColorStylePreset(s.style));
    const int last = s.lastInverted;
    const Rgb inside = s.columns ? image.Pixel(last, 69) : image.Pixel(69, last);
    const Rgb outside = s.columns ? image.Pixel(last + 1, 69) : image.Pixel(69, last + 1);
    EXPECT_EQ(inside, SplitColor(colors::kWhite)) << "style " << ColorStyleIndex(s.style);
    EXPECT_EQ(outside, SplitColor(colors::kBlack)) << "style " << ColorStyleIndex(s.style);
  }
  struct Grid {
    ColorStyle style;
    int w;
  };
  for (const Grid g : {Grid{kNegative20Grid, 20}, Grid{kNegative40Grid, 40}, Grid{kNegative60Grid, 60}}) {
    RasterImage image(70, 70, colors::kBlack);
    ApplyEffectSequence(image, *ColorStylePreset(g.style));
    const int w = g.w;
    const int style = ColorStyleIndex(g.style);
    EXPECT_EQ(image.Pixel(0, 0), SplitColor(colors::kBlack)) << "style " << style;
    EXPECT_EQ(image.Pixel(w + 1, 0), SplitColor(colors::kWhite)) << "style " << style;
    EXPECT_EQ(image.Pixel(0, w + 1), SplitColor(colors::kWhite)) << "style " << style;
    EXPECT_EQ(image.Pixel(w + 1, w + 1), SplitColor(colors::kBlack)) << "style " << style;
  }
}

}  // namespace
}  // namespace quillstone
