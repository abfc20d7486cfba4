#pragma once

#include "effects/convolve3x3.h"
#include "imaging/raster_image.h"

namespace quillstone {

// The sharpen kernel: 16 times the centre less the eight neighbours; the kernel sum is 8,
// so each channel becomes (16 * centre - neighbours) / 8, clamped to 0..255.
inline constexpr Kernel3x3 kSharpenKernel = {{{-1, -1, -1}, {-1, 16, -1}, {-1, -1, -1}}};

// Sharpens a smoothly resized image with Convolve3x3 and kSharpenKernel, offset 0: the
// result is 2 pixels narrower and 2 pixels lower. An image with fewer than 3 columns or
// rows has no inner pixels to filter; it is copied unsharpened rather than lost.
// source and destination must be different rasters.
void SharpenResize(const RasterImage& source, RasterImage& destination);

}  // namespace quillstone
