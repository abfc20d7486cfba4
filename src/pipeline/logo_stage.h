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

}  // namespace quillstone
