#include "pipeline/render_watermark.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "imaging/random_source.h"
#include "pipeline/color_effect_stage.h"
#include "pipeline/logo_stage.h"
#include "pipeline/preview.h"
#include "pipeline/render_fixture.h"
#include "support/ink_box.h"
#include "support/test_support.h"
#include "text/text_stage.h"

namespace quillstone {
namespace {

using testing::RenderFixture;

TEST(EffectiveStrength, SelectedItemPlusOneAndNeverOneForMultiBandStyles) {
  struct Case {
    int item;
    ColorStyle style;
    int expected;
  };
  using enum ColorStyle;
  for (const Case& c : {Case{4, kLeftToRight, 5}, Case{0, kLeftToRight, 1}, Case{9, kTopToBottom, 10},
                        Case{-1, kLeftToRight, 2}, Case{0, kBottomAndTop, 2}, Case{0, kLeftAndRight, 2},
                        Case{0, kAllFourSides, 2}, Case{1, kAllFourSides, 2}, Case{2, kAllFourSides, 3},
                        Case{0, kInvertRed, 1}}) {
    const ColorEffectSettings s{.style = ColorStyleIndex(c.style), .strengthItem = c.item};
    EXPECT_EQ(EffectiveStrength(s), c.expected) << "item " << c.item << " style " << s.style;
  }
}

// What a render may change is known before it runs for a logo at its places: every pixel
// it changes lies in the reach; where it cannot be known there is no reach.
TEST(RenderReach, HoldsEveryPixelTheRenderChanges) {
  struct Case {
    const char* name;
    std::function<void(testing::RenderFixture&)> set;
    bool known;
  };
  const auto places = [](std::initializer_list<int> list) {
    return [on = std::vector<int>(list)](testing::RenderFixture& f) {
      f.settings.logo.places.fill(false);
      for (const int i : on) f.settings.logo.places[static_cast<std::size_t>(i)] = true;
    };
  };
  using enum CombinationOrder;
  const std::vector<Case> cases = {
      {"the first place", places({0}), true},
      {"corners and centre", places({0, 2, 4, 6, 8}), true},
      {"relative size",
       [&](auto& f) {
         places({8})(f);
         f.settings.logo.relativeSize = true;
         f.settings.logo.relativePercent = 40;
       },
       true},
      {"logo then no text", [](auto& f) { f.settings.combination = kTL; }, true},
      {"a logo bigger than the image", [](auto& f) { f.logo = RasterImage(41, 5, colors::kWhite); }, true},
      {"logo then text", [](auto& f) { f.settings.combination = kLT, f.text = {"x"}; }, false},
      {"a colour effect", [](auto& f) { f.settings.combination = kLC; }, false},
      {"a tiled logo", [](auto& f) { f.settings.logo.tile = true; }, false},
      {"a frame", [](auto& f) { f.settings.frame.outerOn = true; }, false},
      {"margins", [](auto& f) { f.settings.texture.enabled = true; }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::RenderFixture f{testing::MakeGradientRaster(40, 30), RasterImage(9, 5, colors::kWhite)};
    c.set(f);
    const std::optional<Rect> reach =
        RenderReach({f.original, f.logo, f.texture, f.settings, f.text, f.context, f.locale});
    ASSERT_EQ(reach.has_value(), c.known);
    if (!reach) continue;
    const testing::InkBox changed = testing::InkBoxOf(f.Render().marked, f.original);
    EXPECT_TRUE(changed.Empty() ||
                (reach->Contains(changed.x1, changed.y1) && reach->Contains(changed.x2, changed.y2)))
        << "changed " << changed;
  }
}

// The logo too big for the picture is reported with the time, and the render completes with
// nothing blended. An empty original places no logo, but a logo after another stage tests
// the size first; the status is left alone unless logo and text clear it.
TEST(RenderWatermark, LogoBiggerThanImageReportsWithTheTimeAndOnlyLogoAndTextClearTheStatus) {
  RenderFixture f{RasterImage(10, 10, colors::kBlack), RasterImage(11, 2, colors::kWhite)};
  const RenderOutput& out = f.Render();
  ASSERT_TRUE(out.status.has_value());
  EXPECT_EQ(out.status->rfind(kLogoTooBigMessage, 0), 0u) << *out.status;
  EXPECT_GT(out.status->size(), std::string(kLogoTooBigMessage).size()) << "the time follows";
  EXPECT_TRUE(out.marked == f.original) << "nothing is blended";
  f.original = {};
  EXPECT_FALSE(f.Render().status.has_value()) << "empty original, logo first: nothing, no message";
  f.settings.combination = CombinationOrder::kTL;
  ASSERT_TRUE(f.Render().status.has_value());
  EXPECT_EQ(f.output.status->rfind(kLogoTooBigMessage, 0), 0u);
  f.original = RasterImage(20, 10, colors::kBlack);
  EXPECT_FALSE(f.Render().status.has_value());
  f.settings.combination = CombinationOrder::kActive;
  EXPECT_FALSE(f.Render().status.has_value());
  f.settings.combination = CombinationOrder::kLT;
  ASSERT_TRUE(f.Render().status.has_value());
  EXPECT_EQ(*f.output.status, "");
}

TEST(RenderWatermark, SizeLabelAndPreviewFollowTheMarkedImage) {
  RenderFixture f;
  EXPECT_TRUE(f.Render().marked.Empty());
  EXPECT_TRUE(f.output.preview.Empty()) << "an empty image gives an empty preview";
  EXPECT_EQ(f.output.sizeLabel, "0x0");
  f.original = RasterImage(640, 480, colors::kBlue);
  const RenderOutput& out = f.Render(200, 100);
  EXPECT_EQ(out.sizeLabel, "640x480");
  // 480 / 100 > 640 / 200: full height, width 640 / 4.8.
  EXPECT_EQ(out.preview, RasterImage(133, 100, colors::kBlue));
  EXPECT_TRUE(f.Render(0, 100).preview.Empty()) << "without a box there is no preview";
}

// Every combination runs its stages in its own order: a logo, a text box and a colour
// effect that overlap at the top left give different pixels in each of the twelve orders,
// and each equals the stages applied one after the other by hand.
TEST(RenderWatermark, EachCombinationRunsItsStagesInItsOrder) {
  RenderFixture f{testing::MakeGradientRaster(40, 30), RasterImage(12, 12, MakeColor(250, 40, 10))};
  f.settings.logo.useTransparentColor = false;
  f.settings.logo.alpha = 60;
  f.settings.color.style = ColorStyleIndex(ColorStyle::kGrayscale);  // drains the logo's and the box's colour
  f.settings.text.font = {"DejaVu Sans", 10};
  f.settings.text.useImageWidth = true;
  f.settings.text.backgroundColor = MakeColor(0, 90, 240);
  f.settings.text.backgroundBlending = 70;
  f.text = {"Ab"};

  // The stages by hand, each on what the one before left.
  const auto logo = [&](RasterImage& image) {
    const RasterImage source = image;
    ASSERT_TRUE(BlendLogoAtPlaces(image, f.logo, source, f.settings.logo, f.settings.channels));
  };
  const auto text = [&](RasterImage& image) {
    RenderTextWatermark(image, {f.settings.text, f.text, f.context, f.locale, f.settings.channels});
  };
  const auto color = [&](RasterImage& image) {
    RasterImage scratch;
    RandomSource random{7};
    ApplyColorEffect(image, scratch, f.settings.color, EffectiveStrength(f.settings.color),
                     f.settings.channels, random);
  };
  using Stage = std::function<void(RasterImage&)>;
  const struct {
    CombinationOrder order;
    std::vector<Stage> stages;
  } cases[] = {
      {CombinationOrder::kLT, {logo, text}},         {CombinationOrder::kTL, {text, logo}},
      {CombinationOrder::kLC, {logo, color}},        {CombinationOrder::kCL, {color, logo}},
      {CombinationOrder::kTC, {text, color}},        {CombinationOrder::kCT, {color, text}},
      {CombinationOrder::kLTC, {logo, text, color}}, {CombinationOrder::kLCT, {logo, color, text}},
      {CombinationOrder::kCLT, {color, logo, text}}, {CombinationOrder::kCTL, {color, text, logo}},
      {CombinationOrder::kTLC, {text, logo, color}}, {CombinationOrder::kTCL, {text, color, logo}},
  };
  std::vector<RasterImage> results;
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.order));
    RasterImage expected = f.original;
    for (const Stage& stage : c.stages) stage(expected);
    f.settings.combination = c.order;
    EXPECT_TRUE(f.Render().marked == expected);
    for (const RasterImage& other : results) EXPECT_FALSE(other == expected) << "two orders look alike";
    results.push_back(expected);
  }
}

