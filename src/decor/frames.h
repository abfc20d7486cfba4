#pragma once

#include "decor/frame_settings.h"
#include "imaging/raster_image.h"

namespace quillstone {

// The frame stage: enlarges the canvas and paints the outer and inner frames that are on.
void DrawFrames(RasterImage& image, const FrameSettings& settings);

}  // namespace quillstone
