#include "effects/image_effects.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "effects/color_style_presets.h"
#include "effects/effect_commands.h"
#include "effects/effect_sequence.h"
#include "imaging/random_source.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

// The primitives written out plainly, pixel by pixel over the whole raster, for checking
// sequences against: one pass per call, in wide arithmetic.
namespace reference {

int Clamp(long long v) {
  return static_cast<int>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

bool Selected(int channels, int c) {  // c: 0 blue, 1 green, 2 red (byte order)
  return channels == 0 || (channels == 1 && c == 2) || (channels == 2 && c == 1) || (channels == 3 && c == 0);
}

void Apply(RasterImage& image, const EffectCall& call) {
  const int W = image.Width();
  const int H = image.Height();
  const long long k = call.value;
  for (int y = 0; y < H; ++y) {
    std::uint8_t* row = image.Row(y);
    switch (call.primitive) {
      case EffectPrimitive::kChannelFill:
        for (int x = 0; x < W; ++x) {
          std::uint8_t* p = row + 3 * x;
          if (k >= 1 && k <= 3) p[3 - k] = 255;
          if (k >= 4 && k <= 6)
            for (int c = 0; c < 3; ++c)
              if (c != 6 - k) p[c] = 0;
        }
        break;
      case EffectPrimitive::kInvert:
        for (int i = 0; i < 3 * W; ++i)
          if (k >= 0 && k <= 3 && Selected(call.value, i % 3))
            row[i] = static_cast<std::uint8_t>(255 - row[i]);
        break;
      case EffectPrimitive::kColumnStripeNegative:
      case EffectPrimitive::kRowStripeNegative:
        for (int x = 0; x < W; ++x) {
          const long long t = call.primitive == EffectPrimitive::kRowStripeNegative ? y : x;
          if (call.bandWidth < 0 || k < 0 || k > 3 || t % (2LL * call.bandWidth + 1) > call.bandWidth)
            continue;
          for (int c = 0; c < 3; ++c)
            if (Selected(call.value, c)) row[3 * x + c] = static_cast<std::uint8_t>(255 - row[3 * x + c]);
        }
        break;
      case EffectPrimitive::kContrast:
        for (int i = 0; i < 3 * W; ++i)
          row[i] = static_cast<std::uint8_t>(Clamp(row[i] + k * (row[i] - 127)));
        break;
      case EffectPrimitive::kBrightness:
        for (int i = 0; i < 3 * W; ++i) row[i] = static_cast<std::uint8_t>(Clamp(row[i] + k));
        break;
      case EffectPrimitive::kSaturation:
        for (int x = 0; x < W; ++x) {
          std::uint8_t* p = row + 3 * x;
          const long long m = (p[0] + p[1] + p[2]) / 3;
          for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>(Clamp(p[c] + k * (p[c] - m)));
        }
        break;
      case EffectPrimitive::kSmooth:
        for (int x = 1; x <= W - 2; ++x)
          for (int c = 0; c < 3; ++c)
            row[3 * x + c] =
                static_cast<std::uint8_t>((row[3 * x + c - 3] + row[3 * x + c] + row[3 * x + c + 3]) / 3);
        break;
      case EffectPrimitive::kMosaic:
        for (int x = 1; k >= 1 && x <= W - 2; ++x) {
          if (x % k != 0) continue;
          for (int c = 0; c < 3; ++c) {
            std::uint8_t* p = row + 3 * x + c;
            p[-3] = p[0] = p[3] = static_cast<std::uint8_t>((p[-3] + p[0] + p[3]) / 3);
          }
        }
        break;
      case EffectPrimitive::kEmboss:
        for (int x = 1; y <= H - 2 && x <= W - 2; ++x)
          for (int c = 0; c < 3; ++c)
            row[3 * x + c] = static_cast<std::uint8_t>(std::abs(row[3 * x + c] - row[3 * x + c + 3]) + 128);
        break;
      case EffectPrimitive::kSolarize:
        for (int x = 1; y <= H - 2 && x <= W - 2; ++x)
          for (int c = 0; c < 3; ++c)
            if (row[3 * x + c] <= k) row[3 * x + c] = static_cast<std::uint8_t>(255 - row[3 * x + c]);
        break;
      case EffectPrimitive::kAverage:
        for (int x = 1; x <= W - 2; ++x) {
          std::uint8_t* p = row + 3 * x;
          if ((p[-3] + p[0] + p[3]) / 3 > k) std::fill(p - 3, p + 6, static_cast<std::uint8_t>(Clamp(k)));
        }
        break;
    }
  }
}

}  // namespace reference

// The effect on a copy of the source gives what the plain pass of `call` gives.
::testing::AssertionResult SameAsReference(const RasterImage& source, const EffectCall& call,
                                           const std::function<void(RasterImage&)>& effect) {
  RasterImage expected = source;
  reference::Apply(expected, call);
  RasterImage actual = source;
  effect(actual);
  if (actual == expected) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "differs from the plain pass";
}

RasterImage RandomRaster(int width, int height, RandomSource& random) {
  RasterImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      auto pick = [&] {
        const int v = random.Below(270);
        return static_cast<std::uint8_t>(v >= 256 ? (v % 2) * 255 : v);
      };
      image.SetPixel(x, y, Rgb{pick(), pick(), pick()});
    }
  return image;
}

