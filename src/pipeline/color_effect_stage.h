#pragma once

#include "imaging/channel_mask.h"
#include "imaging/random_source.h"
#include "imaging/raster_image.h"
#include "pipeline/color_effect_settings.h"

namespace quillstone {

// The colour-effect stage: runs the selected colour style on the image in place.
// strength is the band width divisor 1..10 of styles 1 to 7. The 3x3 filter styles make
// the image 2 pixels narrower and lower; they compute into scratch and swap it in.
void ApplyColorEffect(RasterImage& image, RasterImage& scratch, const ColorEffectSettings& settings, int strength,
                      ChannelMask channels, RandomSource& random);

}  // namespace quillstone
