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

TEST(EffectCommands, RunByExactMacroWordOnly) {
  RasterImage image(4, 2, MakeColor(0, 127, 255));
  EXPECT_TRUE(RunEffectCommand(image, "negative"));
  EXPECT_EQ(image.Pixel(1, 1), (Rgb{254, 127, 0}));
  // Replayed twice the effect accumulates: 254 - 254 = 0, 127, 254 - 0 = 254.
  EXPECT_TRUE(RunEffectCommand(image, "negative"));
  EXPECT_EQ(image.Pixel(1, 1), (Rgb{0, 127, 254}));
  // Words that do not match exactly do nothing.
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
  RasterImage image =
      testing::MakeRaster({"ab"}, {{'a', MakeColor(10, 20, 31)}, {'b', MakeColor(200, 200, 200)}});
  ASSERT_TRUE(RunEffectCommand(image, "negativespecial"));
  EXPECT_EQ(image, testing::GreyRaster({{0, 254}}));

  // "Emboss" greys the image first: a flat colour embosses to 128 inside the frame.
  RasterImage flat(3, 2, MakeColor(10, 90, 200));
  ASSERT_TRUE(RunEffectCommand(flat, "emboss"));
  EXPECT_EQ(flat, testing::GreyRaster({{100, 128, 100}, {100, 100, 100}}));
}

// Each command's effect on the centre pixel of a flat 3 x 3 image.
TEST(EffectCommands, CentrePixelOfEachWord) {
  struct Case {
    const char* word;
    Rgb in, out;
  };
  for (const Case& c :
       {Case{"enhance1", {63, 64, 192}, {0, 1, 255}}, Case{"enhance2", {10, 20, 31}, {0, 20, 42}},
        Case{"smallmosaic", {10, 20, 31}, {10, 20, 31}}, Case{"coloreffect1", {10, 20, 31}, {0, 20, 141}},
        Case{"coloreffect2", {10, 20, 31}, {110, 20, 0}}, Case{"solarizegrey", {10, 20, 31}, {235, 235, 235}},
        Case{"solarizecolor", {10, 128, 129}, {245, 127, 129}}, Case{"average", {0, 0, 129}, {128, 128, 128}},
        Case{"smooth", {7, 8, 9}, {7, 8, 9}}, Case{"fullred", {10, 20, 31}, {255, 20, 31}},
        Case{"fullgreen", {10, 20, 31}, {10, 255, 31}}, Case{"fullblue", {10, 20, 31}, {10, 20, 255}},
        Case{"greyscale", {10, 20, 31}, {20, 20, 20}}, Case{"brightnessmore", {250, 0, 100}, {255, 10, 110}},
        Case{"brightnessless", {250, 0, 100}, {240, 0, 90}}}) {
    RasterImage image(3, 3, MakeColor(c.in));
    ASSERT_TRUE(RunEffectCommand(image, c.word));
    EXPECT_EQ(image.Pixel(1, 1), c.out) << c.word;
  }
}

// Pixel (1, 0) of a flat 5 x 3 image under each preset; the stripes are checked whole below.
TEST(ColorStylePresets, PixelInsideTheFrame) {
  struct Case {
    ColorStyle style;
    Rgb in, out;
  };
  using enum ColorStyle;
  for (const Case& c :
       {Case{kInvertRed, {10, 20, 30}, {245, 20, 30}}, Case{kInvertGreen, {10, 20, 30}, {10, 235, 30}},
        Case{kInvertBlue, {10, 20, 30}, {10, 20, 225}}, Case{kInvertAll, {10, 20, 30}, {245, 235, 225}},
        Case{kBlackAndWhite, {200, 200, 200}, {254, 254, 254}}, Case{kBlackAndWhite, {10, 20, 31}, {0, 0, 0}},
        Case{kSolarize, {10, 200, 128}, {245, 200, 127}}, Case{kEnhance1, {63, 64, 191}, {0, 1, 255}},
        Case{kEnhance2, {10, 20, 31}, {0, 20, 42}}, Case{kSmallMosaic, {10, 20, 30}, {10, 20, 30}},
        Case{kEmbossBlackAndWhite, {10, 20, 30}, {128, 128, 128}}, Case{kJustRed, {10, 20, 30}, {10, 0, 0}},
        Case{kJustGreen, {10, 20, 30}, {0, 20, 0}}, Case{kJustBlue, {10, 20, 30}, {0, 0, 30}},
        // Solarize 64: (245, 235, 224); grey 234; contrast -10 -> 0; contrast -2 -> 254.
        Case{kSolarizeBlackAndWhite, {10, 20, 31}, {254, 254, 254}}}) {
    const EffectSequence* preset = ColorStylePreset(c.style);
    ASSERT_NE(preset, nullptr);
    RasterImage image(5, 3, MakeColor(c.in));
    ApplyEffectSequence(image, *preset);
    EXPECT_EQ(image.Pixel(1, 0), c.out) << "style " << ColorStyleIndex(c.style);
  }
}

// Bands of w + 1 inverted columns (or rows) alternate with w kept ones for widths 20, 40
// and 60; the grids invert by both, so where a column band meets a row band it is kept.
TEST(ColorStylePresets, StripeWidthsTwentyFortySixty) {
  struct Stripe {
    ColorStyle style;
    int w;
    bool columns, rows;
  };
  using enum ColorStyle;
  for (const Stripe s :
       {Stripe{kNegative20Columns, 20, true, false}, Stripe{kNegative40Columns, 40, true, false},
        Stripe{kNegative60Columns, 60, true, false}, Stripe{kNegative20Rows, 20, false, true},
        Stripe{kNegative40Rows, 40, false, true}, Stripe{kNegative60Rows, 60, false, true},
        Stripe{kNegative20Grid, 20, true, true}, Stripe{kNegative40Grid, 40, true, true},
        Stripe{kNegative60Grid, 60, true, true}}) {
    RasterImage image(70, 70, colors::kBlack);
    ApplyEffectSequence(image, *ColorStylePreset(s.style));
    for (int y = 0; y < 70; ++y)
      for (int x = 0; x < 70; ++x) {
        const bool inverted = (s.columns && x % (2 * s.w + 1) <= s.w) != (s.rows && y % (2 * s.w + 1) <= s.w);
        ASSERT_EQ(image.Pixel(x, y), SplitColor(inverted ? colors::kWhite : colors::kBlack))
            << "style " << ColorStyleIndex(s.style) << " at " << x << ", " << y;
      }
  }
}

}  // namespace
}  // namespace quillstone
