#pragma once

#include "imaging/raster_image.h"

namespace quillstone {

// Mirror images in place; rasters without pixels are left as they are.

// Left-right mirror image: column x takes column W - 1 - x.
void FlipHorizontal(RasterImage& image);

// Upside down: row y takes row H - 1 - y.
void FlipVertical(RasterImage& image);

}  // namespace quillstone
