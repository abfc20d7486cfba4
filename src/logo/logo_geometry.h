#pragma once

#include "imaging/raster_image.h"

namespace quillstone {

// Mirrors and the quarter turn of the logo, each in place (its flips are FlipHorizontal
// and FlipVertical). Rasters without pixels are left as they are.

// The right half becomes the mirror image of the left half (A B C D E gives A B C B A,
// A B C D gives A B B A); the left half and an odd middle column are kept.
void MirrorLogoRightHalf(RasterImage& logo);

// The bottom half becomes the mirror image of the top half, row for row.
void MirrorLogoBottomHalf(RasterImage& logo);

// A quarter turn counter-clockwise: the raster becomes H wide and W high, source pixel
// (x, y) lands at column y, row W - 1 - x, so the right edge becomes the top edge.
void RotateLogoQuarter(RasterImage& logo);

}  // namespace quillstone
