#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "imaging/channel_mask.h"
#include "imaging/raster_image.h"
#include "pipeline/logo_settings.h"

namespace quillstone {

// Top-left corner of the logo for one of the nine places, on an image of imageWidth x
// imageHeight with a logo of logoWidth x logoHeight (integer halving truncates).
struct LogoPosition {
  int x0 = 0;
  int y0 = 0;
};
LogoPosition LogoPlacePosition(LogoPlace place, int imageWidth, int imageHeight, int logoWidth,
                               int logoHeight);

// Blends the logo into dest at (x0, y0), reading the underlying pixels from source at the
// same place. dest and source have the same size and hold the whole logo rectangle;
// they may be the same raster.
//
// A logo with an alpha channel (`alpha`: one byte per logo pixel, row by row, or null)
// blends each pixel by its own share, alpha / 255 of the blending percentage, and ignores
// the transparent colour: with p = percentage x alpha, a channel becomes
// (p * logo) div 25500 + ((25500 - p) * image) div 25500, which at alpha 255 is the
// blend of a logo without alpha exactly.
void BlendLogo(RasterImage& dest, const RasterImage& logo, const RasterImage& source, int x0, int y0,
               const LogoSettings& settings, ChannelMask channels, const std::uint8_t* alpha = nullptr);

// Blends the logo at every place that is on, all over the same blend source, so that
// overlapping places never blend a logo over a logo. Returns false, blending nothing,
// when the logo is wider or higher than the image.
bool BlendLogoAtPlaces(RasterImage& dest, const RasterImage& logo, const RasterImage& source,
                       const LogoSettings& settings, ChannelMask channels,
                       const std::uint8_t* alpha = nullptr);

// The grid a tiled logo is blended on: one tile's top-left corner at (x0, y0), the centre
// place, and the others every stepX to the side and every stepY up and down, each odd row
// shifted right by half a step. The steps are the logo's sides plus the spacing in percent
// of them (0..kMaxTileSpacing).
inline constexpr int kMaxTileSpacing = 400;
struct TileGrid {
  int x0 = 0;
  int y0 = 0;
  int stepX = 1;
  int stepY = 1;
  friend bool operator==(const TileGrid&, const TileGrid&) = default;
};
TileGrid TileGridFor(int imageWidth, int imageHeight, int logoWidth, int logoHeight, int spacingPercent);

// Blends the logo on the tile grid of settings.tileSpacing over the whole image, row by
// row, tiles at the edges cut off; the places are not used. dest and source have the same
// size and may be the same raster (tiles never overlap). The pixel rules are BlendLogo's.
void BlendLogoTiled(RasterImage& dest, const RasterImage& logo, const RasterImage& source,
                    const LogoSettings& settings, ChannelMask channels, const std::uint8_t* alpha = nullptr);

}  // namespace quillstone