// The effects keep their arithmetic in 16-bit lanes; that must not change any result.
// Each effect on its own against the plain pass in wide arithmetic, on random pixels (with
// the extremes) for small, large and out-of-range factors. 41 pixels wide: blocks, edges and
// rest. The neighbourhood effects work in place, each pixel seeing what was already done to
// its left neighbour, and spare the edges (emboss and solarize also the last row), so rasters
// too narrow or too low for them, and empty ones, pass through.
TEST(ImageEffects, AgreeWithTheUnboundedFormulas) {
  using namespace effect_calls;
  RandomSource random(5);
  for (const RasterImage& source : {RandomRaster(41, 23, random), RandomRaster(2, 5, random),
                                    RandomRaster(6, 1, random), RasterImage()}) {
    const std::string size = std::to_string(source.Width()) + "x" + std::to_string(source.Height());
    for (int k : {-(1 << 30), -1000, -256, -255, -129, -11, -10, -2,  -1,   0,      1,
                  2,          3,     10,   127,  128,  200, 255, 256, 1000, 1 << 30}) {
      const std::pair<EffectCall, std::function<void(RasterImage&)>> effects[] = {
          {Saturation(k), [k](RasterImage& i) { SaturationEffect(i, k); }},
          {Contrast(k), [k](RasterImage& i) { ContrastEffect(i, k); }},
          {Brightness(k), [k](RasterImage& i) { BrightnessEffect(i, k); }},
          {Solarize(k), [k](RasterImage& i) { SolarizeEffect(i, k); }},
          {Mosaic(k), [k](RasterImage& i) { MosaicEffect(i, k); }},
          {Average(k), [k](RasterImage& i) { AverageEffect(i, k); }},
          {Smooth(), SmoothEffect},
          {Emboss(), EmbossEffect}};
      for (const auto& [call, effect] : effects) {
        ASSERT_TRUE(SameAsReference(source, call, effect))
            << size << " primitive " << static_cast<int>(call.primitive) << ", factor " << k;
      }
    }
    // Channel fills and inversions for every mode and selector, known or not.
    for (int k = -1; k <= 8; ++k) {
      const auto mode = static_cast<ChannelFillMode>(k);
      ASSERT_TRUE(SameAsReference(source, ChannelFill(mode), [&](auto& i) { ChannelFillEffect(i, mode); }))
          << size << " channel fill " << k;
      ASSERT_TRUE(SameAsReference(source, Invert(k), [&](auto& i) { InvertEffect(i, k); }))
          << size << " invert " << k;
    }
  }
}

