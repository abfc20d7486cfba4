#pragma once

#include <string>

#include "imagefiles/fit_into_box.h"
#include "imaging/raster_image.h"

namespace quillstone {

// The size of the preview of an image of width x height in a box of boxWidth x
// boxHeight: the picture fitted into the box (FitIntoBox), so small images are enlarged
// too. An empty image or box gives 0 x 0.
ImageSize PreviewSizeFor(int width, int height, int boxWidth, int boxHeight);

// Resamples source to target's size by area averaging: every target pixel is the mean of
// the source area it covers (partly covered source pixels count by their share).
void AreaAverageResize(const RasterImage& source, int width, int height, RasterImage& target);

// "640x480".
std::string SizeLabel(const RasterImage& image);

}  // namespace quillstone
