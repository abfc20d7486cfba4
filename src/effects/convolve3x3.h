#pragma once

#include <array>

#include "imaging/raster_image.h"

namespace quillstone {

// A 3x3 kernel, rows top to bottom (dy = -1, 0, 1), columns left to right (dx = -1, 0, 1).
using Kernel3x3 = std::array<std::array<int, 3>, 3>;

// The kernels of the filter colour styles.
inline constexpr Kernel3x3 kEmbossKernel1{{{-4, -3, -2}, {-1, 16, -1}, {-2, -3, -4}}};  // sum -4
inline constexpr Kernel3x3 kEmbossKernel2{{{-1, -2, -3}, {-4, 16, -4}, {-3, -2, -1}}};  // sum -4
inline constexpr Kernel3x3 kEmbossKernel3{{{-1, -1, -1}, {-1, 7, -1}, {-1, -1, -1}}};   // sum -1
inline constexpr Kernel3x3 kNeonKernel{{{1, 1, -1}, {1, -2, -1}, {1, 1, -1}}};          // sum 0, divisor 1

// The 3x3 filter: every inner pixel (x, y), per channel, becomes
// sum(K * neighbourhood) / d + offset, clamped to 0..255 and truncated, where d is the
// kernel sum or 1 when that is 0. The result is 2 pixels narrower and lower than the
// source and lands in target; a source with fewer than 3 rows or columns gives an empty
// target. target may be the source itself (it is then filtered through a copy).
void Convolve3x3(const RasterImage& source, RasterImage& target, const Kernel3x3& kernel, int offset);

}  // namespace quillstone