// Stripes of every width, negative and zero included, for every channel selector, known or not.
TEST(StripeNegative, AgreesWithThePlainPass) {
  using namespace effect_calls;
  RandomSource random(9);
  for (const RasterImage& source : {RandomRaster(37, 9, random), RasterImage()})
    for (int channels : {-1, 0, 1, 2, 3, 5})
      for (int w : {-3, -1, 0, 1, 2, 20}) {
        ASSERT_TRUE(SameAsReference(source, ColumnStripes(channels, w),
                                    [&](auto& i) { ColumnStripeNegative(i, channels, w); }))
            << "columns " << channels << ", " << w;
        ASSERT_TRUE(SameAsReference(source, RowStripes(channels, w),
                                    [&](auto& i) { RowStripeNegative(i, channels, w); }))
            << "rows " << channels << ", " << w;
      }
}

// Sequences are applied row by row with some steps joined into one; every colour-style
// preset, every effect command and some longer mixed sequences must give the pixels of
// the plain primitives applied one whole pass after another, also when applied band by
// band. The sizes cover single pixels, the 16-pixel blocks and their remainders, one- and
// two-row rasters.
TEST(EffectSequences, AgreeWithPlainPassesOneAfterAnother) {
  using namespace effect_calls;
  std::vector<std::vector<EffectCall>> sequences;
  for (int style = ColorStyleIndex(kFirstPresetStyle); style <= ColorStyleIndex(kLastPresetStyle); ++style) {
    const auto calls = ColorStylePreset(static_cast<ColorStyle>(style))->Calls();
    sequences.emplace_back(calls.begin(), calls.end());
  }
  for (const EffectCommand& command : kEffectCommands) {
    const auto calls = command.sequence.Calls();
    sequences.emplace_back(calls.begin(), calls.end());
  }
  sequences.push_back(
      {Saturation(-1), Brightness(30), Contrast(3), Brightness(-200), Contrast(-1), Contrast(2)});
  sequences.push_back({Contrast(-10), Saturation(-1), Saturation(-1), Contrast(1000), Solarize(100)});
  sequences.push_back({Saturation(7), Smooth(), Saturation(-1), Emboss(), Average(100), Mosaic(3)});
  sequences.push_back({RowStripes(2, 3), ColumnStripes(1, 2), ChannelFill(ChannelFillMode::kJustGreen),
                       Invert(3), Brightness(-20)});
  // Blends that every channel takes, that some channels skip (scale 100), and whose scales
  // differ (which no grey step can take along).
  const std::vector<ChannelBlend> blends{
      {{{10, 200, 37}}, {{63, 63, 63}}}, {{{0, 90, 5}}, {{100, 1, 100}}}, {{{3, 4, 5}}, {{40, 70, 40}}}};
  RandomSource random(23);
  for (const auto& [width, height] : std::vector<std::pair<int, int>>{
           {1, 1}, {2, 3}, {3, 2}, {16, 1}, {17, 4}, {18, 3}, {33, 5}, {50, 7}, {67, 2}}) {
    const RasterImage source = RandomRaster(width, height, random);
    for (std::size_t i = 0; i < sequences.size(); ++i) {
      RasterImage expected = source;
      for (const EffectCall& call : sequences[i]) reference::Apply(expected, call);
      RasterImage actual = source;
      ApplyEffectCalls(actual, sequences[i]);
      ASSERT_EQ(actual, expected) << "sequence " << i << " on " << width << "x" << height;
      // In bands of two rows, the first reaching above the raster.
      actual = source;
      for (int y0 = -1; y0 < height; y0 += 2) ApplyEffectCallsToRows(actual, sequences[i], y0, y0 + 2);
      ASSERT_EQ(actual, expected) << "sequence " << i << " in bands on " << width << "x" << height;
      for (std::size_t b = 0; b < blends.size(); ++b) {
        RasterImage blended = expected;
        for (int y = 0; y < height; ++y) {
          for (int j = 0; j < 3 * width; ++j) {
            std::uint8_t& v = blended.Row(y)[j];
            v = static_cast<std::uint8_t>(blends[b].add[j % 3] + blends[b].scale[j % 3] * v / 100);
          }
        }
        actual = source;
        ApplyEffectCallsThenBlend(actual, sequences[i], blends[b]);
        ASSERT_EQ(actual, blended) << "sequence " << i << " blend " << b << " on " << width << "x" << height;
      }
    }
  }
}

}  // namespace
}  // namespace quillstone
