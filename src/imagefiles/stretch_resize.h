#pragma once

#include "imaging/raster_image.h"

namespace quillstone {

// The plain (not smooth) resize: nearest-pixel stretch. Target pixel (x, y) is the source
// pixel under its centre, (((2x + 1) * W) div (2w), ((2y + 1) * H) div (2h)), so an
// enlargement by a whole factor repeats each pixel that many times and a reduction by a
// whole factor n keeps the pixel at offset n div 2 of each n x n block.
//
// destination becomes newWidth x newHeight; an empty source or a target side below 1
// gives an empty destination. Throws std::length_error beyond the raster limits.
// source and destination must be different rasters.
void StretchResize(const RasterImage& source, RasterImage& destination, int newWidth, int newHeight);

}  // namespace quillstone
