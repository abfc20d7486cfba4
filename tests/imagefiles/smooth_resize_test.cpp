#include "imagefiles/smooth_resize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "support/test_support.h"

namespace quillstone {
namespace {

RasterImage Smoothed(const RasterImage& source, int width, int height) {
  RasterImage result;
  SmoothResize(source, result, width, height);
  return result;
}

// Means of small areas round half up as the plain definition below says; a large one is
// taken apart otherwise and checked here. One target pixel over 2000 x 3 positions, half
// black and half white: 127.5 -> 128. Over 2244 positions, half of them 1: the mean 0.5
// rounds up to 1, where the floating-point estimate alone falls just short of it.
TEST(SmoothResize, LargeAreasAverageExactly) {
  RasterImage source(2000, 3, colors::kBlack);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 1000; ++x) source.SetPixel(x, y, colors::kWhite);
  EXPECT_EQ(Smoothed(source, 1, 1).Pixel(0, 0), (Rgb{128, 128, 128}));
  RasterImage halfOnes(2244, 1, colors::kBlack);
  for (int x = 0; x < 1122; ++x) halfOnes.SetPixel(x, 0, Rgb{1, 1, 1});
  EXPECT_EQ(Smoothed(halfOnes, 1, 1).Pixel(0, 0), (Rgb{1, 1, 1}));
}

// The definition written out plainly: span ends step by from / to in single precision and
// stop at the last pixel; start and end round half up, a position beyond the source counts
// as the edge pixel, and the mean of a span's positions rounds half up.
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
// reciprocals for large ones) against the plain definition at many scales: the same size
// (2 x 2 blocks, the last column and row alone), halves (spans sharing their edge pixel),
// enlargements (spans whose start rounds past the held end) and 11 to 7, whose last span
// ends one beyond the source in single precision.
TEST(SmoothResize, AgreesWithThePlainDefinitionAndEmptyGivesEmpty) {
  struct Case {
    int fromW, fromH, toW, toH;
  };
  for (const Case& c :
       {Case{101, 75, 50, 37}, Case{50, 40, 7, 9}, Case{13, 11, 40, 33}, Case{64, 48, 64, 48},
        Case{300, 200, 3, 2}, Case{257, 3, 1, 1}, Case{1, 90, 5, 7}, Case{97, 89, 96, 13}, Case{3, 2, 3, 2},
        Case{4, 4, 2, 2}, Case{2, 1, 4, 1}, Case{4, 1, 2, 1}, Case{1, 4, 1, 2}, Case{3, 1, 1, 1},
        Case{1, 2, 1, 4}, Case{3, 1, 7, 1}, Case{11, 1, 7, 1}, Case{1, 11, 1, 7}}) {
    const RasterImage source = testing::MakeNoiseRaster(c.fromW, c.fromH);
    EXPECT_EQ(Smoothed(source, c.toW, c.toH), PlainSmoothResize(source, c.toW, c.toH))
        << c.fromW << "x" << c.fromH << " to " << c.toW << "x" << c.toH;
  }
  // Empty in or out gives empty.
  EXPECT_TRUE(Smoothed(RasterImage(), 5, 5).Empty());
  EXPECT_TRUE(Smoothed(RasterImage(4, 4), 0, 5).Empty());
  EXPECT_TRUE(Smoothed(RasterImage(4, 4), 5, -1).Empty());
}

}  // namespace
}  // namespace quillstone
