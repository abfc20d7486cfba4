#include "effects/convolve3x3.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/test_support.h"

namespace quillstone {
namespace {

TEST(Convolve3x3, ResultIsTwoPixelsSmallerOrEmptyAndMayReplaceTheSource) {
  RasterImage target;
  Convolve3x3(RasterImage(5, 4), target, kEmbossKernel1, 0);
  EXPECT_EQ(testing::SizeOf(target), std::pair(3, 2));
  for (const auto& [width, height] : {std::pair{2, 5}, {5, 2}, {0, 0}}) {
    Convolve3x3(RasterImage(width, height), target, kEmbossKernel1, 0);
    EXPECT_TRUE(target.Empty()) << width << "x" << height;
  }
  // The target may be the source.
  RasterImage image = testing::MakeGradientRaster(20, 5);
  Convolve3x3(image, target, kEmbossKernel2, 0);
  Convolve3x3(image, image, kEmbossKernel2, 0);
  EXPECT_EQ(image, target);
}

// The filter written out plainly: output (x, y) is centred on source (x + 1, y + 1), kernel
// row r and column c weigh source (x + c, y + r); the sum over the divisor (the kernel sum,
// or 1 when that is 0) plus the offset is clamped to 0..255 and truncated.
RasterImage PlainConvolve(const RasterImage& source, const Kernel3x3& k, int offset) {
  RasterImage out(source.Width() - 2, source.Height() - 2);
  int divisor = 0;
  for (const auto& row : k) divisor += row[0] + row[1] + row[2];
  if (divisor == 0) divisor = 1;
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width() * 3; ++x) {
      long long sum = 0;
      for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) sum += k[r][c] * source.Row(y + r)[x + 3 * c];
      out.Row(y)[x] =
          static_cast<std::uint8_t>(std::clamp(static_cast<double>(sum) / divisor + offset, 0.0, 255.0));
    }
  return out;
}

// The style kernels, kernels of a single 1 (which move the source by their row and column),
// divisors of every sign, power of two or not, sums beyond 16 bits and offsets far past the
// byte range, on noise wide enough for the 16-byte blocks and a rest.
TEST(Convolve3x3, AgreesWithThePlainFilter) {
  std::vector<Kernel3x3> kernels{kEmbossKernel1,
                                 kEmbossKernel2,
                                 kEmbossKernel3,
                                 kNeonKernel,
                                 Kernel3x3{{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}}},    // divisor 9
                                 Kernel3x3{{{0, 0, 0}, {-1, 5, -1}, {0, 0, 0}}},  // divisor 3
                                 Kernel3x3{{{0, 0, 0}, {0, 200, 0}, {0, 0, 0}}},  // 32-bit sums
                                 Kernel3x3{{{-90, 7, 3}, {60, -1, 20}, {-2, 0, 1}}}};
  for (int i = 0; i < 9; ++i) {
    Kernel3x3& single = kernels.emplace_back();
    single[static_cast<std::size_t>(i / 3)][static_cast<std::size_t>(i % 3)] = 1;
  }
  const RasterImage source = testing::MakeNoiseRaster(23, 6, 5);
  for (std::size_t i = 0; i < kernels.size(); ++i)
    for (const int offset : {0, 1, 10, -30, 130, 1 << 30, -(1 << 30)}) {
      RasterImage target;
      Convolve3x3(source, target, kernels[i], offset);
      ASSERT_EQ(target, PlainConvolve(source, kernels[i], offset)) << "kernel " << i << ", offset " << offset;
    }
}

}  // namespace
}  // namespace quillstone
