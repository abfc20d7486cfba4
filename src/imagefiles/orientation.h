#pragma once

#include "imagefiles/orientation_settings.h"
#include "imaging/raster_image.h"

namespace quillstone {

// Turns a freshly loaded source image (LoadTurn: the orientation choice, or the camera's
// EXIF orientation). The turn is exact. scratch is a work buffer the caller keeps between
// loads so that no memory is allocated once warm; its pixels are unspecified afterwards.
// An empty image stays empty.
void ApplyTurn(RasterImage& image, PictureTurn turn, RasterImage& scratch);

// Turns a marked image back to the alignment of the file it came from, before it is
// saved: the exact inverse of ApplyTurn for the same turn.
void UndoTurn(RasterImage& image, PictureTurn turn, RasterImage& scratch);

}  // namespace quillstone
