#include "pipeline/logo_stage.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace quillstone {
namespace {

// Blending settings without a transparent colour.
LogoSettings Blend(int alpha, bool neutral = false, bool plain = true) {
  return {.alpha = alpha, .useTransparentColor = false, .colorNeutral = neutral, .plain = plain};
}

TEST(LogoPlacePosition, NinePlacesTouchTheBorder) {
  // Image 101 x 75, logo 10 x 6: halving truncates on both sizes.
  struct Case {
    LogoPlace place;
    int x0, y0;
  };
  using enum LogoPlace;
  for (const Case& c : {Case{kTopLeft, 0, 0}, Case{kTopCenter, 45, 0}, Case{kTopRight, 91, 0},
                        Case{kMiddleRight, 91, 34}, Case{kBottomRight, 91, 69}, Case{kBottomCenter, 45, 69},
                        Case{kBottomLeft, 0, 69}, Case{kMiddleLeft, 0, 34}, Case{kCenter, 45, 34}}) {
    const LogoPosition p = LogoPlacePosition(c.place, 101, 75, 10, 6);
    EXPECT_EQ(std::pair(p.x0, p.y0), std::pair(c.x0, c.y0)) << static_cast<int>(c.place);
  }
}

TEST(BlendLogo, OnePixelUnderEachRule) {
  struct Case {
    int alpha;
    bool neutral, plain;
    Rgb logo, image, expected;
  };
  for (const Case& c : {Case{50, false, true, {255, 255, 255}, {0, 0, 0}, {127, 127, 127}},
                        Case{0, false, true, {255, 0, 9}, {10, 20, 30}, {10, 20, 30}},
                        Case{100, false, true, {255, 0, 9}, {10, 20, 30}, {255, 0, 9}},
                        // 33 * 255 / 100 = 84.15 -> 84, 67 * 255 / 100 = 170.85 -> 170: each term truncated.
                        Case{33, false, true, {255, 255, 255}, {255, 255, 255}, {254, 254, 254}},
                        // Neutral, plain off, black logo: ratio 0, the image darkened to (100 - a) percent.
                        Case{40, true, false, {0, 0, 0}, {100, 200, 50}, {60, 120, 30}},
                        // Neutral, plain off, brighter logo: ratio 600 / 350 brightens, clamped at 255.
                        Case{100, true, false, {200, 200, 200}, {100, 100, 150}, {171, 171, 255}},
                        // Neutral, plain on, logo twice as bright: ratio 0.5, as for a logo half as bright.
                        Case{100, true, true, {200, 200, 200}, {100, 100, 100}, {50, 50, 50}},
                        Case{100, true, true, {50, 50, 50}, {100, 100, 100}, {50, 50, 50}},
                        // sum 0 counts as 1 on both sides: image black stays black.
                        Case{50, true, true, {30, 30, 30}, {0, 0, 0}, {0, 0, 0}},
                        // ratio 30 / 155: 100 * ratio = 19.35 and 55 * ratio = 10.65 truncate to 19 and 10.
                        Case{100, true, true, {10, 10, 10}, {100, 55, 0}, {19, 10, 0}}}) {
    RasterImage image(1, 1, MakeColor(c.image));
    const RasterImage source = image;
    BlendLogo(image, RasterImage(1, 1, MakeColor(c.logo)), source, 0, 0, Blend(c.alpha, c.neutral, c.plain),
              ChannelMask{});
    EXPECT_EQ(image.Pixel(0, 0), c.expected)
        << testing::Describe(c.logo) << " at " << c.alpha << " over " << testing::Describe(c.image)
        << ", neutral " << c.neutral << " plain " << c.plain;
  }
}

TEST(BlendLogo, TransparentColourNeedsAllThreeChannels) {
  RasterImage image(3, 1, MakeColor(10, 10, 10));
  const RasterImage source = image;
  const RasterImage logo = testing::MakeRaster(
      {"kpn"}, {{'k', MakeColor(1, 2, 3)}, {'p', MakeColor(1, 2, 4)}, {'n', MakeColor(0, 2, 3)}});
  const LogoSettings s{.alpha = 100, .transparentColor = MakeColor(1, 2, 3)};
  BlendLogo(image, logo, source, 0, 0, s, ChannelMask{});
  EXPECT_EQ(image.Pixel(0, 0), (Rgb{10, 10, 10})) << "the transparent colour is skipped";
  EXPECT_EQ(image.Pixel(1, 0), (Rgb{1, 2, 4}));
  EXPECT_EQ(image.Pixel(2, 0), (Rgb{0, 2, 3}));
}

TEST(BlendLogo, ChannelOffKeepsTheSourceInBothModes) {
  for (bool neutral : {false, true}) {
    RasterImage image(1, 1, MakeColor(100, 100, 100));
    const RasterImage source = image;
    const RasterImage logo(1, 1, MakeColor(250, 250, 250));
    ChannelMask mask{.red = false};
    BlendLogo(image, logo, source, 0, 0, Blend(80, neutral, false), mask);
    EXPECT_EQ(image.Pixel(0, 0).r, 100) << "neutral " << neutral;
    EXPECT_NE(image.Pixel(0, 0).g, 100) << "neutral " << neutral;
  }
}

// A logo with alpha, blending 100 % over blue: a half-transparent pixel (alpha 128) gives
// 12800 * 200 div 25500 = 100, 12800 * 100 div 25500 = 50 and 12700 * 255 div 25500 = 127;
// the transparent colour is blended like any other, and alpha 0 keeps the image.
TEST(BlendLogo, AlphaSharesTheBlendPerPixelAndIgnoresTheTransparentColour) {
  RasterImage image(3, 1, MakeColor(0, 0, 255));
  const RasterImage source = image;
  const RasterImage logo = testing::MakeRaster(
      {"hkz"}, {{'h', MakeColor(200, 100, 0)}, {'k', MakeColor(1, 2, 3)}, {'z', MakeColor(10, 20, 30)}});
  LogoSettings s = Blend(100);
  s.transparentColor = MakeColor(1, 2, 3);
  s.useTransparentColor = true;
  const std::vector<std::uint8_t> alpha = {128, 255, 0};
  BlendLogo(image, logo, source, 0, 0, s, ChannelMask{}, alpha.data());
  EXPECT_EQ(image.Pixel(0, 0), (Rgb{100, 50, 127}));
  EXPECT_EQ(image.Pixel(1, 0), (Rgb{1, 2, 3}));
  EXPECT_EQ(image.Pixel(2, 0), (Rgb{0, 0, 255}));
}

TEST(BlendLogo, OpaqueAlphaBlendsExactlyAsNoAlphaUnderEveryRule) {
  const RasterImage source = testing::MakeNoiseRaster(16, 8, 3);
  const RasterImage logo = testing::MakeNoiseRaster(16, 8, 4);
  const std::vector<std::uint8_t> opaque(16 * 8, 255);
  for (const auto& [neutral, plain] :
       {std::pair{false, false}, std::pair{true, true}, std::pair{true, false}}) {
    RasterImage withAlpha = source;
    RasterImage without = source;
    BlendLogo(withAlpha, logo, source, 0, 0, Blend(37, neutral, plain), ChannelMask{}, opaque.data());
    BlendLogo(without, logo, source, 0, 0, Blend(37, neutral, plain), ChannelMask{});
    EXPECT_EQ(withAlpha, without) << neutral << plain;
  }
}

TEST(BlendLogoAtPlaces, OverlapShowsTheLaterLogoOverTheImage) {
  // A 3-wide logo on a 4-wide image at c1 and c2 (x0 = 2 - 1 = 1) overlaps in columns 1..2;
  // each overlap pixel is the logo blended over the image once, never over the first logo.
  RasterImage image(4, 1, MakeColor(0, 0, 0));
  const RasterImage source = image;
  const RasterImage logo(3, 1, MakeColor(200, 200, 200));
  LogoSettings s = Blend(50);
  s.places = {true, true, false, false, false, false, false, false, false};
  ASSERT_TRUE(BlendLogoAtPlaces(image, logo, source, s, ChannelMask{}));
  for (int x = 0; x < 4; ++x) EXPECT_EQ(image.Pixel(x, 0).r, 100) << x;
}

TEST(BlendLogoAtPlaces, LogoBiggerThanImageBlendsNothing) {
  RasterImage image(5, 5, colors::kBlack);
  const RasterImage source = image;
  for (const RasterImage& logo : {RasterImage(6, 2, colors::kWhite), RasterImage(2, 6, colors::kWhite)})
    EXPECT_FALSE(BlendLogoAtPlaces(image, logo, source, LogoSettings{}, ChannelMask{})) << logo.Width();
  EXPECT_TRUE(image == source);
}

}  // namespace
}  // namespace quillstone
