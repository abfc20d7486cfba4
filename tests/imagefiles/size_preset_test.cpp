#include "imagefiles/size_preset.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "imagefiles/fit_into_box.h"
#include "imagefiles/geometry_rasters.h"
#include "imagefiles/resize_settings.h"
#include "imagefiles/sharpen_resize.h"
#include "imagefiles/stretch_resize.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::GreyRaster;
using testing::Greys;
using testing::LetterRaster;
using testing::Letters;
using Rows = std::vector<std::string>;

// Square and landscape pictures follow the preset's width, portrait ones its height.
TEST(SizePresetTarget, ScalesByTheWidthOrTheHeight) {
  struct Case {
    SizePreset preset;
    int width, height;
    std::optional<ImageSize> expected;
    int customWidth = 320;
    int customHeight = 240;
  };
  using enum SizePreset;
  for (const Case& c :
       {// (trunc(50.5), trunc(37.5)) = (50, 37); s = 50/101; 75 * s = 37.13.
        Case{kPercent50, 101, 75, ImageSize{50, 37}},
        // (3000, 2000) clamps to (2000, 2000); s = 2000/1500; 1000 * s = 1333.3.
        Case{kPercent200, 1500, 1000, ImageSize{2000, 1333}}, Case{kPercent200, 10, 20, ImageSize{20, 40}},
        // Fitted into the custom box (FitIntoBox below); a custom width below 10 counts as 10.
        Case{kCustomSize, 800, 800, ImageSize{10, 10}, 5, 240},
        Case{k320x240, 1000, 1000, ImageSize{320, 320}}, Case{k320x240, 600, 800, ImageSize{180, 240}},
        Case{k1024x768, 3000, 4000, ImageSize{576, 768}},
        // Ties go to the even neighbour: 5 * 0.5 = 2.5 -> 2, 7 * 0.5 = 3.5 -> 4.
        Case{k16x16, 32, 5, ImageSize{16, 2}}, Case{k16x16, 32, 7, ImageSize{16, 4}},
        Case{kPercent75, 7, 3, ImageSize{5, 2}}, Case{kPercent175, 1001, 1000, ImageSize{1751, 1749}},
        // Targets below 1 clamp to 1; a side that would round to 0 is kept at 1.
        Case{kPercent25, 2, 2, ImageSize{1, 1}}, Case{k16x16, 2000, 1, ImageSize{16, 1}},
        Case{kCustomSize, 1, 2000, ImageSize{1, 240}}, Case{kOriginalSize, 640, 480, std::nullopt},
        Case{kPercent50, 0, 480, std::nullopt}}) {
    ResizeSettings s{.preset = c.preset, .customWidth = c.customWidth, .customHeight = c.customHeight};
    EXPECT_EQ(SizePresetTarget(s, c.width, c.height), c.expected)
        << SizePresetCaption(c.preset) << " on " << c.width << "x" << c.height;
  }
}

TEST(FitIntoBox, FillsTheSideTheImageReachesFirst) {
  struct Case {
    int w, h, bw, bh;
    ImageSize expected;
  };
  for (const Case& c : {Case{800, 800, 320, 240, {240, 240}}, Case{640, 480, 320, 240, {320, 240}},
                        Case{100, 50, 320, 240, {320, 160}}, Case{300, 1000, 320, 240, {72, 240}},
                        Case{1000, 1, 320, 240, {320, 0}}, Case{800, 600, 0, 240, {800, 600}}}) {
    EXPECT_EQ(FitIntoBox(c.w, c.h, c.bw, c.bh), c.expected)
        << c.w << "x" << c.h << " in " << c.bw << "x" << c.bh;
  }
}