// The date command is written with the locale the render is given, not the system's.
TEST(RenderWatermark, TextCommandsUseTheLocaleOfTheInput) {
  RenderFixture f{RasterImage(120, 30, colors::kWhite)};
  f.settings.action = WatermarkAction::kUseText;
  f.settings.text.font = {"DejaVu Sans", 10};
  f.text = {"$date$"};
  f.locale.shortDateFormat = "yyyy";
  const RasterImage date = f.Render().marked;
  f.text = {"2026"};
  EXPECT_TRUE(f.Render().marked == date) << "the date in the input's format";
  f.text = {"$date$"};
  f.locale.shortDateFormat = "dd/mm/yyyy";
  EXPECT_FALSE(f.Render().marked == date);
}

TEST(RenderWatermark, ActiveActionChoosesTheSingleStage) {
  RenderFixture f{RasterImage(6, 6, colors::kBlack), RasterImage(2, 2, colors::kWhite)};
  f.settings.logo.useTransparentColor = false;
  f.settings.color.style = ColorStyleIndex(ColorStyle::kInvertAll);
  f.settings.action = WatermarkAction::kUseColor;
  EXPECT_EQ(f.Render().marked.Pixel(0, 0), (Rgb{255, 255, 255})) << "colour only: no logo";
  f.settings.action = WatermarkAction::kPlaceLogo;
  EXPECT_EQ(f.Render().marked.Pixel(0, 0), (Rgb{127, 127, 127}));
  EXPECT_EQ(f.output.marked.Pixel(5, 5), (Rgb{0, 0, 0})) << "logo only: no colour effect";
  f.settings.action = WatermarkAction::kUseText;
  EXPECT_TRUE(f.Render().marked == f.original) << "text only, no text: the original";
}

