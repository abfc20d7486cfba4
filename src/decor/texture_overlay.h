#pragma once

#include "decor/texture_settings.h"
#include "imaging/raster_image.h"

namespace quillstone {

// The four margins in pixels, each brought into 0..kMaxTextureMargin.
struct TextureMargins {
  int top = 0;
  int bottom = 0;
  int left = 0;
  int right = 0;
};
TextureMargins MarginWidths(const TextureSettings& settings);

// Rebuilds destination as source enlarged by the four margins of the settings, each band
// filled with its colour and, where the side's "Use texture" is on and the texture is not
// empty, with the texture placed by the side's alignment:
// - top and bottom bands: the picture's width at most (the corners show the side bands);
//   "Stretch", or a texture at least as wide as the picture, spans the picture's width;
//   "Left", "Right" and "Center" keep the texture's width;
// - left and right bands: the full destination height, corners included; "Stretch", or a
//   texture at least as high as the picture, spans it all; "Top", "Bottom" and "Center"
//   keep the texture's height and are placed on the whole destination height.
// The texture is scaled to its rectangle by nearest-neighbour sampling at pixel centres
// (band pixel i of n shows texture pixel ((2i + 1) * size) div (2n)), which keeps its
// colours exact and costs one lookup per pixel. The source sits pixel for pixel at
// (left, top). Margins are limited to 0..1000 pixels; with all four 0 the destination
// is an exact copy. destination and source may be the same raster (the source is then
// copied first). Throws std::length_error when the result would exceed the raster limits.
void TextureOverlay(RasterImage& destination, const RasterImage& source, const TextureSettings& settings,
                    const RasterImage& texture);

}  // namespace quillstone
