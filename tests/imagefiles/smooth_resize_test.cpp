#include "imagefiles/smooth_resize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "imagefiles/geometry_rasters.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::GreyRaster;
using testing::Greys;
using Grid = std::vector<std::vector<int>>;

RasterImage Smoothed(const RasterImage& source, int width, int height) {
  RasterImage result;
  SmoothResize(source, result, width, height);
  return result;
}

struct SmoothCase {
  const char* name;
  Grid source;
  int width;
  int height;
  Grid expected;
};

class SmoothResizeValues : public ::testing::TestWithParam<SmoothCase> {};

TEST_P(SmoothResizeValues, MatchHandWorkedMeans) {
  const SmoothCase& c = GetParam();
  EXPECT_EQ(Greys(Smoothed(GreyRaster(c.source), c.width, c.height)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SmoothResizeValues,
    ::testing::Values(
        // Step 1: each target pixel averages the 2 x 2 block at (x, y); the last column
        // and row take single pixels in that direction. (0+10+30+40)/4 = 20.
        SmoothCase{"SameSize", {{0, 10, 20}, {30, 40, 50}}, 3, 2, {{20, 30, 35}, {35, 45, 50}}},
        // Step 2: spans 0..2 and 2..3, so 3 x 3 blocks sharing their edge, then 2 wide.
        // (1, 0) averages x 2..3, y 0..2: 75 / 6 = 12.5, rounded half up to 13.
        SmoothCase{"Half",
                   {{0, 1, 2, 3}, {10, 11, 12, 13}, {20, 21, 22, 23}, {30, 31, 32, 33}},
                   2,
                   2,
                   {{11, 13}, {26, 28}}},
        // Step 0.5: spans 0..1, 1..1, 1..2 (2 is one beyond: counts as 1), and 2..1, whose
        // start rounds past the held end: the last pixel alone.
        SmoothCase{"UpscaleRow", {{10, 20}}, 4, 1, {{15, 20, 20, 20}}},
        // The logo editor's smooth resize: 4 -> 2 takes spans 0..2 and 2..3 (61 / 3 = 20.3,
        // 71 / 2 = 35.5), 3 -> 1 the whole row, 2 -> 4 rounds 31 / 2 half up.
        SmoothCase{"HalfRow", {{10, 20, 31, 40}}, 2, 1, {{20, 36}}},
        SmoothCase{"HalfColumn", {{10}, {20}, {31}, {40}}, 1, 2, {{20}, {36}}},
        SmoothCase{"ThreeToOne", {{0, 0, 255}}, 1, 1, {{85}}},
        SmoothCase{"UpscaleOddSum", {{10, 21}}, 4, 1, {{16, 21, 21, 21}}},
        SmoothCase{"UpscaleColumn", {{10}, {20}}, 1, 4, {{15}, {20}, {20}, {20}}},
        SmoothCase{"UpscaleThree", {{0, 100, 200}}, 7, 1, {{0, 50, 100, 150, 200, 200, 200}}},
        // Step 11/7 in single precision: the last end is 10.999999, which rounds to 11,
        // one beyond: (90 + 100 + 100) / 3 = 96.67 -> 97.
        SmoothCase{"BeyondLastColumn",
                   {{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}},
                   7,
                   1,
                   {{10, 25, 40, 55, 70, 85, 97}}},
        SmoothCase{"BeyondLastRow",
                   {{0}, {10}, {20}, {30}, {40}, {50}, {60}, {70}, {80}, {90}, {100}},
                   1,
                   7,
                   {{10}, {25}, {40}, {55}, {70}, {85}, {97}}}),
    [](const ::testing::TestParamInfo<SmoothCase>& info) { return info.param.name; });

TEST(SmoothResize, RoundsEachChannelHalfUp) {
  RasterImage source(2, 1);
  source.SetPixel(0, 0, Rgb{10, 100, 0});
  source.SetPixel(1, 0, Rgb{11, 50, 255});
  EXPECT_EQ(Smoothed(source, 1, 1).Pixel(0, 0), (Rgb{11, 75, 128}));  // 10.5, 75, 127.5
}

TEST(SmoothResize, LargeAreasAverageExactly) {
  // One target pixel over 2000 x 3 positions, half black and half white: 127.5 -> 128.
  RasterImage source(2000, 3, colors::kBlack);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 1000; ++x) source.SetPixel(x, y, colors::kWhite);
  EXPECT_EQ(Smoothed(source, 1, 1).Pixel(0, 0), (Rgb{128, 128, 128}));
}

TEST(SmoothResize, KeepsAFlatColourFlatAtOddScales) {
  // 101 x 75 to 50 x 37 reaches one beyond the last column and row; counting those
  // positions with the edge pixel keeps every mean at the flat colour.
  const RasterImage flat(101, 75, MakeColor(7, 130, 251));
  const RasterImage result = Smoothed(flat, 50, 37);
  EXPECT_EQ(result, RasterImage(50, 37, MakeColor(7, 130, 251)));
  EXPECT_EQ(Smoothed(flat, 173, 240), RasterImage(173, 240, MakeColor(7, 130, 251)));
}

// The definition written out plainly, position by position, with exact integer division.
RasterImage PlainSmoothResize(const RasterImage& source, int width, int height) {
  const auto bounds = [](int from, int to) {
    std::vector<std::pair<int, int>> spans;
    const float step = static_cast<float>(from) / static_cast<float>(to);
    float end = 0.0f;
    for (int i = 0; i < to; ++i) {
      const float start = end;
      end = end + step;
      if (end >= static_cast<float>(from)) end = static_cast<float>(from - 1);
      const int lo = static_cast<int>(std::floor(static_cast<double>(start) + 0.5));
      const int hi = static_cast<int>(std::floor(static_cast<double>(end) + 0.5));
      spans.emplace_back(std::min(lo, hi), hi);
    }
    return spans;
  };
  const auto xs = bounds(source.Width(), width);
  const auto ys = bounds(source.Height(), height);
  RasterImage result(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      long long sum[3] = {0, 0, 0};
      long long count = 0;
      for (int sy = ys[y].first; sy <= ys[y].second; ++sy) {
        for (int sx = xs[x].first; sx <= xs[x].second; ++sx) {
          const Rgb p = source.Pixel(std::min(sx, source.Width() - 1), std::min(sy, source.Height() - 1));
          sum[0] += p.r;
          sum[1] += p.g;
          sum[2] += p.b;
          ++count;
        }
      }
      const auto mean = [&](long long s) { return static_cast<std::uint8_t>((2 * s + count) / (2 * count)); };
      result.SetPixel(x, y, Rgb{mean(sum[0]), mean(sum[1]), mean(sum[2])});
    }
  }
  return result;
}