TEST(AreaAverageResize, AveragesTheCoveredArea) {
  // 4 x 2 to 2 x 1: each target pixel is the mean of a 2 x 2 block.
  RasterImage source = testing::MakeRaster({"abcd", "abcd"}, {{'a', MakeColor(0, 0, 0)},
                                                              {'b', MakeColor(100, 50, 3)},
                                                              {'c', MakeColor(200, 10, 10)},
                                                              {'d', MakeColor(255, 10, 11)}});
  RasterImage target;
  AreaAverageResize(source, 2, 1, target);
  // 1.5 rounds to 2; 227.5 to 228, 10.5 to 11.
  EXPECT_EQ(target,
            testing::MakeRaster({"ab"}, {{'a', MakeColor(50, 25, 2)}, {'b', MakeColor(228, 10, 11)}}));
  // 3 x 1 to 2 x 1: the middle pixel counts half for each target pixel.
  source = testing::GreyRaster({{0, 90, 0}});
  AreaAverageResize(source, 2, 1, target);
  EXPECT_EQ(target, testing::GreyRaster({{30, 30}}));
  // Enlarging repeats pixels.
  AreaAverageResize(source, 6, 2, target);
  EXPECT_EQ(target, testing::GreyRaster({{0, 0, 90, 90, 0, 0}, {0, 0, 90, 90, 0, 0}}));
}