// Each target pixel takes the source pixel under its centre.
TEST(StretchResize, TakesThePixelUnderTheCentre) {
  struct Case {
    Rows source;
    int width, height;
    Rows expected;
  };
  for (const Case& c :
       {Case{{"abcd"}, 2, 1, {"bd"}},                                // 1*4/4, 3*4/4
        Case{{"abcdef"}, 4, 1, {"acdf"}},                            // 6/8, 18/8, 30/8, 42/8
        Case{{"abc"}, 2, 1, {"ac"}}, Case{{"ab"}, 5, 1, {"aabbb"}},  // 2/10, 6/10, 10/10 ...
        Case{{"abc", "def"}, 3, 2, {"abc", "def"}}, Case{{"a", "b", "c", "d"}, 1, 2, {"b", "d"}},
        Case{{"ab", "cd"}, 4, 4, {"aabb", "aabb", "ccdd", "ccdd"}}}) {
    RasterImage result;
    StretchResize(LetterRaster(c.source), result, c.width, c.height);
    EXPECT_EQ(Letters(result), c.expected) << c.source.front() << " to " << c.width << "x" << c.height;
  }
}

TEST(SharpenResize, SixteenTimesTheCentreLessTheNeighboursOverEightAndThinImagesStay) {
  struct Case {
    int centre;
    int neighbours;
    int expected;
  };
  // (16 * 100 - 8 * 50) / 8 = 150; 16 * 200 / 8 = 400 clamps to 255; -8 * 255 / 8 to 0.
  for (const Case& c : {Case{100, 50, 150}, Case{200, 0, 255}, Case{0, 255, 0}, Case{77, 77, 77}}) {
    const int n = c.neighbours;
    RasterImage result;
    SharpenResize(GreyRaster({{n, n, n}, {n, c.centre, n}, {n, n, n}}), result);
    EXPECT_EQ(Greys(result), (std::vector<std::vector<int>>{{c.expected}})) << c.centre << " among " << n;
  }
  // Images without inner pixels are kept.
  const RasterImage thin = GreyRaster({{10, 20, 30, 40, 50}, {60, 70, 80, 90, 100}});
  RasterImage result;
  SharpenResize(thin, result);
  EXPECT_EQ(result, thin);
}

// Sharpening takes two pixels each way, and only after smoothing.
TEST(ApplySizePreset, SharpeningTakesTwoPixelsEachWay) {
  struct Case {
    SizePreset preset;
    bool smooth, sharpen;
    int width, height;
    ImageSize expected;
  };
  using enum SizePreset;
  for (const Case& c :
       {Case{kPercent50, true, true, 101, 75, {48, 35}}, Case{kPercent50, true, false, 101, 75, {50, 37}},
        Case{kPercent50, false, true, 101, 75, {50, 37}},
        // 25% of 8 x 8 is 2 x 2: too small to sharpen, kept unsharpened.
        Case{kPercent25, true, true, 8, 8, {2, 2}}}) {
    ResizeSettings s{.preset = c.preset, .smooth = c.smooth, .sharpen = c.sharpen};
    RasterImage image(c.width, c.height, MakeColor(40, 90, 200));
    RasterImage scratch;
    ApplySizePreset(image, s, scratch);
    EXPECT_EQ(image, RasterImage(c.expected.width, c.expected.height, MakeColor(40, 90, 200)))
        << c.smooth << c.sharpen << " " << c.width << "x" << c.height;
  }
}

TEST(ApplySizePreset, UsesTheChosenResamplerAndOriginalSizeLeavesThePixelsAlone) {
  const RasterImage source = GreyRaster({{0, 1, 2, 3}, {10, 11, 12, 13}, {20, 21, 22, 23}, {30, 31, 32, 33}});
  ResizeSettings s{.preset = SizePreset::kPercent50};
  RasterImage scratch;
  struct Case {
    bool smooth;
    std::vector<std::vector<int>> expected;
  };
  // Smooth: the shared-edge 3 x 3 means; plain: the pixels under the centres, (1, 3).
  for (const Case& c : {Case{true, {{11, 13}, {26, 28}}}, Case{false, {{11, 13}, {31, 33}}}}) {
    s.smooth = c.smooth;
    s.sharpen = false;
    RasterImage image = source;
    ApplySizePreset(image, s, scratch);
    EXPECT_EQ(Greys(image), c.expected) << (c.smooth ? "smooth" : "plain");
  }
  // The original size leaves the pixels alone.
  const RasterImage gradient = testing::MakeGradientRaster(7, 5);
  RasterImage image = gradient;
  ApplySizePreset(image, ResizeSettings{}, scratch);
  EXPECT_EQ(image, gradient);
}

}  // namespace
}  // namespace quillstone
