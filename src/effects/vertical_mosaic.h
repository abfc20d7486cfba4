#pragma once

#include "imaging/raster_image.h"

namespace quillstone {

// Blocks of `rows` rows repeat their first row: each row y that is not a multiple of rows
// takes, in every column that is a multiple of step, the pixel of the last row above it
// that is. All channels are copied. rows and step below 1 count as 1 (rows 1 changes nothing).
void VerticalMosaic(RasterImage& image, int rows, int step);

}  // namespace quillstone
