#pragma once

#include "imagefiles/orientation_settings.h"
#include "imaging/raster_image.h"

namespace quillstone {

// Turns a freshly loaded source image as the orientation choice asks (a quarter turn
// clockwise for "Rotate 90 deg. clockwise", and so on). The turn is exact. scratch is a
// work buffer the caller keeps between loads so that no memory is allocated once warm;
// its pixels are unspecified afterwards. An empty image stays empty.
void ApplyOrientation(RasterImage& image, Orientation orientation, RasterImage& scratch);

// Turns a marked image back to the alignment of the file it came from, before it is
// saved: the exact inverse of ApplyOrientation for the same orientation.
void RotateBack(RasterImage& image, Orientation orientation, RasterImage& scratch);

}  // namespace quillstone
