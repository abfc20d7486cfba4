#pragma once

#include "imaging/raster_image.h"

namespace quillstone {

// Every pixel becomes grey Y = (77 r + 151 g + 28 b) >> 8.
void GrayscaleInPlace(RasterImage& image);

}  // namespace quillstone
