#pragma once

#include "imaging/raster_image.h"

namespace quillstone {

// The corner whose pixel gives the crop colour, in the order of the "Crop color selection"
// list.
enum class CropCorner : int { kTopLeft = 0, kBottomLeft = 1, kTopRight = 2, kBottomRight = 3 };

// Cuts the uniform border off a logo: the leading and trailing columns and rows made
// entirely of the crop colour (all three channels equal, no tolerance), taken from the
// chosen corner. Each scan stops at the middle (at most W div 2 + 1 columns from the left,
// H div 2 + 1 rows from the top); when every column (row) matches, none is removed.
// destination becomes the kept rectangle; source and destination may be the same raster.
// An empty source gives an empty destination.
void AutocropLogo(const RasterImage& source, RasterImage& destination, CropCorner corner);

}  // namespace quillstone
