#pragma once

#include "decor/texture_settings.h"
#include "imaging/raster_image.h"

namespace quillstone {

// Rebuilds destination as source enlarged by the four margins, each band filled with its
// colour or the texture. destination and source must be different rasters.
void TextureOverlay(RasterImage& destination, const RasterImage& source, const TextureSettings& settings,
                    const RasterImage& texture);

}  // namespace quillstone