// The fast resampler (running sums, multiply-and-shift means for small areas, corrected
// reciprocals for large ones) against the plain definition at many scales.
TEST(SmoothResize, AgreesWithThePlainDefinition) {
  struct Case {
    int fromW, fromH, toW, toH;
  };
  for (const Case& c : {Case{101, 75, 50, 37}, Case{50, 40, 7, 9}, Case{13, 11, 40, 33}, Case{64, 48, 64, 48},
                        Case{300, 200, 3, 2}, Case{257, 3, 1, 1}, Case{1, 90, 5, 7}, Case{97, 89, 96, 13}}) {
    const RasterImage source = testing::MakeNoiseRaster(c.fromW, c.fromH);
    EXPECT_EQ(Smoothed(source, c.toW, c.toH), PlainSmoothResize(source, c.toW, c.toH))
        << c.fromW << "x" << c.fromH << " to " << c.toW << "x" << c.toH;
  }
}

TEST(SmoothResize, EmptyInOrOutGivesEmpty) {
  EXPECT_TRUE(Smoothed(RasterImage(), 5, 5).Empty());
  EXPECT_TRUE(Smoothed(RasterImage(4, 4), 0, 5).Empty());
  EXPECT_TRUE(Smoothed(RasterImage(4, 4), 5, -1).Empty());
}

}  // namespace
}  // namespace quillstone
