#pragma once

#include "imaging/raster_image.h"

namespace quillstone {

// Enlarges image to (W + left + right) x (H + top + bottom) and moves the old content,
// pixel for pixel, to ((left + right) div 2, (top + bottom) div 2). The new border pixels
// are left undefined for the caller to paint. Margins below 0 count as 0. Throws
// std::length_error when the enlarged raster would exceed the raster size limits.
void ExpandCanvas(RasterImage& image, int top, int bottom, int left, int right);

// The same, building the enlarged raster in scratch and swapping it with image: a scratch
// raster kept between calls makes the expansion allocation-free once warm. scratch holds
// the old image afterwards.
void ExpandCanvas(RasterImage& image, int top, int bottom, int left, int right, RasterImage& scratch);

}  // namespace quillstone
