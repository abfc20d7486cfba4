#pragma once

#include "imaging/raster_image.h"

namespace quillstone {

// The area-averaging resampler of the size presets. Each target column x covers the
// source columns between two boundaries that advance by stepX = W / w (single precision,
// accumulated in single precision, the last one held at W - 1); the covered columns are
// round-half-up(start) .. round-half-up(end), so a boundary column belongs to both
// neighbouring target pixels. Rows likewise. Each channel of a target pixel is the mean of
// all covered positions, rounded half up. A position one beyond the last source column or
// row counts with that last column's or row's pixel. When upscaling leaves the last span
// empty (its start rounds past the held end), it takes the last column or row alone.
//
// So the same size is not an identity: target (x, y) averages the 2 x 2 block at (x, y),
// and halving averages 3 x 3 blocks that share their edges.
//
// destination becomes newWidth x newHeight; an empty source or a target side below 1
// gives an empty destination. Throws std::length_error beyond the raster limits.
// source and destination must be different rasters.
void SmoothResize(const RasterImage& source, RasterImage& destination, int newWidth, int newHeight);

}  // namespace quillstone