// The shares written out: target cell t of `to` covers [t * from / to, (t + 1) * from / to)
// of the source; each source cell's share of it in 1/65536, rounded, with the rounding
// remainder on the last one.
std::vector<std::vector<std::pair<int, std::int64_t>>> Shares(int from, int to) {
  std::vector<std::vector<std::pair<int, std::int64_t>>> shares(static_cast<std::size_t>(to));
  const double scale = static_cast<double>(from) / to;
  for (int t = 0; t < to; ++t) {
    auto& list = shares[static_cast<std::size_t>(t)];
    std::int64_t total = 0;
    for (int s = static_cast<int>(t * scale); s < from && s < (t + 1) * scale; ++s) {
      const double covered = std::min<double>(s + 1, (t + 1) * scale) - std::max<double>(s, t * scale);
      const auto w = static_cast<std::int64_t>(covered / scale * 65536.0 + 0.5);
      if (w > 0) list.emplace_back(s, w);
      total += w;
    }
    if (list.empty()) list.emplace_back(std::min(static_cast<int>(t * scale), from - 1), 0);
    list.back().second += 65536 - total;
  }
  return shares;
}

// Every target pixel is the sum of its source pixels times both shares, rounded, however
// the rows and columns are grouped on the way: whole and partly covered cells, enlarging,
// and cells wider than 512 and taller than 257 source pixels.
TEST(AreaAverageResize, AgreesWithTheSharesOfEveryPixel) {
  const RasterImage source = testing::MakeNoiseRaster(1100, 600, 3);
  RasterImage target;
  for (const auto& [width, height] :
       std::vector<std::pair<int, int>>{{55, 30}, {37, 41}, {2, 2}, {1201, 7}}) {
    AreaAverageResize(source, width, height, target);
    const auto xs = Shares(source.Width(), width);
    const auto ys = Shares(source.Height(), height);
    for (int ty = 0; ty < height; ++ty)
      for (int tx = 0; tx < width; ++tx)
        for (int c = 0; c < 3; ++c) {
          std::int64_t sum = 0;
          for (const auto& [y, wy] : ys[static_cast<std::size_t>(ty)])
            for (const auto& [x, wx] : xs[static_cast<std::size_t>(tx)])
              sum += wy * wx * source.Row(y)[3 * x + c];
          ASSERT_EQ(target.Row(ty)[3 * tx + c], (sum + (std::int64_t{1} << 31)) >> 32)
              << width << "x" << height << " at " << tx << "," << ty << " channel " << c;
        }
  }
}

// Frames and margins enlarge the picture; one that would pass a raster's limits is refused
// before the render touches its output.
TEST(RenderWatermark, PictureTooLargeForItsFramesAndMarginsIsRefused) {
  const struct {
    int width, height;
    bool frames, margins;
    const char* problem;
  } cases[] = {
      {65531, 1, true, false, ""},
      {65532, 1, true, false,
       "image too large: 65532 \u00D7 1 plus the frames exceeds 65535 pixels per side"},
      {1, 65535, false, true,
       "image too large: 1 \u00D7 65535 plus the margins exceeds 65535 pixels per side"},
      {16384, 16384, true, true,
       "image too large: 16384 \u00D7 16384 plus the margins and frames exceeds 2^28 pixels"},
      {65535, 1, false, false, ""},
  };
  for (const auto& c : cases) {
    WatermarkSettings settings;
    settings.frame.outerOn = settings.frame.innerOn = c.frames;
    settings.texture.enabled = c.margins;
    settings.texture.top.margin = 1;
    EXPECT_EQ(RenderSizeProblem(settings, c.width, c.height), c.problem) << c.width << "x" << c.height;
  }

  RenderFixture f{RasterImage(65535, 1, colors::kWhite)};
  f.settings.frame.outerOn = true;
  f.output.marked = RasterImage(2, 2, colors::kBlue);
  const Status status = RenderWatermark(
      {f.original, f.logo, f.texture, f.settings, f.text, f.context, f.locale, 40, 30}, f.random, f.output);
  EXPECT_EQ(status.message(), RenderSizeProblem(f.settings, 65535, 1));
  EXPECT_EQ(f.output.marked, RasterImage(2, 2, colors::kBlue));
}

}  // namespace
}  // namespace quillstone
