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

struct TargetCase {
  SizePreset preset;
  int width;
  int height;
  std::optional<ImageSize> expected;
  int customWidth = 320;
  int customHeight = 240;
};

class SizePresetTargets : public ::testing::TestWithParam<TargetCase> {};

TEST_P(SizePresetTargets, ScaleByTheWidthOrTheHeight) {
  const TargetCase& c = GetParam();
  ResizeSettings s;
  s.preset = c.preset;
  s.customWidth = c.customWidth;
  s.customHeight = c.customHeight;
  const std::optional<ImageSize> size = SizePresetTarget(s, c.width, c.height);
  ASSERT_EQ(size.has_value(), c.expected.has_value());
  if (size) {
    EXPECT_EQ(size->width, c.expected->width)
        << SizePresetCaption(c.preset) << " on " << c.width << "x" << c.height;
    EXPECT_EQ(size->height, c.expected->height)
        << SizePresetCaption(c.preset) << " on " << c.width << "x" << c.height;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SizePresetTargets,
                         ::testing::Values(
                             // (trunc(50.5), trunc(37.5)) = (50, 37); s = 50/101; 75 * s = 37.13.
                             TargetCase{SizePreset::kPercent50, 101, 75, ImageSize{50, 37}},
                             // (3000, 2000) clamps to (2000, 2000); s = 2000/1500; 1000 * s = 1333.3.
                             TargetCase{SizePreset::kPercent200, 1500, 1000, ImageSize{2000, 1333}},
                             TargetCase{SizePreset::kPercent200, 10, 20, ImageSize{20, 40}},
                             // Fitted (240, 240) into the custom box.
                             TargetCase{SizePreset::kCustomSize, 800, 800, ImageSize{240, 240}},
                             TargetCase{SizePreset::kCustomSize, 100, 50,
                                        ImageSize{320, 160}},  // small images grow
                             // A custom width below 10 counts as 10: fitted (10, 10).
                             TargetCase{SizePreset::kCustomSize, 800, 800, ImageSize{10, 10}, 5, 240},
                             // Square and landscape follow the width, portrait the height.
                             TargetCase{SizePreset::k320x240, 1000, 1000, ImageSize{320, 320}},
                             TargetCase{SizePreset::k320x240, 600, 800, ImageSize{180, 240}},
                             TargetCase{SizePreset::k1024x768, 3000, 4000, ImageSize{576, 768}},
                             // Ties go to the even neighbour: 5 * 0.5 = 2.5 -> 2, 7 * 0.5 = 3.5 -> 4.
                             TargetCase{SizePreset::k16x16, 32, 5, ImageSize{16, 2}},
                             TargetCase{SizePreset::k16x16, 32, 7, ImageSize{16, 4}},
                             TargetCase{SizePreset::kPercent75, 7, 3, ImageSize{5, 2}},
                             TargetCase{SizePreset::kPercent175, 1001, 1000, ImageSize{1751, 1749}},
                             // Targets below 1 clamp to 1; a side that would round to 0 is kept at 1.
                             TargetCase{SizePreset::kPercent25, 2, 2, ImageSize{1, 1}},
                             TargetCase{SizePreset::k16x16, 2000, 1, ImageSize{16, 1}},
                             TargetCase{SizePreset::kCustomSize, 1, 2000, ImageSize{1, 240}},
                             TargetCase{SizePreset::kOriginalSize, 640, 480, std::nullopt},
                             TargetCase{SizePreset::kPercent50, 0, 480, std::nullopt}));

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

struct StretchCase {
  Rows source;
  int width;
  int height;
  Rows expected;
};

class StretchResizeCases : public ::testing::TestWithParam<StretchCase> {};

// Each target pixel takes the source pixel under its centre.
TEST_P(StretchResizeCases, TakesThePixelUnderTheCentre) {
  const StretchCase& c = GetParam();
  RasterImage result;
  StretchResize(LetterRaster(c.source), result, c.width, c.height);
  EXPECT_EQ(Letters(result), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, StretchResizeCases,
                         ::testing::Values(StretchCase{{"abcd"}, 2, 1, {"bd"}},      // 1*4/4, 3*4/4
                                           StretchCase{{"abcdef"}, 4, 1, {"acdf"}},  // 6/8, 18/8, 30/8, 42/8
                                           StretchCase{{"abc"}, 2, 1, {"ac"}},
                                           StretchCase{{"ab"}, 5, 1, {"aabbb"}},  // 2/10, 6/10, 10/10 ...
                                           StretchCase{{"abc", "def"}, 3, 2, {"abc", "def"}},
                                           StretchCase{{"a", "b", "c", "d"}, 1, 2, {"b", "d"}},
                                           StretchCase{
                                               {"ab", "cd"}, 4, 4, {"aabb", "aabb", "ccdd", "ccdd"}}));

TEST(SharpenResize, SixteenTimesTheCentreLessTheNeighboursOverEight) {
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
}

TEST(SharpenResize, KeepsImagesWithoutInnerPixels) {
  const RasterImage thin = GreyRaster({{10, 20, 30, 40, 50}, {60, 70, 80, 90, 100}});
  RasterImage result;
  SharpenResize(thin, result);
  EXPECT_EQ(result, thin);
}

struct ApplyCase {
  SizePreset preset;
  bool smooth;
  bool sharpen;
  int width;
  int height;
  ImageSize expected;
};

class ApplySizePresetSizes : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(ApplySizePresetSizes, SharpeningTakesTwoPixelsEachWay) {
  const ApplyCase& c = GetParam();
  ResizeSettings s;
  s.preset = c.preset;
  s.smooth = c.smooth;
  s.sharpen = c.sharpen;
  RasterImage image(c.width, c.height, MakeColor(40, 90, 200));
  RasterImage scratch;
  ApplySizePreset(image, s, scratch);
  EXPECT_EQ(image, RasterImage(c.expected.width, c.expected.height, MakeColor(40, 90, 200)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ApplySizePresetSizes,
    ::testing::Values(ApplyCase{SizePreset::kPercent50, true, true, 101, 75, {48, 35}},
                      ApplyCase{SizePreset::kPercent50, true, false, 101, 75, {50, 37}},
                      ApplyCase{
                          SizePreset::kPercent50, false, true, 101, 75, {50, 37}},  // sharpen needs smooth
                      // 25% of 8 x 8 is 2 x 2: too small to sharpen, kept unsharpened.
                      ApplyCase{SizePreset::kPercent25, true, true, 8, 8, {2, 2}}));

TEST(ApplySizePreset, UsesTheChosenResampler) {
  const RasterImage source = GreyRaster({{0, 1, 2, 3}, {10, 11, 12, 13}, {20, 21, 22, 23}, {30, 31, 32, 33}});
  ResizeSettings s;
  s.preset = SizePreset::kPercent50;
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
}

TEST(ApplySizePreset, OriginalSizeLeavesThePixelsAlone) {
  const RasterImage source = testing::MakeGradientRaster(7, 5);
  RasterImage image = source;
  RasterImage scratch;
  ApplySizePreset(image, ResizeSettings{}, scratch);
  EXPECT_EQ(image, source);
}

}  // namespace
}  // namespace quillstone
